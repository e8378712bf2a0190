// SPDX-License-Identifier: GPL-3.0-or-later
// The player in a Wayland session of the test's own (weston, see weston-run), where it runs
// through XWayland as it does in the Wayland sessions GNOME and KDE start by default.
#include "PlayerProcess.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

// Whether the window's area shows the moving picture, as the window itself has it: XWayland keeps
// no picture of its root window, where Xvfb keeps the whole screen's.
bool showsPicture(const QString &window, const QRect &area)
{
    const desktop::Connection connection = desktop::connect();
    const std::optional<QRect> place = desktop::windowRect(connection.get(), window.toUInt());
    if (!place)
        return false;
    const QImage shot = desktop::grab(connection.get(), window.toUInt(), QRect(QPoint(), place->size()));
    return desktop::showsPicture(shot, area);
}

// A left click at a place of the window, sent to the window itself: the session has no pointer
// device that XTest could drive (XWayland has no input of its own).
bool sendClick(const QString &window, const QPoint &at)
{
    // Times of the test's own, far enough apart that two clicks are not a double click.
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    const desktop::Connection connection = desktop::connect();
    xcb_connection_t *c = connection.get();
    if (xcb_connection_has_error(c))
        return false;
    const auto id = xcb_window_t(window.toUInt());
    for (const std::uint8_t type : {XCB_BUTTON_PRESS, XCB_BUTTON_RELEASE}) {
        xcb_button_press_event_t event {};
        event.response_type = type;
        event.detail = 1;
        event.time = xcb_timestamp_t(1 + clock.elapsed());
        event.root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        event.event = id;
        event.event_x = std::int16_t(at.x());
        event.event_y = std::int16_t(at.y());
        event.state = type == XCB_BUTTON_RELEASE ? XCB_BUTTON_MASK_1 : 0;
        event.same_screen = 1;
        // No event mask: the event goes to the client that made the window, the player.
        const xcb_void_cookie_t sent
            = xcb_send_event_checked(c, 0, id, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&event));
        if (const desktop::Reply<xcb_generic_error_t> error = desktop::reply(xcb_request_check(c, sent)))
            return false;
    }
    return true;
}

// The player's window that covers the whole screen, if one does.
std::optional<QString> fullScreenWindow()
{
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    for (const QString &window : playerWindows()) {
        if (const std::optional<QRect> place = windowGeometry(window); place && place->size() == screen)
            return window;
    }
    return std::nullopt;
}

} // namespace

TEST(WaylandE2E, PlaysGoesFullScreenByItsButtonAndBackAndExits)
{
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) << "not in a Wayland session";
    QTemporaryDir home;
    PlayerProcess player(home);
    player.useWaylandSession();
    player.start({clip("long.avi")});

    std::optional<QString> window;
    ASSERT_TRUE(waitFor([&] { return (window = mainWindow()).has_value(); }, 20000)) << "no main window";
    std::optional<QRect> frame;
    ASSERT_TRUE(waitFor([&] { return (frame = windowGeometry(*window)).has_value(); }));
    // The video area, in the window.
    const QRect video = videoArea(QRect(QPoint(), frame->size()));
    ASSERT_TRUE(waitFor([&] { return showsPicture(*window, video); }, 20000)) << "no picture in the window";

    // The full-screen button, "i".
    const QPoint fullScreenButton = desktop::formControlRect(QStringLiteral("ButtonEx4")).center();
    ASSERT_TRUE(sendClick(*window, fullScreenButton));
    std::optional<QString> fullScreen;
    ASSERT_TRUE(waitFor([&] { return (fullScreen = fullScreenWindow()).has_value(); }, 20000))
        << "the button did not fill the screen";
    const QRect screen(QPoint(), QGuiApplication::primaryScreen()->geometry().size());
    EXPECT_TRUE(waitFor([&] { return showsPicture(*fullScreen, screen); }, 20000)) << "no picture across the screen";

    // The same button brings the picture back into the window (the full-screen window covers it;
    // a user gets there by Alt+Enter, which no device here can press).
    ASSERT_TRUE(sendClick(*window, fullScreenButton));
    EXPECT_TRUE(waitFor([&] { return !fullScreenWindow(); }, 20000)) << "full screen stayed";
    EXPECT_TRUE(waitFor([&] { return showsPicture(*window, video); }, 20000)) << "no picture back in the window";

    // The exit button ends at the window's right edge.
    ASSERT_TRUE(sendClick(
        *window, QPoint(frame->width() - 2, desktop::formControlRect(QStringLiteral("ButtonEx3")).center().y())));
    ASSERT_TRUE(player.process.waitForFinished(20000)) << "the exit button did not end the player";
    EXPECT_EQ(player.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(player.process.exitCode(), 0);
}
