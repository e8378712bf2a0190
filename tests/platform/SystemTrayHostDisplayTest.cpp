// SPDX-License-Identifier: GPL-3.0-or-later
#include "IconRecord.h"
#include "desktop/Desktop.h"
#include "desktop/Xcb.h"
#include "platform/NotifyIconDataA.h"
#include "platform/NotifyIconHost.h"

#include "QtPrinters.h"
#include "desktop/WaitFor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QStyleHints>
#include <QSystemTrayIcon>
#include <QWidget>

#include <xcb/xcb.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

// The real notification area on a display of its own, with trayer as the
// panel that hosts the icons.

namespace {

constexpr std::uint32_t RedPicture = 5;

NotifyIconDataA record(const QByteArray &tip)
{
    return iconRecord(0x80000001, tip, RedPicture);
}

// The window that shows the icon in the panel, once the panel has taken it in.
QWidget *embeddedIcon()
{
    xcb_connection_t *connection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() != u"QSystemTrayIconSys" || !widget->isVisible() || !widget->internalWinId())
            continue;
        const auto tree = desktop::reply(xcb_query_tree_reply(
            connection, xcb_query_tree(connection, xcb_window_t(widget->internalWinId())), nullptr));
        if (tree && tree->parent != tree->root)
            return widget;
    }
    return nullptr;
}

// Where a window is on the screen, as the X server has it.
QPoint placeOnScreen(const QWidget *window)
{
    xcb_connection_t *connection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    const auto place = desktop::reply(xcb_translate_coordinates_reply(
        connection,
        xcb_translate_coordinates(connection, xcb_window_t(window->internalWinId()), desktop::rootOf(connection), 0, 0),
        nullptr));
    return place ? QPoint(place->dst_x, place->dst_y) : QPoint(-1, -1);
}

// Clicks the left button so many times at a place on the screen, so many milliseconds apart.
// The application's events wait meanwhile, so that the clicks reach it together.
bool clickOn(QPoint place, int times, int apartMs = 80)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"),
                  {QStringLiteral("mousemove"), QString::number(place.x()), QString::number(place.y()),
                   QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(times),
                   QStringLiteral("--delay"), QString::number(apartMs), QStringLiteral("1")});
    return xdotool.waitForFinished(10000) && xdotool.exitCode() == 0;
}

// Waits until a click made now can no longer pair with the last one into a double click.
bool waitOutDoubleClick()
{
    QElapsedTimer since;
    since.start();
    return waitFor([&] { return since.hasExpired(QGuiApplication::styleHints()->mouseDoubleClickInterval()); });
}

} // namespace

TEST(SystemTrayHostDisplay, ShowsTheIconInAPanelAndTellsWhenThePanelComesAndGoes)
{
    if (QStandardPaths::findExecutable(QStringLiteral("trayer")).isEmpty())
        GTEST_SKIP() << "trayer is not installed: no panel to host the icon";
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");

    const auto host = NotifyIconHost::create([](std::uint32_t handle) {
        QImage image(22, 22, QImage::Format_RGB32);
        image.fill(Qt::red);
        return handle == RedPicture ? image : QImage();
    });
    std::vector<bool> changes;
    QObject::connect(host.get(), &NotifyIconHost::availabilityChanged,
                     [&](bool available) { changes.push_back(available); });
    std::vector<std::uint32_t> mouseMessages;
    QObject::connect(host.get(), &NotifyIconHost::windowMessage,
                     [&](std::uint32_t hWnd, std::uint32_t message, std::uint32_t wParam, std::uint32_t lParam) {
                         if (hWnd == 0x80000001 && message == 0x0200 && wParam == 1)
                             mouseMessages.push_back(lParam);
                     });

    EXPECT_FALSE(host->isAvailable());
    EXPECT_FALSE(host->notifyIcon(NotifyIconHost::NIM_ADD, record("KAVEL Player").toBytes()));

    std::unique_ptr<desktop::Program> panel = desktop::startTrayHost();
    ASSERT_TRUE(panel->ready());
    ASSERT_TRUE(waitFor([&] { return !changes.empty(); }));
    EXPECT_EQ(changes, std::vector<bool> {true});
    EXPECT_TRUE(host->isAvailable());
    ASSERT_TRUE(waitFor([] { return embeddedIcon() != nullptr; }));
    EXPECT_EQ(embeddedIcon()->toolTip(), QStringLiteral("KAVEL Player"));

    EXPECT_TRUE(host->notifyIcon(NotifyIconHost::NIM_MODIFY, record("KAVEL Player : clip.avi").toBytes()));
    EXPECT_EQ(embeddedIcon()->toolTip(), QStringLiteral("KAVEL Player : clip.avi"));

    // A click, a double click, and two clicks further apart than a double click's, on the icon
    // in the panel, as a user makes them.
    // The panel takes the icon in first and places it after.
    const QSystemTrayIcon *tray = host->findChild<QSystemTrayIcon *>();
    ASSERT_TRUE(waitFor([&] { return tray->geometry().topLeft() == placeOnScreen(embeddedIcon()); }));
    const QRect place = tray->geometry();
    ASSERT_FALSE(place.isEmpty());
    const int doubleClickMs = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    const struct {
        const char *name;
        int clicks;
        int apartMs;
        std::vector<std::uint32_t> heard;
    } cases[] = {
        {"a click", 1, 0, {0x0201, 0x0202}},
        {"a double click", 2, 80, {0x0201, 0x0202, 0x0203, 0x0202}},
        {"two clicks", 2, doubleClickMs + 200, {0x0201, 0x0202, 0x0201, 0x0202}},
    };
    for (const auto &c : cases) {
        mouseMessages.clear();
        ASSERT_TRUE(clickOn(place.center(), c.clicks, c.apartMs)) << c.name;
        ASSERT_TRUE(waitFor([&] { return mouseMessages.size() >= c.heard.size(); })) << c.name;
        EXPECT_FALSE(waitFor([&] { return mouseMessages.size() > c.heard.size(); }, 500)) << c.name;
        EXPECT_EQ(mouseMessages, c.heard) << c.name;
        ASSERT_TRUE(waitOutDoubleClick());
    }

    panel.reset();
    ASSERT_TRUE(waitFor([&] { return changes.size() == 2; }));
    EXPECT_EQ(changes, (std::vector<bool> {true, false}));
    EXPECT_FALSE(host->isAvailable());
    EXPECT_TRUE(host->notifyIcon(NotifyIconHost::NIM_DELETE, record("KAVEL Player").toBytes()));
}
