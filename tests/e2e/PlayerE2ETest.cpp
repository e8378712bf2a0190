// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlayerProcess.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

TEST(PlayerE2E, PlaysAClipCentredWithThePictureInTheWindow)
{
    QTemporaryDir home;
    ASSERT_TRUE(QFile::exists(clip("clip.avi")));
    PlayerProcess player(home);
    player.start({clip("clip.avi")});

    QStringList windows;
    ASSERT_TRUE(waitFor([&] { return !(windows = playerWindows()).isEmpty(); }, 20000));
    // At the face's size, it ends centred on the screen (it may pass through other places first).
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    std::optional<QRect> frame;
    const auto centred = [&] {
        frame = windowGeometry(windows.first());
        return frame && frame->width() >= 408 && std::abs(frame->center().x() - screen.center().x()) <= 2
            && std::abs(frame->center().y() - screen.center().y()) <= 2;
    };
    EXPECT_TRUE(waitFor(centred)) << "the window ends at " << frame.value_or(QRect()).x() << ", "
                                  << frame.value_or(QRect()).y();
    ASSERT_TRUE(frame);

    // The video area below the title strip shows the moving picture:
    // a 4:3 clip in a wider box leaves black bars at the sides only.
    const QRect video = videoArea(*frame);
    ASSERT_TRUE(waitFor([&] { return desktop::showsPicture(screenshot(), video); }, 20000))
        << "no picture in the video area";
    const QImage shot = screenshot();
    const int barWidth = (video.width() - video.height() * 4 / 3) / 2;
    if (barWidth > 8) {
        EXPECT_EQ(litPixels(shot, QRect(video.x() + 1, video.y() + 1, barWidth - 4, video.height() - 2)), 0)
            << "the left bar should stay black";
    }

    // Moved and made larger (in its own proportions), the window still shows the picture, fitted
    // to the new area: the engine's output follows the window it draws into.
    const QPoint corner = frame->topLeft() - QPoint(100, 80);
    const QSize larger(frame->width() + 160,
                       frame->height() + (frame->height() * 160 + frame->width() / 2) / frame->width());
    ASSERT_TRUE(xdotool(
        {QStringLiteral("windowmove"), windows.first(), QString::number(corner.x()), QString::number(corner.y())}));
    ASSERT_TRUE(xdotool({QStringLiteral("windowsize"), windows.first(), QString::number(larger.width()),
                         QString::number(larger.height())}));
    std::optional<QRect> moved;
    ASSERT_TRUE(waitFor([&] {
        moved = windowGeometry(windows.first());
        return moved && moved->width() >= larger.width() - 2 && std::abs(moved->x() - corner.x()) <= 20;
    })) << "the window was not moved and resized";
    const QRect area = videoArea(*moved);
    const QRect middle
        = QRect(QPoint(), area.size() / 2).translated(area.topLeft() + QPoint(area.width() / 4, area.height() / 4));
    EXPECT_TRUE(waitFor([&] { return desktop::showsPicture(screenshot(), middle); }))
        << "no picture in the moved and resized window";
    const int newBar = (area.width() - area.height() * 4 / 3) / 2;
    if (newBar > 8) {
        EXPECT_TRUE(waitFor([&] {
            return litPixels(screenshot(), QRect(area.x() + 1, area.y() + 1, newBar - 4, area.height() - 2)) == 0;
        })) << "the picture is not fitted to the larger window";
    }
}

TEST(PlayerE2E, UnquotedPathWithSpacesAndAccentsIsOnePath)
{
    QTemporaryDir home;
    const QString path = clip("clip with spaces é.avi");
    ASSERT_TRUE(QFile::exists(path));
    PlayerProcess player(home);
    // As a shell splits it when the user types it without quotes.
    player.start(path.split(u' '));
    QStringList windows;
    ASSERT_TRUE(waitFor([&] { return !(windows = playerWindows()).isEmpty(); }, 20000));
    EXPECT_TRUE(waitFor([&] { return showsPictureInVideoArea(windows.first()); }, 20000))
        << "no picture in the video area";
}

