// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellIcon.h"

#include "SystemMenu.h"
#include "platform/NotifyIconHost.h"
#include "runtime/PropertyBag.h"
#include "runtime/Units.h"

#include <QCursor>
#include <QPainter>

#include <atomic>

namespace {

constexpr std::uint32_t IconIdentifier = 1;
constexpr int FaceTwips = 480;
constexpr int tmrMenuInterval = 300;

// The control has no native window of its own (one would make its sibling
// widgets native too), so it is named by a number above every X11 window id,
// unique in the process; the notification area only sends it back.
std::uint32_t newWindowHandle()
{
    static std::atomic<std::uint32_t> last {0x80000000u};
    return ++last;
}

QVariant pictureValue(const runtime::Picture &picture)
{
    return picture.handle() ? QVariant::fromValue(picture) : QVariant();
}

} // namespace

ShellIcon::ShellIcon(NotifyIconHost *host, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
{
    m_notifyData.cbSize = NotifyIconDataA::Size;
    m_notifyData.hWnd = newWindowHandle();
    m_notifyData.uID = IconIdentifier;
    m_notifyData.uFlags = NotifyIconDataA::NIF_MESSAGE | NotifyIconDataA::NIF_ICON | NotifyIconDataA::NIF_TIP;
    m_notifyData.uCallbackMessage = NotifyIconHost::WM_MOUSEMOVE;

    m_tmrMenu.setInterval(tmrMenuInterval);
    m_tmrMenu.setTimerType(Qt::PreciseTimer);
    connect(&m_tmrMenu, &QTimer::timeout, this, &ShellIcon::tmrMenu_Timer);
    if (host)
        connect(host, &NotifyIconHost::windowMessage, this, &ShellIcon::windowMessage);

    // Only a designer shows the face, whose size is fixed.
    QWidget::setVisible(false);
    setFixedSize(runtime::Units::twipsToPixelsX(FaceTwips, screen()),
                 runtime::Units::twipsToPixelsY(FaceTwips, screen()));
}

ShellIcon::~ShellIcon()
{
    if (m_iconAdded)
        SetIconShown(runtime::False);
}

void ShellIcon::setUserMode(bool userMode)
{
    m_userMode = userMode;
    QWidget::setVisible(!userMode);
}

void ShellIcon::setToolTipText(const QString &New_ToolTipText)
{
    m_toolTipText = New_ToolTipText;
    m_notifyData.setTip(New_ToolTipText);
    emit propertyChanged(QStringLiteral("ToolTipText"));
    if (m_iconAdded)
        shellNotifyIcon(NotifyIconHost::NIM_MODIFY);
}

void ShellIcon::setIcon(const runtime::Picture &New_Icon)
{
    m_icon = New_Icon;
    update();
    emit propertyChanged(QStringLiteral("Icon"));
    m_notifyData.hIcon = m_icon.handle();
    if (m_iconAdded)
        shellNotifyIcon(NotifyIconHost::NIM_MODIFY);
}

void ShellIcon::setVisible(std::int16_t New_Visible)
{
    m_visible = runtime::toBoolean(New_Visible != 0);
    emit propertyChanged(QStringLiteral("Visible"));
    SetIconShown(m_visible);
}

void ShellIcon::setSysMenu(std::int16_t New_SysMenu)
{
    m_sysMenu = runtime::toBoolean(New_SysMenu != 0);
    emit propertyChanged(QStringLiteral("SysMenu"));
}

void ShellIcon::ShowSysMenu(std::uint32_t hwnd)
{
    QWidget *target = nullptr;
    if (hwnd == 0)
        target = parentWidget() ? window() : nullptr;
    else
        target = QWidget::find(WId(hwnd));
    if (!target || !target->isWindow())
        return;
    if (!m_systemMenu)
        m_systemMenu = new SystemMenu(this);
    m_systemMenu->popupFor(target, QCursor::pos());
}

void ShellIcon::ReadProperties(const runtime::PropertyBag &bag)
{
    m_toolTipText = bag.ReadProperty(QStringLiteral("ToolTipText"), QString()).toString();
    m_notifyData.setTip(m_toolTipText);
    const QVariant icon = bag.ReadProperty(QStringLiteral("Icon"));
    m_icon = icon.metaType() == QMetaType::fromType<runtime::Picture>() ? icon.value<runtime::Picture>()
                                                                        : runtime::Picture();
    update();
    m_visible = runtime::toBoolean(bag.ReadProperty(QStringLiteral("Visible"), false).toBool());
    m_sysMenu = runtime::toBoolean(bag.ReadProperty(QStringLiteral("SysMenu"), true).toBool());
    m_notifyData.hIcon = m_icon.handle();
    if (m_userMode)
        SetIconShown(m_visible);
}

void ShellIcon::WriteProperties(runtime::PropertyBag &bag) const
{
    bag.WriteProperty(QStringLiteral("ToolTipText"), m_toolTipText, QString());
    bag.WriteProperty(QStringLiteral("Icon"), pictureValue(m_icon), QVariant());
    bag.WriteProperty(QStringLiteral("Visible"), m_visible != runtime::False, false);
    bag.WriteProperty(QStringLiteral("SysMenu"), m_sysMenu != runtime::False, true);
}

void ShellIcon::mouseMoveNotification(float X)
{
    const auto is = [X](NotifyIconHost::MouseMessage message) {
        return X == static_cast<float>(message);
    };
    if (is(NotifyIconHost::WM_MOUSEMOVE)) {
        emit MouseMove();
    } else if (is(NotifyIconHost::WM_LBUTTONDOWN)) {
        raise(&ShellIcon::MouseDown, 1);
    } else if (is(NotifyIconHost::WM_LBUTTONUP)) {
        if (!raise(&ShellIcon::MouseUp, 1) || !raise(&ShellIcon::Click, 1))
            return;
        // The first release of a double click starts the timer, the second stops it.
        if (m_tmrMenu.isActive())
            m_tmrMenu.stop();
        else
            m_tmrMenu.start();
    } else if (is(NotifyIconHost::WM_LBUTTONDBLCLK)) {
        raise(&ShellIcon::DblClick, 1);
    } else if (is(NotifyIconHost::WM_RBUTTONDOWN)) {
        raise(&ShellIcon::MouseDown, 2);
    } else if (is(NotifyIconHost::WM_RBUTTONUP)) {
        if (m_sysMenu)
            ShowSysMenu(0);
        else if (raise(&ShellIcon::MouseUp, 2))
            raise(&ShellIcon::Click, 2);
    } else if (is(NotifyIconHost::WM_RBUTTONDBLCLK)) {
        raise(&ShellIcon::DblClick, 2);
    }
}

void ShellIcon::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_icon.image());
}

