// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellIconTestSupport.h"

#include "controls/ShellIcon/SystemMenu.h"
#include "desktop/WaitFor.h"
#include "runtime/FormFile.h"
#include "runtime/PropertyBag.h"
#include "runtime/Units.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using Call = FakeNotifyIconHost::Call;

namespace {

constexpr std::uint32_t Add = NotifyIconHost::NIM_ADD;
constexpr std::uint32_t Modify = NotifyIconHost::NIM_MODIFY;
constexpr std::uint32_t Delete = NotifyIconHost::NIM_DELETE;

QString tipOf(const QString &text)
{
    return (text + QChar(u'\0')).leftJustified(64, u' ', true);
}

void press(ShellIcon &icon, std::initializer_list<float> messages)
{
    for (const float X : messages)
        icon.mouseMoveNotification(X);
}

} // namespace

TEST(ShellIcon, HandsTheNotificationAreaThe88ByteRecord)
{
    FakeNotifyIconHost host;
    ShellIcon icon(&host);
    const runtime::Picture picture = redPicture();
    icon.setToolTipText(QStringLiteral("KAVEL Player"));
    icon.setIcon(picture);
    icon.setVisible(runtime::True);

    ASSERT_EQ(host.messages(), QList<std::uint32_t> {Add});
    const QByteArray bytes = host.calls[0].data;
    const std::uint32_t window = icon.NotifyData().hWnd;
    const std::uint32_t handle = picture.handle();
    ASSERT_NE(handle, 0u);
    QByteArray expected;
    for (const std::uint32_t word : {88u, window, 1u, 7u, 0x200u, handle}) {
        for (int shift = 0; shift < 32; shift += 8)
            expected.append(char((word >> shift) & 0xFF));
    }
    expected.append("KAVEL Player");
    expected.append('\0');
    expected.append(64 - 13, ' ');
    ASSERT_EQ(bytes.size(), 88);
    for (int i = 0; i < 88; ++i)
        EXPECT_EQ(quint8(bytes[i]), quint8(expected[i])) << "byte " << i;
    EXPECT_EQ(quint8(bytes[0]), 88);
    EXPECT_EQ(quint8(bytes[16]), 0x00);
    EXPECT_EQ(quint8(bytes[17]), 0x02);
}

TEST(ShellIcon, TipFieldHoldsTheTextItsNulAndSpacesCutAt64)
{
    struct Case {
        QString text;
        QByteArray field;
    };
    const QString text63(63, u'a');
    const QString text64(64, u'b');
    const QString text70 = QString(64, u'c') + QStringLiteral("dddddd");
    const Case cases[] = {
        {QString(), QByteArray(1, '\0') + QByteArray(63, ' ')},
        {QStringLiteral("KAVEL Player"), "KAVEL Player" + QByteArray(1, '\0') + QByteArray(51, ' ')},
        {text63, text63.toLatin1() + QByteArray(1, '\0')},
        {text64, text64.toLatin1()},
        {text70, QByteArray(64, 'c')},
    };
    for (const Case &c : cases) {
        FakeNotifyIconHost host;
        ShellIcon icon(&host);
        icon.setToolTipText(c.text);
        icon.setVisible(runtime::True);
        ASSERT_EQ(host.calls.size(), 1);
        EXPECT_EQ(host.calls[0].data.mid(24), c.field) << c.text.size();
        EXPECT_EQ(icon.ToolTipText(), tipOf(c.text)) << c.text.size();
        EXPECT_EQ(icon.ToolTipText().size(), 64);
    }
}

TEST(ShellIcon, TipGoesOutInTheAnsiCodePageAndReadsBackFromIt)
{
    FakeNotifyIconHost host;
    ShellIcon icon(&host);
    icon.setToolTipText(QStringLiteral(u"Café €5 ☺"));
    EXPECT_EQ(icon.ToolTipText(), tipOf(QStringLiteral(u"Café €5 ☺")));

    icon.setVisible(runtime::True);
    EXPECT_EQ(host.calls[0].data.mid(24, 10),
              QByteArray("Caf\xE9 \x80"
                         "5 ?\0",
                         10));
    EXPECT_EQ(icon.ToolTipText(), tipOf(QStringLiteral(u"Café €5 ?")));

    runtime::PropertyBag bag;
    icon.WriteProperties(bag);
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("ToolTipText")).toString(), QStringLiteral(u"Café €5 ☺"));
}

TEST(ShellIcon, TipAndIconChangeOnlyTheRecordUntilTheIconIsAdded)
{
    FakeNotifyIconHost host;
    ShellIcon icon(&host);
    const runtime::Picture picture = redPicture();
    icon.setToolTipText(QStringLiteral("first"));
    icon.setIcon(picture);
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_EQ(icon.NotifyData().hIcon, picture.handle());

    icon.setVisible(runtime::True);
    ASSERT_EQ(host.messages(), QList<std::uint32_t> {Add});
    EXPECT_EQ(host.calls[0].record().tip(), QStringLiteral("first"));
    EXPECT_EQ(host.calls[0].record().hIcon, picture.handle());
}