TEST(PlayerE2E, SecondInstanceEndsAtOnceAndLeavesTheFirst)
{
    QTemporaryDir home;
    PlayerProcess first(home);
    first.start({clip("long.avi")});
    ASSERT_TRUE(waitFor([&] { return !playerWindows().isEmpty(); }, 20000));
    // Even a skin it could not read would not make the second one show anything.
    writeFile(userFormsFolder(home) + QStringLiteral("/Form1.frm"), "Begin Form Form1\n   Left = \"\n");

    for (int attempt = 0; attempt < 3; ++attempt) {
        PlayerProcess second(home);
        second.start({clip("clip.mpg")});
        int mostWindows = 0;
        ASSERT_TRUE(waitFor(
            [&] {
                mostWindows = std::max(mostWindows, int(playerWindows().size()));
                return second.process.state() == QProcess::NotRunning;
            },
            10000));
        EXPECT_EQ(second.process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.process.exitCode(), 0);
        EXPECT_EQ(mostWindows, 1) << "the second instance showed a window or a message";
    }
    EXPECT_EQ(first.process.state(), QProcess::Running);
    EXPECT_EQ(playerWindows().size(), 1);
}

TEST(PlayerE2E, CrashedInstanceLeavesNoStaleLock)
{
    QTemporaryDir home;
    {
        PlayerProcess crashed(home);
        crashed.start({});
        ASSERT_TRUE(waitFor([&] { return !playerWindows().isEmpty(); }, 20000));
        crashed.process.kill(); // SIGKILL: no chance to clean up
        crashed.process.waitForFinished(5000);
    }
    ASSERT_TRUE(waitFor([&] { return playerWindows().isEmpty(); }));
    PlayerProcess next(home);
    next.start({});
    EXPECT_TRUE(waitFor([&] { return !playerWindows().isEmpty(); }, 20000));
    EXPECT_EQ(next.process.state(), QProcess::Running);
}

TEST(PlayerE2E, BadFilesNeitherHangNorCrash)
{
    const QString longPath = QStringLiteral("/tmp/") + QString(4000, u'x') + QStringLiteral(".avi");
    const QStringList paths
        = {clip("zero.avi"), clip("text.avi"), clip("truncated.avi"), QStringLiteral("/no/such/file.avi"),
           QDir::tempPath(), longPath};
    for (const QString &path : paths) {
        QTemporaryDir home;
        PlayerProcess player(home);
        player.start({path});
        EXPECT_TRUE(waitFor([&] { return !playerWindows().isEmpty(); }, 20000)) << path.left(80).toStdString();
        EXPECT_EQ(player.process.state(), QProcess::Running) << path.left(80).toStdString();
        player.process.terminate();
        EXPECT_TRUE(player.process.waitForFinished(10000));
        ASSERT_TRUE(waitFor([&] { return playerWindows().isEmpty(); }));
    }
}

TEST(PlayerE2E, PlaylistOnTheCommandLinePlaysItsFirstEntry)
{
    QTemporaryDir home;
    QTemporaryDir listDir;
    const QString list = playlistOf(listDir, {clip("clip.avi"), clip("clip.mpg")});

    PlayerProcess player(home);
    player.start({list});
    std::optional<QString> playlistWindow;
    ASSERT_TRUE(waitFor(
        [&] { return (playlistWindow = windowNamed(QStringLiteral("  KAVEL Playlist:clip.avi"))).has_value(); }, 20000))
        << "the playlist window should name the first entry once it plays";
    const QStringList windows = playerWindows();
    ASSERT_EQ(windows.size(), 2);
    const QString mainWindow = windows.first() == *playlistWindow ? windows.last() : windows.first();
    EXPECT_TRUE(waitFor([&] { return showsPictureInVideoArea(mainWindow); }, 20000)) << "no picture in the video area";
}

namespace {

// The look an image button shows: its caption is black when up and dark grey in
// the hover look; the pressed look is sunken, dark along its top and left.
enum class Look { Up, Hover, Down, Unknown };

Look lookOf(const QImage &button)
{
    if (button.isNull())
        return Look::Unknown;
    if (qGray(button.pixel(1, 1)) < 160)
        return Look::Down;
    int black = 0;
    int darkGrey = 0;
    for (int y = 2; y < button.height() - 2; ++y) {
        for (int x = 2; x < button.width() - 2; ++x) {
            const int grey = qGray(button.pixel(x, y));
            black += grey < 24;
            darkGrey += grey >= 48 && grey <= 80;
        }
    }
    if (black >= 2)
        return Look::Up;
    return darkGrey >= 2 ? Look::Hover : Look::Unknown;
}

} // namespace

