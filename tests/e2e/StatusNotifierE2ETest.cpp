// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlayerProcess.h"
#include "SessionBus.h"
#include "StatusNotifierWatcher.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QStyleHints>

// The player's icon on a desktop whose panel shows StatusNotifierItems (KDE Plasma, XFCE,
// GNOME with AppIndicator): the test is the panel, and clicks the icon as the panel does.

namespace {

const QString ItemPath = QStringLiteral("/StatusNotifierItem");
const QString ItemInterface = QStringLiteral("org.kde.StatusNotifierItem");

// The panel's call on the item, as a left (Activate) or right (ContextMenu) click makes it.
QDBusPendingCall clickItem(const QDBusConnection &panel, const QString &item, const QString &method)
{
    QDBusMessage call = QDBusMessage::createMethodCall(item, ItemPath, ItemInterface, method);
    call.setArguments({640, 1000});
    return panel.asyncCall(call);
}

bool answered(const QDBusPendingCall &call)
{
    return waitFor([&] { return call.isFinished(); }) && !call.isError();
}

// Two left clicks 120 ms apart, as a hand makes a double click.
bool doubleClickItem(const QDBusConnection &panel, const QString &item)
{
    QElapsedTimer sinceFirst;
    sinceFirst.start();
    const QDBusPendingCall first = clickItem(panel, item, QStringLiteral("Activate"));
    return answered(first) && waitFor([&] { return sinceFirst.hasExpired(120); })
        && answered(clickItem(panel, item, QStringLiteral("Activate")));
}

// Waits until a click made now can no longer pair with the last one into a double click.
bool waitOutDoubleClick()
{
    QElapsedTimer since;
    since.start();
    return waitFor([&] { return since.hasExpired(QGuiApplication::styleHints()->mouseDoubleClickInterval()); });
}

} // namespace

TEST(StatusNotifierE2E, ADoubleClickOnTheItemHidesAndShowsTheWindowAndARightClickOpensTheMenu)
{
    const SessionBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon did not start";
    const QDBusConnection panel = bus.connection();
    const StatusNotifierWatcher watcher(panel);
    ASSERT_TRUE(watcher.isReady());

    QTemporaryDir home;
    PlayerProcess player(home);
    QProcessEnvironment env = player.process.processEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
    player.process.setProcessEnvironment(env);
    player.start({});
    // The main window has no caption of its own: the taskbar names it after the program.
    ASSERT_TRUE(waitFor([] { return mainWindow().has_value(); }, 20000));
    ASSERT_TRUE(waitFor([&] { return !watcher.registeredItems().isEmpty(); })) << "no item registered";
    const QString item = watcher.registeredItems().constFirst();

    // One click leaves the window as it is.
    ASSERT_TRUE(answered(clickItem(panel, item, QStringLiteral("Activate"))));
    EXPECT_FALSE(waitFor([] { return playerWindows().isEmpty(); }, 1000)) << "a single click hid the window";
    ASSERT_TRUE(waitOutDoubleClick());

    ASSERT_TRUE(doubleClickItem(panel, item));
    EXPECT_TRUE(waitFor([] { return playerWindows().isEmpty(); })) << "the double click did not hide the window";
    ASSERT_TRUE(waitOutDoubleClick());
    ASSERT_TRUE(doubleClickItem(panel, item));
    EXPECT_TRUE(waitFor([] { return !playerWindows().isEmpty(); })) << "the double click did not show the window";

    // A right click opens the player's own menu at the pointer.
    ASSERT_TRUE(answered(clickItem(panel, item, QStringLiteral("ContextMenu"))));
    EXPECT_TRUE(waitFor([] { return !rootWindows().isEmpty(); })) << "no menu";
    ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("Escape")}));
    EXPECT_TRUE(waitFor([] { return rootWindows().isEmpty(); })) << "the menu stayed";
}
