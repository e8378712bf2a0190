// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StatusNotifierItem.h"

#include "QtPrinters.h"
#include "StatusNotifierWatcher.h"
#include "desktop/WaitFor.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

// The player's own item on the test's session bus (dbus-run-session), read and restarted
// around as a panel does: the test plays the panel, with a stand-in watcher.

namespace {

// The item's properties, as a panel reads them all at once.
QVariantMap itemProperties(const QDBusConnection &panel, const StatusNotifierItem &item)
{
    QDBusMessage getAll
        = QDBusMessage::createMethodCall(item.serviceName(), QStringLiteral("/StatusNotifierItem"),
                                         QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
    getAll.setArguments({QStringLiteral("org.kde.StatusNotifierItem")});
    // Answered by this thread's event loop, as the item is the test's own.
    const QDBusPendingCall call = panel.asyncCall(getAll);
    if (!waitFor([&] { return call.isFinished(); }) || call.isError())
        return {};
    return qdbus_cast<QVariantMap>(call.reply().arguments().value(0));
}

} // namespace

class StatusNotifierItemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(panel.isConnected()) << "no session bus: run under dbus-run-session";
        QCoreApplication::setApplicationName(QStringLiteral("kavel-player"));
        QGuiApplication::setApplicationDisplayName(QStringLiteral("KAVEL Player"));
    }

    const QDBusConnection panel = QDBusConnection::sessionBus();
};

TEST_F(StatusNotifierItemTest, PanelsReadTheNameTheTipAndThePicturesTheItemWasGiven)
{
    StatusNotifierItem item(1);
    EXPECT_EQ(item.serviceName(),
              QStringLiteral("org.kde.StatusNotifierItem-%1-1").arg(QCoreApplication::applicationPid()));
    QImage picture(32, 32, QImage::Format_RGB32);
    picture.fill(QColor(0x11, 0x22, 0x33));
    item.setPicture(picture);
    item.setToolTip(QStringLiteral("KAVEL Player :clip.avi"));

    const QVariantMap properties = itemProperties(panel, item);
    const std::pair<const char *, QString> texts[] = {
        {"Category", QStringLiteral("ApplicationStatus")},
        {"Id", QStringLiteral("kavel-player")},
        {"Title", QStringLiteral("KAVEL Player")},
        {"Status", QStringLiteral("Active")},
        {"IconName", QString()},
    };
    for (const auto &[name, text] : texts) {
        EXPECT_TRUE(properties.contains(QLatin1String(name))) << name;
        EXPECT_EQ(properties.value(QLatin1String(name)).toString(), text) << name;
    }
    EXPECT_EQ(properties.value(QStringLiteral("ItemIsMenu")), QVariant(false));
    EXPECT_EQ(properties.value(QStringLiteral("Menu")).value<QDBusObjectPath>().path(), QStringLiteral("/NO_DBUSMENU"));

    const auto tip = qdbus_cast<StatusNotifierItemToolTip>(properties.value(QStringLiteral("ToolTip")));
    EXPECT_EQ(tip.title, QStringLiteral("KAVEL Player :clip.avi"));
    const QDBusArgument pixmapsArgument = properties.value(QStringLiteral("IconPixmap")).value<QDBusArgument>();
    EXPECT_EQ(pixmapsArgument.currentSignature(), QStringLiteral("a(iiay)"));
    const auto pixmaps = qdbus_cast<StatusNotifierItemPixmaps>(pixmapsArgument);
    ASSERT_EQ(pixmaps.size(), 3);
    for (const auto &[size, pixmap] : {std::pair {16, pixmaps[0]}, {22, pixmaps[1]}, {32, pixmaps[2]}}) {
        EXPECT_EQ(pixmap.width, size);
        EXPECT_EQ(pixmap.height, size);
        ASSERT_EQ(pixmap.argb.size(), size * size * 4);
        // Alpha, red, green, blue, in that order whatever the machine's byte order.
        EXPECT_EQ(pixmap.argb.first(4), QByteArray("\xff\x11\x22\x33", 4)) << size;
        EXPECT_EQ(pixmap.argb.last(4), QByteArray("\xff\x11\x22\x33", 4)) << size;
    }
}

TEST_F(StatusNotifierItemTest, RegistersAgainWithAWatcherThatStartsAnew)
{
    auto watcher = std::make_unique<StatusNotifierWatcher>(panel);
    ASSERT_TRUE(watcher->isReady());
    const StatusNotifierItem item(2);
    ASSERT_TRUE(waitFor([&] { return watcher->registeredItems().contains(item.serviceName()); }));

    // The panel restarts.
    watcher.reset();
    watcher = std::make_unique<StatusNotifierWatcher>(panel);
    ASSERT_TRUE(watcher->isReady());
    EXPECT_TRUE(waitFor([&] { return watcher->registeredItems().contains(item.serviceName()); }));
}

TEST_F(StatusNotifierItemTest, LeavesTheBusWithTheObject)
{
    auto item = std::make_unique<StatusNotifierItem>(3);
    const QString name = item->serviceName();
    ASSERT_TRUE(panel.interface()->isServiceRegistered(name));
    item.reset();
    EXPECT_TRUE(waitFor([&] { return !panel.interface()->isServiceRegistered(name).value(); }));
}