void ShellIcon::SetIconShown(std::int16_t Show)
{
    if (Show && !m_iconAdded) {
        if (!m_userMode)
            return;
        shellNotifyIcon(NotifyIconHost::NIM_ADD);
        m_iconAdded = runtime::True;
    } else if (!Show && m_iconAdded) {
        shellNotifyIcon(NotifyIconHost::NIM_DELETE);
        m_iconAdded = runtime::False;
    }
}

void ShellIcon::shellNotifyIcon(std::uint32_t message)
{
    if (!m_host)
        return;
    const NotifyIconDataA data = m_notifyData.toAnsi();
    m_host->notifyIcon(message, data.toBytes());
    m_notifyData.tipFromAnsi(data);
}

void ShellIcon::windowMessage(std::uint32_t hWnd, std::uint32_t message, std::uint32_t, std::uint32_t lParam)
{
    // A mouse move reports its X in the low word of its parameter.
    if (hWnd == m_notifyData.hWnd && message == NotifyIconHost::WM_MOUSEMOVE)
        mouseMoveNotification(static_cast<float>(static_cast<std::int16_t>(lParam & 0xFFFF)));
}

void ShellIcon::tmrMenu_Timer()
{
    m_tmrMenu.stop();
    raise(&ShellIcon::SingleClick, 1);
}

bool ShellIcon::raise(void (ShellIcon::*event)(short &), short button)
{
    const QPointer<ShellIcon> self(this);
    emit(this->*event)(button);
    return !self.isNull();
}
