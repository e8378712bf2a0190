// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlayerProcess.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QToolTip>

#include <csignal>
#include <functional>

// The notification-area icon, its popup menu and the About box, worked as a
// user works them on a desktop with a panel (trayer) and a window manager.

namespace {

// The main window's own caption buttons stand 39, 26 and 13 pixels from its right edge.
QPoint captionButton(const QRect &window, int fromRight)
{
    return {window.right() + 1 - fromRight + 6, window.y() + 6};
}

bool clickAt(const QPoint &at, int button = 1)
{
    return xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())})
        && xdotool({QStringLiteral("click"), QString::number(button)});
}

// Runs the menu item so many places above the last one (Exit), with the keys.
bool chooseFromTheEnd(const QString &icon, int above)
{
    const std::optional<QRect> place = windowGeometry(icon);
    if (!place || !clickAt(place->center(), 3) || !waitFor([] { return !rootWindows().isEmpty(); }))
        return false;
    QStringList keys {QStringLiteral("key")};
    for (int i = 0; i <= above; ++i)
        keys.append(QStringLiteral("Up"));
    keys.append(QStringLiteral("Return"));
    return xdotool(keys);
}

// A tip with that text as this process draws it: the same toolkit, style and fonts as the player's.
QImage tipShowing(const QString &text)
{
    QToolTip::showText(QPoint(0, 0), text);
    QImage picture;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->inherits("QTipLabel"))
            picture = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QToolTip::hideText();
    return picture;
}

// Whether the screen shows that picture at the place, to within a few stray pixels.
bool showsPicture(const QRect &place, const QImage &expected)
{
    const QImage shown = screenshot().copy(place).convertToFormat(QImage::Format_RGB32);
    if (shown.size() != expected.size())
        return false;
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x)
            differing += qGray(shown.pixel(x, y)) != qGray(expected.pixel(x, y));
    }
    return differing <= shown.width() * shown.height() / 100;
}

} // namespace

TEST(TrayE2E, IconHidesAndBringsBackTheWindowsAndItsMenuRunsTheCommands)
{
    const std::unique_ptr<desktop::Program> panel = desktop::startTrayHost();
    ASSERT_TRUE(panel->ready()) << "trayer did not start";
    QTemporaryDir home;
    PlayerProcess player(home);
    player.start({playlistOf(home, {clip("long.avi")})});
    ASSERT_TRUE(waitFor([&] { return windowNamed(QStringLiteral("  KAVEL Playlist:long.avi")).has_value(); }, 20000));
    std::optional<QString> icon;
    ASSERT_TRUE(waitFor([&] { return (icon = trayIcon()).has_value(); })) << "no icon in the panel";

    // Pointing at the icon shows its tip.
    const QPoint iconCentre = windowGeometry(*icon)->center();
    ASSERT_TRUE(
        xdotool({QStringLiteral("mousemove"), QString::number(iconCentre.x()), QString::number(iconCentre.y())}));
    EXPECT_TRUE(waitFor([] { return !rootWindows().isEmpty(); })) << "no tip over the icon";
    // It names the file that plays, as the main window's title line does.
    const QImage expectedTip = tipShowing(QStringLiteral("KAVEL Player :long.avi"));
    EXPECT_TRUE(waitFor([&] {
        const QStringList tips = rootWindows();
        const std::optional<QRect> place = tips.isEmpty() ? std::nullopt : windowGeometry(tips.first());
        return place && showsPicture(*place, expectedTip);
    })) << "the tip does not read \"KAVEL Player :long.avi\"";

    // Minimize: both windows go into the notification area. The main window has no caption of its own.
    const std::optional<QString> form = mainWindow();
    ASSERT_TRUE(form);
    const std::optional<QRect> frame = settledGeometry(*form);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(clickAt(captionButton(*frame, 39)));
    EXPECT_TRUE(waitFor([] { return playerWindows().isEmpty(); })) << "Minimize left a window shown";
    ASSERT_TRUE(waitFor([] { return rootWindows().isEmpty(); })) << "the tip stayed";

    // A double click on the icon brings both back, the playlist window too in playlist mode.
    ASSERT_TRUE(
        xdotool({QStringLiteral("mousemove"), QString::number(iconCentre.x()), QString::number(iconCentre.y())}));
    ASSERT_TRUE(xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
                         QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")}));
    EXPECT_TRUE(waitFor([] { return playerWindows().size() == 2; })) << "the double click did not bring them back";

    // Help, from the menu: the About box; its System Info button says that there is no tool here.
    ASSERT_TRUE(chooseFromTheEnd(*icon, 1));
    std::optional<QString> about;
    ASSERT_TRUE(waitFor([&] { return (about = windowNamed(QStringLiteral("About KAVEL Player"))).has_value(); }));
    const std::optional<QRect> box = settledGeometry(*about);
    ASSERT_TRUE(box);
    // "System Info..." stands at (96, 209), 83 x 23 pixels.
    ASSERT_TRUE(clickAt(box->topLeft() + QPoint(96 + 41, 209 + 11)));
    // The message bears the program's name, as the main window does.
    const auto messageBox = [&]() -> std::optional<QString> {
        for (const QString &window : playerWindows()) {
            if (window != *form && windowName(window) == QStringLiteral("KAVEL Player"))
                return window;
        }
        return std::nullopt;
    };
    std::optional<QString> message;
    ASSERT_TRUE(waitFor([&] { return (message = messageBox()).has_value(); }))
        << "no message about the system information tool";
    ASSERT_TRUE(xdotool({QStringLiteral("windowactivate"), *message}));
    ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("Return")}));
    EXPECT_TRUE(waitFor([&] { return !messageBox(); }));
    EXPECT_TRUE(windowNamed(QStringLiteral("About KAVEL Player")).has_value()) << "the About box stays open";

    // Exit, from the menu: the process ends and its icon with it.
    ASSERT_TRUE(chooseFromTheEnd(*icon, 0));
    QElapsedTimer ending;
    ending.start();
    ASSERT_TRUE(player.process.waitForFinished(10000)) << "Exit did not end the player";
    RecordProperty("exit_ms", int(ending.elapsed()));
    EXPECT_EQ(player.process.exitCode(), 0);
    EXPECT_TRUE(waitFor([] { return !trayIcon().has_value(); })) << "the icon stayed in the panel";
}