TEST(PlayerE2E, CaptionButtonsShowHoverAndPressAndReachTheWindow)
{
    QTemporaryDir home;
    PlayerProcess player(home);
    player.start({});
    QStringList windows;
    ASSERT_TRUE(waitFor([&] { return !(windows = playerWindows()).isEmpty(); }, 20000));
    const std::optional<QRect> frame = settledGeometry(windows.first());
    ASSERT_TRUE(frame);
    // The playlist button, "P".
    const QRect button = desktop::formControlRect(QStringLiteral("ButtonEx5")).translated(frame->topLeft());
    const auto look = [&] {
        return lookOf(screenshot().copy(button));
    };
    // The pointer away from the face, wherever an earlier test left it.
    ASSERT_TRUE(xdotool({QStringLiteral("mousemove"), QStringLiteral("0"), QStringLiteral("0")}));
    ASSERT_TRUE(waitFor([&] { return look() == Look::Up; }, 20000)) << "the face never showed its up look";

    // Two moves, as a real pointer makes many: the first one starts the hover tracking.
    // Moves over the button, as a real pointer makes many: the first one only starts the hover tracking,
    // and moves that come in a burst reach the player as one.
    const auto pointAtButton = [&] {
        for (int move = 0; move < 40 && look() != Look::Hover; ++move) {
            xdotool({QStringLiteral("mousemove"), QString::number(button.center().x() + move % 2),
                     QString::number(button.center().y())});
            QThread::msleep(50);
        }
    };
    pointAtButton();
    EXPECT_EQ(look(), Look::Hover) << "no hover look";

    // Away from the button the hover look goes again.
    ASSERT_TRUE(xdotool(
        {QStringLiteral("mousemove"), QString::number(frame->center().x()), QString::number(frame->center().y())}));
    EXPECT_TRUE(waitFor([&] { return look() == Look::Up; })) << "the hover look stayed";

    pointAtButton();
    ASSERT_EQ(look(), Look::Hover);
    ASSERT_TRUE(xdotool({QStringLiteral("mousedown"), QStringLiteral("1")}));
    EXPECT_TRUE(waitFor([&] { return look() == Look::Down; })) << "no pressed look";
    ASSERT_TRUE(xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}));
    EXPECT_TRUE(waitFor([&] { return windowNamed(QStringLiteral("  KAVEL Playlist")).has_value(); }))
        << "the click should show the playlist window";
}

TEST(PlayerE2E, BalanceBarNeverShowsOverThePicture)
{
    QTemporaryDir home;
    PlayerProcess player(home);
    player.start({});
    QStringList windows;
    ASSERT_TRUE(waitFor([&] { return !(windows = playerWindows()).isEmpty(); }, 20000));
    const std::optional<QRect> designed = settledGeometry(windows.first());
    ASSERT_TRUE(designed);
    // Twice as large, so that the video area reaches over the bar's design place.
    ASSERT_TRUE(xdotool({QStringLiteral("windowsize"), windows.first(), QString::number(2 * designed->width()),
                         QString::number(2 * designed->height())}));
    ASSERT_TRUE(waitFor([&] { return windowGeometry(windows.first())->width() > designed->width(); }));
    const std::optional<QRect> frame = settledGeometry(windows.first());
    ASSERT_TRUE(frame);
    // The balance bar's place in the form lies in the video area, black without media.
    const QRect balance = desktop::formControlRect(QStringLiteral("H2")).translated(frame->topLeft());
    ASSERT_LT(balance.right(), frame->right());
    const QRect titleStrip(frame->topLeft(), QPoint(frame->right(), videoArea(*frame).top() - 1));
    ASSERT_TRUE(waitFor([&] { return litPixels(screenshot(), titleStrip) > 0; })) << "the face was never drawn";
    EXPECT_TRUE(waitFor([&] { return litPixels(screenshot(), balance) == 0; }, 5000))
        << "something is drawn over the picture area";
}

