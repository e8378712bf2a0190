// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StatusNotifierItemHosts.h"

#include "StatusNotifierWatcher.h"
#include "desktop/WaitFor.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

// Whether a panel shows items, followed on the test's session bus (dbus-run-session) while
// the stand-in watcher starts and stops, as a panel's does.

TEST(StatusNotifierItemHosts, FollowTheWatcherAsThePanelComesAndGoes)
{
    const QDBusConnection panel = QDBusConnection::sessionBus();
    ASSERT_TRUE(panel.isConnected()) << "no session bus: run under dbus-run-session";
    const StatusNotifierItemHosts hosts(
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("player")));
    EXPECT_EQ(hosts.registered(), false);
    QList<std::optional<bool>> seen;
    QObject::connect(&hosts, &StatusNotifierItemHosts::registeredChanged, [&] { seen.append(hosts.registered()); });

    auto watcher = std::make_unique<StatusNotifierWatcher>(panel);
    ASSERT_TRUE(watcher->isReady());
    EXPECT_TRUE(waitFor([&] { return hosts.registered() == true; }));
    watcher.reset();
    EXPECT_TRUE(waitFor([&] { return hosts.registered() == false; }));
    EXPECT_EQ(seen, QList<std::optional<bool>>({true, false}));
}
