// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlayerProcess.h"
#include "ScreenSaverStandIn.h"
#include "desktop/SessionBus.h"

// The screen kept awake while the real player plays a film, with the desktop's portal played
// by the test on a session bus of its own.

TEST(ScreenSaverE2E, AFilmKeepsTheScreenAwakeUntilASignalEndsThePlayer)
{
    const desktop::SessionBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon did not start";
    const ScreenSaverStandIn desktop(bus.address(), ScreenSaverStandIn::Portal);
    ASSERT_TRUE(desktop.isReady());

    QTemporaryDir home;
    PlayerProcess player(home);
    player.useSessionBus(bus.address());
    player.start({clip("long.avi")});
    ASSERT_TRUE(waitFor([&] { return desktop.held() == 1; }, 20000)) << "the film does not keep the screen awake";
    QStringList windows;
    ASSERT_TRUE(waitFor([&] { return !(windows = playerWindows()).isEmpty(); }));
    // Asked for on behalf of the main window, which the desktop may name in what it shows.
    const QString window = QStringLiteral("x11:") + QString::number(windows.first().toULongLong(), 16);
    EXPECT_EQ(desktop.calls(),
              QStringList {QStringLiteral("portal Inhibit window=%1 flags=12 reason=Playing a film").arg(window)});

    player.process.terminate();
    ASSERT_TRUE(player.process.waitForFinished(10000)) << "SIGTERM did not end the player";
    EXPECT_EQ(player.process.exitCode(), 0);
    // Let go before the process ended, not by the desktop noticing that it is gone.
    EXPECT_EQ(desktop.held(), 0);
    EXPECT_EQ(desktop.calls().value(1),
              QStringLiteral("portal Close ") + QLatin1String(ScreenSaverStandIn::PortalRequests) + u'1');
}