TEST(ShellIcon, TipAndIconTellTheContainerThenModifyTheAddedIcon)
{
    FakeNotifyIconHost host;
    ShellIcon icon(&host);
    icon.setVisible(runtime::True);
    QStringList order;
    QObject::connect(&icon, &ShellIcon::propertyChanged, [&](const QString &name) {
        order << QStringLiteral("%1 after %2 calls").arg(name).arg(host.calls.size());
    });

    icon.setToolTipText(QStringLiteral("second"));
    const runtime::Picture picture = redPicture();
    icon.setIcon(picture);

    EXPECT_EQ(order, (QStringList {QStringLiteral("ToolTipText after 1 calls"), QStringLiteral("Icon after 2 calls")}));
    ASSERT_EQ(host.messages(), (QList<std::uint32_t> {Add, Modify, Modify}));
    EXPECT_EQ(host.calls[1].record().tip(), QStringLiteral("second"));
    EXPECT_EQ(host.calls[2].record().hIcon, picture.handle());
}

TEST(ShellIcon, NoPictureClearsTheIconHandle)
{
    FakeNotifyIconHost host;
    ShellIcon icon(&host);
    icon.setIcon(redPicture());
    icon.setVisible(runtime::True);
    icon.setIcon(runtime::Picture());
    EXPECT_EQ(icon.Icon().handle(), 0u);
    ASSERT_EQ(host.messages(), (QList<std::uint32_t> {Add, Modify}));
    EXPECT_EQ(host.calls[1].record().hIcon, 0u);
}

TEST(ShellIcon, AddsOnceAndDeletesOnce)
{
    struct Case {
        std::vector<std::int16_t> visible;
        QList<std::uint32_t> calls;
    };
    const Case cases[] = {
        {{runtime::True, runtime::True}, {Add}},
        {{runtime::False}, {}},
        {{runtime::True, runtime::False, runtime::False}, {Add, Delete}},
        {{runtime::True, runtime::False, 1}, {Add, Delete, Add}},
    };
    for (const Case &c : cases) {
        FakeNotifyIconHost host;
        ShellIcon icon(&host);
        QStringList notified;
        QObject::connect(&icon, &ShellIcon::propertyChanged, [&](const QString &name) { notified << name; });
        for (const std::int16_t v : c.visible)
            icon.setVisible(v);
        EXPECT_EQ(host.messages(), c.calls);
        EXPECT_EQ(icon.IconAdded(), c.calls.size() % 2 ? runtime::True : runtime::False);
        EXPECT_EQ(icon.Visible(), c.visible.back() ? runtime::True : runtime::False);
        EXPECT_EQ(notified.size(), qsizetype(c.visible.size()));
    }
}

TEST(ShellIcon, AFailedAddStillCountsAsAdded)
{
    FakeNotifyIconHost host;
    host.result = false;
    ShellIcon icon(&host);
    icon.setVisible(runtime::True);
    EXPECT_EQ(icon.IconAdded(), runtime::True);
}

TEST(ShellIcon, DesignerAddsNothing)
{
    FakeNotifyIconHost host;
    ShellIcon icon(&host);
    icon.setUserMode(false);
    icon.setVisible(runtime::True);
    runtime::PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Visible"), true, false);
    icon.ReadProperties(bag);

    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_EQ(icon.IconAdded(), runtime::False);
    EXPECT_EQ(icon.Visible(), runtime::True);
}