TEST(TrayE2E, WithoutANotificationAreaMinimizeMinimizesAndTheWindowManagerBringsItBack)
{
    QTemporaryDir home;
    PlayerProcess player(home);
    player.start({});
    QStringList windows;
    ASSERT_TRUE(waitFor([&] { return !(windows = playerWindows()).isEmpty(); }, 20000));
    const std::optional<QRect> frame = settledGeometry(windows.first());
    ASSERT_TRUE(frame);
    ASSERT_TRUE(clickAt(captionButton(*frame, 39)));
    EXPECT_TRUE(waitFor([] { return playerWindows().isEmpty(); })) << "Minimize did nothing";
    EXPECT_EQ(player.process.state(), QProcess::Running);
    ASSERT_TRUE(xdotool({QStringLiteral("windowactivate"), windows.first()}));
    EXPECT_TRUE(waitFor([] { return !playerWindows().isEmpty(); })) << "the window did not come back";
}

namespace {

// The processes a process started, by their parent's id.
QStringList childrenOf(qint64 pid)
{
    QStringList children;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!entry.toLongLong() || !stat.open(QIODevice::ReadOnly))
            continue;
        // pid (name) state ppid ...: the name may hold spaces, so count from its closing parenthesis.
        const QByteArray fields = stat.readAll();
        const QList<QByteArray> after = fields.mid(fields.lastIndexOf(')') + 2).split(' ');
        if (after.size() > 1 && after[1].toLongLong() == pid)
            children.append(entry);
    }
    return children;
}

} // namespace

TEST(TrayE2E, EveryWayOutEndsThePlayerCleanly)
{
    const std::unique_ptr<desktop::Program> panel = desktop::startTrayHost();
    ASSERT_TRUE(panel->ready()) << "trayer did not start";
    const struct {
        const char *way;
        std::function<bool(PlayerProcess &, const QString &icon, const QRect &window)> leave;
    } ways[] = {
        {"the X button",
         [](PlayerProcess &, const QString &, const QRect &w) {
             return clickAt(captionButton(w, 13));
         }},
        {"Exit in the icon's menu",
         [](PlayerProcess &, const QString &icon, const QRect &) {
             return chooseFromTheEnd(icon, 0);
         }},
        {"SIGINT",
         [](PlayerProcess &p, const QString &, const QRect &) {
             return ::kill(p.process.processId(), SIGINT) == 0;
         }},
        {"SIGTERM",
         [](PlayerProcess &p, const QString &, const QRect &) {
             return p.process.terminate(), true;
         }},
    };
    for (const auto &way : ways) {
        SCOPED_TRACE(way.way);
        QTemporaryDir home;
        PlayerProcess player(home);
        player.start({clip("long.avi")});
        std::optional<QString> window;
        ASSERT_TRUE(waitFor([&] { return (window = mainWindow()).has_value(); }, 20000));
        const std::optional<QRect> frame = settledGeometry(*window);
        ASSERT_TRUE(frame);
        std::optional<QString> icon;
        ASSERT_TRUE(waitFor([&] { return (icon = trayIcon()).has_value(); }));
        const QRect video(frame->x(), frame->y() + 40, frame->width(), frame->height() - 40);
        ASSERT_TRUE(waitFor([&] { return litPixels(screenshot(), video) > 0; }, 20000)) << "nothing plays";
        const QStringList children = childrenOf(player.process.processId());

        ASSERT_TRUE(way.leave(player, *icon, *frame));
        QElapsedTimer ending;
        ending.start();
        ASSERT_TRUE(player.process.waitForFinished(10000)) << "the player did not end";
        RecordProperty(QStringLiteral("%1_ms").arg(QString::fromLatin1(way.way)).toStdString(), int(ending.elapsed()));
        EXPECT_EQ(player.process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(player.process.exitCode(), 0);
        EXPECT_TRUE(waitFor([] { return !trayIcon().has_value(); })) << "the icon stayed in the panel";
        for (const QString &child : children)
            EXPECT_FALSE(QFile::exists(QStringLiteral("/proc/") + child))
                << "a child process was left: " << child.toStdString();
        // The lock went with it: the next start is a first instance again.
        PlayerProcess next(home);
        next.start({});
        EXPECT_TRUE(waitFor([] { return !playerWindows().isEmpty(); }, 20000)) << "the lock was left behind";
        next.process.kill();
        next.process.waitForFinished(5000);
        ASSERT_TRUE(waitFor([] { return playerWindows().isEmpty(); }));
    }
}
