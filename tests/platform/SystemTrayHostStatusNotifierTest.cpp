// SPDX-License-Identifier: GPL-3.0-or-later
#include "IconRecord.h"
#include "platform/SystemTrayHost.h"

#include "StatusNotifierWatcher.h"
#include "desktop/WaitFor.h"

#include <gtest/gtest.h>

// The tray host where a StatusNotifier watcher is on the test's session bus (dbus-run-session).

TEST(SystemTrayHostOnAStatusNotifierDesktop, AWatcherSlowToAnswerHoldsNothingUpAndGetsThePlayersOwnItem)
{
    // On a connection of its own and answered by this thread: not before the host has
    // stopped waiting for the answer.
    const StatusNotifierWatcher watcher(
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("panel")));
    ASSERT_TRUE(watcher.isReady()) << "no session bus: run under dbus-run-session";
    SystemTrayHost host({});
    EXPECT_FALSE(host.isAvailable());
    host.notifyIcon(NotifyIconHost::NIM_ADD, iconRecord(7, "KAVEL Player", 0).toBytes());

    EXPECT_TRUE(host.findChildren<QSystemTrayIcon *>().isEmpty()) << "Qt's icon, which would wait for the watcher";
    EXPECT_TRUE(waitFor([&] { return watcher.registeredItems().size() == 1; })) << "no item registered";
    EXPECT_TRUE(waitFor([&] { return host.isAvailable(); }));
}