TEST(ShellIcon, LoadingASavedVisibleIconAddsItWithItsSavedValues)
{
    QTemporaryDir dir;
    ASSERT_TRUE(redPicture().image().save(dir.filePath(QStringLiteral("tray.png"))));
    QString error;
    const std::optional<runtime::FormObject> form
        = runtime::FormFile::parse(QStringLiteral("Begin Form Form1\n"
                                                  "   Begin Vantrel.ShellIcon ShellIcon1\n"
                                                  "      ToolTipText = \"KAVEL Player\"\n"
                                                  "      Icon = Picture(\"tray.png\")\n"
                                                  "      Visible = True\n"
                                                  "   End\n"
                                                  "End\n"),
                                   dir.path(), QStringLiteral("Form1.frm"), &error);
    ASSERT_TRUE(form) << error.toStdString();
    FakeNotifyIconHost host;
    ShellIcon icon(&host);
    QStringList notified;
    QObject::connect(&icon, &ShellIcon::propertyChanged, [&](const QString &name) { notified << name; });
    icon.ReadProperties(form->child(QStringLiteral("ShellIcon1"))->properties);

    ASSERT_EQ(host.messages(), QList<std::uint32_t> {Add});
    EXPECT_EQ(host.calls[0].record().tip(), QStringLiteral("KAVEL Player"));
    EXPECT_NE(icon.Icon().handle(), 0u);
    EXPECT_EQ(host.calls[0].record().hIcon, icon.Icon().handle());
    EXPECT_EQ(icon.Icon().image().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(icon.Visible(), runtime::True);
    EXPECT_EQ(icon.SysMenu(), runtime::True);
    EXPECT_TRUE(notified.isEmpty());
}

TEST(ShellIcon, EndingDeletesTheAddedIconOnly)
{
    FakeNotifyIconHost host;
    {
        ShellIcon shown(&host);
        shown.setVisible(runtime::True);
        ShellIcon hidden(&host);
    }
    EXPECT_EQ(host.messages(), (QList<std::uint32_t> {Add, Delete}));
}

TEST(ShellIcon, OutlivingItsHostIsHarmless)
{
    auto host = std::make_unique<FakeNotifyIconHost>();
    ShellIcon icon(host.get());
    icon.setVisible(runtime::True);
    host.reset();
    // Every call that would reach the host now goes nowhere (the sanitizer build sees any that
    // does), and the icon still keeps its own record.
    icon.setToolTipText(QStringLiteral("still here"));
    EXPECT_TRUE(icon.ToolTipText().startsWith(u"still here"));
    icon.setVisible(runtime::False);
    EXPECT_EQ(icon.IconAdded(), runtime::False);
}

TEST(ShellIcon, SavesItsFourKeysInOrderWithTheirDefaults)
{
    FakeNotifyIconHost host;
    ShellIcon icon(&host);
    const runtime::Picture picture = redPicture();
    icon.setToolTipText(QStringLiteral("KAVEL Player"));
    icon.setIcon(picture);
    icon.setVisible(runtime::True);
    icon.setSysMenu(runtime::False);
    runtime::PropertyBag bag;
    icon.WriteProperties(bag);

    QStringList keys;
    for (const runtime::PropertyBag::Entry &entry : bag.entries())
        keys << entry.key;
    EXPECT_EQ(keys,
              (QStringList {QStringLiteral("tooltiptext"), QStringLiteral("icon"), QStringLiteral("visible"),
                            QStringLiteral("sysmenu")}));
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("ToolTipText")).toString(), QStringLiteral("KAVEL Player"));
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("Icon")).value<runtime::Picture>(), picture);

    // Values equal to their defaults are left out, and a missing key reads as its default.
    FakeNotifyIconHost otherHost;
    ShellIcon loaded(&otherHost);
    loaded.ReadProperties(runtime::PropertyBag());
    runtime::PropertyBag defaults;
    loaded.WriteProperties(defaults);
    EXPECT_TRUE(defaults.isEmpty());
    EXPECT_EQ(loaded.ToolTipText(), tipOf(QString()));
    EXPECT_EQ(loaded.Icon().handle(), 0u);
    EXPECT_EQ(loaded.Visible(), runtime::False);
    EXPECT_EQ(loaded.SysMenu(), runtime::True);
    EXPECT_TRUE(otherHost.calls.isEmpty());
}

TEST(ShellIcon, AFreshInstanceHasNoSysMenuUntilLoaded)
{
    FakeNotifyIconHost host;
    ShellIcon icon(&host);
    EXPECT_EQ(icon.SysMenu(), runtime::False);
    runtime::PropertyBag bag;
    icon.WriteProperties(bag);
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("SysMenu"), true), QVariant(false));
}

TEST(ShellIcon, FaceStays480TwipsSquare)
{
    FakeNotifyIconHost host;
    ShellIcon icon(&host);
    const QSize face(runtime::Units::twipsToPixelsX(480), runtime::Units::twipsToPixelsY(480));
    EXPECT_EQ(icon.size(), face);
    icon.resize(100, 50);
    EXPECT_EQ(icon.size(), face);
}

TEST(ShellIcon, FaceShowsTheIconInADesignerOnly)
{
    FakeNotifyIconHost host;
    QWidget holder;
    holder.resize(100, 100);
    auto *icon = new ShellIcon(&host, &holder);
    icon->setIcon(redPicture());
    holder.show();
    EXPECT_FALSE(icon->isVisible());

    icon->setUserMode(false);
    EXPECT_TRUE(icon->isVisible());
    const QImage face = icon->grab().toImage();
    EXPECT_EQ(face.pixelColor(5, 5), QColor(Qt::red));
}

