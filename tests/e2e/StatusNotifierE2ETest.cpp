// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlayerProcess.h"
#include "QtPrinters.h"
#include "StatusNotifierWatcher.h"
#include "desktop/SessionBus.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QStyleHints>
#include <QUrl>

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

// A property of the item, as the panel reads it.
QVariant itemProperty(const QDBusConnection &panel, const QString &item, const QString &name)
{
    QDBusMessage get = QDBusMessage::createMethodCall(item, ItemPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get.setArguments({ItemInterface, name});
    const QDBusPendingCall call = panel.asyncCall(get);
    return answered(call) ? call.reply().arguments().value(0).value<QDBusVariant>().variant() : QVariant();
}

// The title of the item's tip: the third field of (icon name, pictures, title, description).
QString toolTipTitle(const QDBusConnection &panel, const QString &item)
{
    const QVariant toolTip = itemProperty(panel, item, QStringLiteral("ToolTip"));
    if (!toolTip.canConvert<QDBusArgument>())
        return {};
    const QDBusArgument fields = toolTip.value<QDBusArgument>();
    if (fields.currentSignature() != QLatin1String("(sa(iiay)ss)"))
        return {};
    QString iconName, title;
    fields.beginStructure();
    fields >> iconName;
    fields.beginArray();
    while (!fields.atEnd()) {
        int width = 0, height = 0;
        QByteArray pixels;
        fields.beginStructure();
        fields >> width >> height >> pixels;
        fields.endStructure();
    }
    fields.endArray();
    fields >> title;
    return title;
}

// Has the player open a file, as the desktop's media controls do.
QDBusPendingCall openFile(const QDBusConnection &desktop, const QString &path)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.mpris.MediaPlayer2.kavel-player"), QStringLiteral("/org/mpris/MediaPlayer2"),
        QStringLiteral("org.mpris.MediaPlayer2.Player"), QStringLiteral("OpenUri"));
    call.setArguments({QUrl::fromLocalFile(path).toString()});
    return desktop.asyncCall(call);
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

TEST(StatusNotifierE2E, TheItemIsNamedAfterThePlayerShowsItsTipAndItsClicksWorkTheWindowAndTheMenu)
{
    const desktop::SessionBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon did not start";
    const QDBusConnection panel = bus.connection();
    const StatusNotifierWatcher watcher(panel);
    ASSERT_TRUE(watcher.isReady());

    QTemporaryDir home;
    PlayerProcess player(home);
    player.useSessionBus(bus.address());
    player.start({});
    // The main window has no caption of its own: the taskbar names it after the program.
    ASSERT_TRUE(waitFor([] { return mainWindow().has_value(); }, 20000));
    ASSERT_TRUE(waitFor([&] { return !watcher.registeredItems().isEmpty(); })) << "no item registered";
    const QString item = watcher.registeredItems().constFirst();

    // The panel names the item as the player is named, not after the program's file, and its
    // tip is the player's.
    EXPECT_EQ(itemProperty(panel, item, QStringLiteral("Title")).toString(), QStringLiteral("KAVEL Player"));
    EXPECT_TRUE(waitFor([&] { return toolTipTitle(panel, item) == QStringLiteral("KAVEL Player"); }))
        << toolTipTitle(panel, item).toStdString();

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

    // A film playing from a playlist names itself in the tip, and the panel hears that the tip changed.
    const int toolTipChanges = watcher.toolTipChanges();
    ASSERT_TRUE(answered(openFile(panel, playlistOf(home, {clip("clip.avi")}))));
    EXPECT_TRUE(waitFor([&] { return toolTipTitle(panel, item) == QStringLiteral("KAVEL Player :clip.avi"); }))
        << toolTipTitle(panel, item).toStdString();
    EXPECT_TRUE(waitFor([&] { return watcher.toolTipChanges() > toolTipChanges; })) << "no NewToolTip";
}