TEST(PlayerE2E, OnSingleClickDesktopsOneClickInThePlaylistOnlySelects)
{
    QTemporaryDir home;
    // A desktop that opens items on a single click, as some do by default.
    const QString style = writeFile(home.filePath(QStringLiteral("single-click.qss")),
                                    "QAbstractItemView { activate-on-singleclick: 1; }\n");
    QStringList entries {clip("long.avi")};
    for (int i = 0; i < 8; ++i)
        entries.append(clip("clip.mpg"));
    const QString list = playlistOf(home, entries);
    PlayerProcess player(home);
    player.start({QStringLiteral("-stylesheet"), style, list});
    std::optional<QString> playlistWindow;
    ASSERT_TRUE(
        waitFor([&] { return (playlistWindow = windowNamed(QStringLiteral("  KAVEL Playlist:long.avi"))).has_value(); },
                20000));
    const std::optional<QRect> frame = settledGeometry(*playlistWindow);
    ASSERT_TRUE(frame);
    // The list's third to sixth rows all hold clip.mpg.
    const QRect listBox = desktop::formControlRect(QStringLiteral("List1"), QStringLiteral("frmWrite"));
    const QPoint entry = frame->topLeft() + listBox.topLeft() + QPoint(56, 40);
    ASSERT_TRUE(xdotool({QStringLiteral("mousemove"), QString::number(entry.x()), QString::number(entry.y())}));
    ASSERT_TRUE(xdotool({QStringLiteral("click"), QStringLiteral("1")}));
    // Two ticks of the playlist window's timers: long enough for anything a click would start.
    EXPECT_FALSE(waitFor([&] { return !windowNamed(QStringLiteral("  KAVEL Playlist:long.avi")); }, 1500))
        << "a single click played the entry";
    ASSERT_TRUE(xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
                         QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")}));
    EXPECT_TRUE(waitFor([&] { return windowNamed(QStringLiteral("  KAVEL Playlist:clip.mpg")).has_value(); }))
        << "a double click plays the entry";
}

TEST(PlayerE2E, FullScreenStaysOnWhenThePlaylistMovesOn)
{
    QTemporaryDir home;
    const QString list = playlistOf(home, {clip("clip.avi"), clip("long.avi")});
    PlayerProcess player(home);
    player.start({list});
    ASSERT_TRUE(waitFor([&] { return windowNamed(QStringLiteral("  KAVEL Playlist:clip.avi")).has_value(); }, 20000));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const auto fullScreen = [&] {
        for (const QString &window : playerWindows()) {
            if (windowGeometry(window) == screen)
                return true;
        }
        return false;
    };
    ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("alt+Return")}));
    ASSERT_TRUE(waitFor(fullScreen)) << "Alt+Enter did not fill the screen";

    // The first clip ends and the next one opens: still across the whole screen.
    ASSERT_TRUE(waitFor([&] { return windowNamed(QStringLiteral("  KAVEL Playlist:long.avi")).has_value(); }, 30000));
    EXPECT_TRUE(waitFor(fullScreen)) << "the next file opened in the window";
    EXPECT_TRUE(waitFor([&] { return desktop::showsPicture(screenshot(), screen); }, 20000))
        << "no picture on the screen";
}

TEST(PlayerE2E, WindowManagersBorderResizesInProportionAndTheEdgesBelongToTheFace)
{
    QTemporaryDir home;
    PlayerProcess player(home);
    player.start({});
    QStringList windows;
    ASSERT_TRUE(waitFor([&] { return !(windows = playerWindows()).isEmpty(); }, 20000));
    const std::optional<QRect> first = settledGeometry(windows.first());
    ASSERT_TRUE(first);

    // The window manager's border lies just outside the window: a drag on its right side.
    const QPoint from(first->right() + 1, first->center().y());
    for (const QStringList &step :
         {QStringList {QStringLiteral("mousemove"), QString::number(from.x()), QString::number(from.y())},
          QStringList {QStringLiteral("mousedown"), QStringLiteral("1")},
          QStringList {QStringLiteral("mousemove"), QString::number(from.x() + 50), QString::number(from.y())},
          QStringList {QStringLiteral("mousemove"), QString::number(from.x() + 100), QString::number(from.y())},
          QStringList {QStringLiteral("mouseup"), QStringLiteral("1")}})
        ASSERT_TRUE(xdotool(step));
    ASSERT_TRUE(waitFor([&] { return windowGeometry(windows.first())->width() >= first->width() + 98; }))
        << "the border did not resize the window";
    const std::optional<QRect> wider = settledGeometry(windows.first());
    ASSERT_TRUE(wider);
    EXPECT_NEAR(wider->height(), wider->width() * double(first->height()) / first->width(), 2.0)
        << wider->width() << "x" << wider->height() << " from " << first->width() << "x" << first->height();

    // The rightmost pixels of the exit button are the button's, not a border's.
    const int exitMiddle = desktop::formControlRect(QStringLiteral("ButtonEx3")).center().y();
    ASSERT_TRUE(xdotool(
        {QStringLiteral("mousemove"), QString::number(wider->right() - 1), QString::number(wider->y() + exitMiddle)}));
    ASSERT_TRUE(xdotool({QStringLiteral("click"), QStringLiteral("1")}));
    ASSERT_TRUE(player.process.waitForFinished(10000)) << "the click did not reach the exit button";
    EXPECT_EQ(player.process.exitCode(), 0);
}