TEST(ShellIcon, MapsEachMouseMessageToItsEvents)
{
    struct Case {
        float X;
        QStringList events;
        bool timerStarts;
    };
    const Case cases[] = {
        {512, {"MouseMove"}, false},
        {513, {"MouseDown(1)"}, false},
        {514, {"MouseUp(1)", "Click(1)"}, true},
        {515, {"DblClick(1)"}, false},
        {516, {"MouseDown(2)"}, false},
        {517, {"MouseUp(2)", "Click(2)"}, false},
        {518, {"DblClick(2)"}, false},
        {511, {}, false},
        {519, {}, false},
        {513.5f, {}, false},
    };
    for (const Case &c : cases) {
        FakeNotifyIconHost host;
        ShellIcon icon(&host);
        EventLog log(icon);
        icon.mouseMoveNotification(c.X);
        EXPECT_EQ(log.events, c.events) << c.X;
        EXPECT_EQ(icon.tmrMenuEnabled(), c.timerStarts) << c.X;
    }
}

TEST(ShellIcon, TakesTheCallbackSentToItsOwnWindowOnly)
{
    FakeNotifyIconHost host;
    ShellIcon icon(&host);
    ShellIcon other(&host);
    EventLog log(icon);
    const NotifyIconDataA record = icon.NotifyData().toAnsi();
    host.activity(record, NotifyIconHost::WM_RBUTTONDOWN);
    host.activity(other.NotifyData().toAnsi(), NotifyIconHost::WM_LBUTTONDOWN);
    NotifyIconDataA otherMessage = record;
    otherMessage.uCallbackMessage = 0x0400;
    host.activity(otherMessage, NotifyIconHost::WM_LBUTTONDBLCLK);

    EXPECT_EQ(log.events, QStringList {"MouseDown(2)"});
}

TEST(ShellIcon, RightReleaseWithSysMenuShowsTheHoldersMenuInstead)
{
    FakeNotifyIconHost host;
    QWidget holder;
    auto *icon = new ShellIcon(&host, &holder);
    runtime::PropertyBag saved;
    icon->ReadProperties(saved);
    ASSERT_EQ(icon->SysMenu(), runtime::True);
    holder.show();
    EventLog log(*icon);

    press(*icon, {516, 517});

    EXPECT_EQ(log.events, QStringList {"MouseDown(2)"});
    const SystemMenu *menu = icon->findChild<SystemMenu *>();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->target(), &holder);
    EXPECT_FALSE(icon->tmrMenuEnabled());
}

TEST(ShellIcon, DoubleClickRaisesNoSingleClick)
{
    FakeNotifyIconHost host;
    ShellIcon icon(&host);
    EventLog log(icon);
    press(icon, {513, 514, 515, 514});

    EXPECT_EQ(log.events,
              (QStringList {"MouseDown(1)", "MouseUp(1)", "Click(1)", "DblClick(1)", "MouseUp(1)", "Click(1)"}));
    // With the timer stopped no SingleClick can follow.
    EXPECT_FALSE(icon.tmrMenuEnabled());
}

TEST(ShellIcon, SingleClickFollowsALoneClick300MsAfterItsRelease)
{
    FakeNotifyIconHost host;
    ShellIcon icon(&host);
    EventLog log(icon);
    QElapsedTimer sinceRelease;
    press(icon, {513});
    sinceRelease.start();
    press(icon, {514});
    EXPECT_EQ(log.events.size(), 3);

    ASSERT_TRUE(waitFor([&] { return log.events.size() == 4; }));
    EXPECT_GE(sinceRelease.elapsed(), 300);
    EXPECT_EQ(log.events.last(), QStringLiteral("SingleClick(1)"));
    EXPECT_FALSE(icon.tmrMenuEnabled());
}

TEST(ShellIcon, ATripleClickLeavesTheTimerRunning)
{
    FakeNotifyIconHost host;
    ShellIcon icon(&host);
    EventLog log(icon);
    press(icon, {513, 514, 515, 514, 513, 514});
    EXPECT_TRUE(icon.tmrMenuEnabled());

    ASSERT_TRUE(waitFor([&] { return log.events.contains(QStringLiteral("SingleClick(1)")); }));
    EXPECT_EQ(log.events.count(QStringLiteral("SingleClick(1)")), 1);
}

TEST(ShellIcon, AHandlerMayDeleteTheControl)
{
    FakeNotifyIconHost host;
    QPointer<ShellIcon> icon = new ShellIcon(&host);
    icon->setVisible(runtime::True);
    QStringList events;
    QObject::connect(icon, &ShellIcon::MouseUp, [&](short &) {
        events << QStringLiteral("MouseUp");
        delete icon.data();
    });
    QObject::connect(icon, &ShellIcon::Click, [&](short &) { events << QStringLiteral("Click"); });
    icon->mouseMoveNotification(514);

    EXPECT_TRUE(icon.isNull());
    EXPECT_EQ(events, QStringList {"MouseUp"});
    EXPECT_EQ(host.messages(), (QList<std::uint32_t> {Add, Delete}));
}
