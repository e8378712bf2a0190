// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemTrayHost.h"
#include "IconRecord.h"
#include "platform/NotifyIconDataA.h"

#include "QtPrinters.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <map>

// The tray host without a notification area (the offscreen platform): the
// icons it keeps, what it gives them, and how their activations come back.

namespace {

struct Sent {
    std::uint32_t hWnd, message, wParam, lParam;
    friend bool operator==(const Sent &, const Sent &) = default;
    friend void PrintTo(const Sent &s, std::ostream *out)
    {
        *out << "{" << s.hWnd << ", " << s.message << ", " << s.wParam << ", " << s.lParam << "}";
    }
};

NotifyIconDataA record(std::uint32_t hWnd, const QByteArray &tip = "tip", std::uint32_t hIcon = 0)
{
    return iconRecord(hWnd, tip, hIcon);
}

struct HostFixture {
    std::map<std::uint32_t, QImage> pictures;
    SystemTrayHost host {[this](std::uint32_t handle) {
        const auto it = pictures.find(handle);
        return it == pictures.end() ? QImage() : it->second;
    }};
    std::vector<Sent> sent;

    HostFixture()
    {
        QObject::connect(&host, &NotifyIconHost::windowMessage,
                         [this](std::uint32_t h, std::uint32_t m, std::uint32_t w, std::uint32_t l) {
                             sent.push_back({h, m, w, l});
                         });
    }

    bool call(std::uint32_t message, const NotifyIconDataA &data) { return host.notifyIcon(message, data.toBytes()); }

    QList<QSystemTrayIcon *> trays() const { return host.findChildren<QSystemTrayIcon *>(); }
};

} // namespace

TEST(SystemTrayHost, WithoutANotificationAreaKeepsIconsAndSaysTheyAreNotShown)
{
    ASSERT_NE(QGuiApplication::platformName(), "xcb");
    HostFixture f;
    EXPECT_FALSE(f.host.isAvailable());
    EXPECT_FALSE(f.call(NotifyIconHost::NIM_ADD, record(7)));
    EXPECT_EQ(f.trays().size(), 1);
}

TEST(SystemTrayHost, KnowsEachIconByItsWindowAndIdentifier)
{
    HostFixture f;
    f.call(NotifyIconHost::NIM_ADD, record(7));
    EXPECT_FALSE(f.call(NotifyIconHost::NIM_ADD, record(7))) << "added twice";
    EXPECT_FALSE(f.call(NotifyIconHost::NIM_MODIFY, record(8))) << "modify an unknown icon";
    EXPECT_FALSE(f.call(NotifyIconHost::NIM_DELETE, record(8))) << "delete an unknown icon";
    EXPECT_FALSE(f.call(3, record(7))) << "no such call";
    f.call(NotifyIconHost::NIM_ADD, record(8));
    EXPECT_EQ(f.trays().size(), 2);

    EXPECT_TRUE(f.call(NotifyIconHost::NIM_DELETE, record(7)));
    EXPECT_FALSE(f.call(NotifyIconHost::NIM_DELETE, record(7)));
    f.call(NotifyIconHost::NIM_ADD, record(7));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f.trays().size(), 2);
}

TEST(SystemTrayHost, RejectsWhatIsNoWholeRecord)
{
    HostFixture f;
    const QByteArray bytes = record(7).toBytes();
    QByteArray wrongSize = bytes;
    wrongSize[0] = char(87);
    f.host.notifyIcon(NotifyIconHost::NIM_ADD, bytes.first(87));
    f.host.notifyIcon(NotifyIconHost::NIM_ADD, wrongSize);
    EXPECT_TRUE(f.trays().isEmpty());
}

TEST(SystemTrayHost, ShowsTheRecordsTipAndThePictureOfItsIconHandle)
{
    HostFixture f;
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(Qt::red);
    f.pictures[42] = red;
    QByteArray full(64, 'x');
    NotifyIconDataA data = record(7, "KAVEL \x80", 42);
    f.call(NotifyIconHost::NIM_ADD, data);
    ASSERT_EQ(f.trays().size(), 1);
    QSystemTrayIcon *tray = f.trays().first();
    EXPECT_EQ(tray->toolTip(), QStringLiteral(u"KAVEL €"));
    EXPECT_EQ(tray->icon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));

    data.szTip = full;
    data.hIcon = 0;
    f.call(NotifyIconHost::NIM_MODIFY, data);
    EXPECT_EQ(tray->toolTip(), QString(64, u'x'));
    EXPECT_TRUE(tray->icon().isNull());

    // Only the fields the flags name change.
    data.szTip = "other";
    data.hIcon = 42;
    data.uFlags = NotifyIconDataA::NIF_TIP;
    f.call(NotifyIconHost::NIM_MODIFY, data);
    EXPECT_EQ(tray->toolTip(), QStringLiteral("other"));
    EXPECT_TRUE(tray->icon().isNull());
}

TEST(SystemTrayHost, ActivationsComeBackAsTheCallbacksMouseMessages)
{
    struct Case {
        const char *name;
        std::vector<QSystemTrayIcon::ActivationReason> reasons;
        std::vector<std::uint32_t> mouseMessages;
    };
    const Case cases[] = {
        {"click", {QSystemTrayIcon::Trigger}, {0x0201, 0x0202}},
        {"double click", {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick}, {0x0201, 0x0202, 0x0203, 0x0202}},
        {"right press", {QSystemTrayIcon::Context}, {0x0204}},
        {"middle click", {QSystemTrayIcon::MiddleClick}, {}},
    };
    for (const Case &c : cases) {
        HostFixture f;
        f.call(NotifyIconHost::NIM_ADD, record(7));
        f.call(NotifyIconHost::NIM_ADD, record(9));
        QSystemTrayIcon *tray = f.trays().first();
        for (const auto reason : c.reasons)
            emit tray->activated(reason);
        std::vector<Sent> expected;
        for (const std::uint32_t m : c.mouseMessages)
            expected.push_back({7, 0x0200, 1, m});
        EXPECT_EQ(f.sent, expected) << c.name;
    }
}

TEST(SystemTrayHost, SendsNoCallbackWithoutAMessageAndNoneOnceTheIconWent)
{
    HostFixture f;
    NotifyIconDataA silent = record(7);
    silent.uFlags = NotifyIconDataA::NIF_TIP;
    f.call(NotifyIconHost::NIM_ADD, silent);
    f.call(NotifyIconHost::NIM_ADD, record(8));
    QSystemTrayIcon *silentTray = f.trays()[0];
    QSystemTrayIcon *tray = f.trays()[1];
    emit silentTray->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(f.sent.empty());

    // The window removes its icon on the press: the release is not sent.
    QObject::connect(&f.host, &NotifyIconHost::windowMessage, [&f] { f.call(NotifyIconHost::NIM_DELETE, record(8)); });
    emit tray->activated(QSystemTrayIcon::Trigger);
    ASSERT_EQ(f.sent.size(), 1u);
    EXPECT_EQ(f.sent[0].lParam, 0x0201u);
}
