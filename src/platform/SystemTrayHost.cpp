// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemTrayHost.h"

#include "NotifyIconDataA.h"
#include "StatusNotifierItem.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QPointer>
#include <QStyleHints>

#include <algorithm>

#ifdef KAVEL_HAVE_X11
#include "X11TrayManagerWatch.h"
#endif

namespace {

constexpr int AvailabilityCheckMs = 1000;

int doubleClickIntervalMs()
{
    return QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

// A panel that draws StatusNotifierItems gets the player's own: Qt's would be titled with the
// program's file name. So does a watcher that has not answered yet, since Qt's icon would wait
// for it and hold up the start, where the player's own never waits. Decided once, at the start,
// so that the icons never change their kind.
std::unique_ptr<StatusNotifierItemHosts> statusNotifierItemHosts()
{
    auto hosts = std::make_unique<StatusNotifierItemHosts>(QDBusConnection::sessionBus());
    return hosts->registered().value_or(true) ? std::move(hosts) : nullptr;
}

} // namespace

QObject *SystemTrayHost::Icon::shown() const
{
    return item ? static_cast<QObject *>(item) : tray;
}

SystemTrayHost::SystemTrayHost(PictureLookup pictureOf)
    : m_pictureOf(std::move(pictureOf))
    , m_itemHosts(statusNotifierItemHosts())
    , m_available(isAvailable())
{
    m_clock.start();
    if (m_itemHosts) {
        connect(m_itemHosts.get(), &StatusNotifierItemHosts::registeredChanged, this,
                &SystemTrayHost::checkAvailability);
        return;
    }
    if (watchTrayManager())
        return;
    m_availabilityCheck.setInterval(AvailabilityCheckMs);
    connect(&m_availabilityCheck, &QTimer::timeout, this, &SystemTrayHost::checkAvailability);
    m_availabilityCheck.start();
}

bool SystemTrayHost::notifyIcon(std::uint32_t message, QByteArrayView data)
{
    const std::optional<NotifyIconDataA> record = NotifyIconDataA::fromBytes(data);
    if (!record)
        return false;
    const auto icon = find(record->hWnd, record->uID);
    switch (message) {
    case NIM_ADD:
        if (icon != m_icons.end())
            return false;
        show(m_icons.emplace_back(Icon {.hWnd = record->hWnd, .uID = record->uID}), *record);
        return isAvailable();
    case NIM_MODIFY:
        if (icon == m_icons.end())
            return false;
        apply(*icon, *record);
        return isAvailable();
    case NIM_DELETE:
        if (icon == m_icons.end())
            return false;
        // Its window may be handling one of its activations: the icon goes
        // once that has returned.
        icon->shown()->disconnect(this);
        icon->shown()->deleteLater();
        m_icons.erase(icon);
        return true;
    default:
        return false;
    }
}

bool SystemTrayHost::isAvailable() const
{
    return m_itemHosts ? m_itemHosts->registered().value_or(false) : QSystemTrayIcon::isSystemTrayAvailable();
}

void SystemTrayHost::show(Icon &icon, const NotifyIconDataA &data)
{
    if (m_itemHosts) {
        icon.item = new StatusNotifierItem(++m_itemsMade, this);
        // The panel calls Activate once per click: a second one soon after is a double click.
        connect(icon.item, &StatusNotifierItem::activated, this,
                [this, item = icon.item](QSystemTrayIcon::ActivationReason reason) {
                    activated(item, reason, doubleClickIntervalMs());
                });
        apply(icon, data);
        return;
    }
    icon.tray = new QSystemTrayIcon(this);
    // Qt tells the double clicks on an icon it embeds in a panel itself, by the clicks' own times,
    // also when they reach the program together. An icon the panel draws (Qt's StatusNotifier
    // item) has no place that Qt knows, and each of its clicks is a Trigger.
    connect(icon.tray, &QSystemTrayIcon::activated, this,
            [this, tray = icon.tray](QSystemTrayIcon::ActivationReason reason) {
                activated(tray, reason, tray->geometry().isEmpty() ? doubleClickIntervalMs() : 0);
            });
    apply(icon, data);
    icon.tray->show();
}

std::vector<SystemTrayHost::Icon>::iterator SystemTrayHost::find(std::uint32_t hWnd, std::uint32_t uID)
{
    return std::find_if(m_icons.begin(), m_icons.end(),
                        [&](const Icon &icon) { return icon.hWnd == hWnd && icon.uID == uID; });
}

std::vector<SystemTrayHost::Icon>::iterator SystemTrayHost::find(const QObject *shown)
{
    return std::find_if(m_icons.begin(), m_icons.end(), [shown](const Icon &icon) { return icon.shown() == shown; });
}

void SystemTrayHost::apply(Icon &icon, const NotifyIconDataA &data)
{
    if (data.uFlags & NotifyIconDataA::NIF_MESSAGE)
        icon.callbackMessage = data.uCallbackMessage;
    if (data.uFlags & NotifyIconDataA::NIF_ICON) {
        const QImage picture = m_pictureOf ? m_pictureOf(data.hIcon) : QImage();
        if (icon.item)
            icon.item->setPicture(picture);
        else
            icon.tray->setIcon(picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture)));
    }
    if (data.uFlags & NotifyIconDataA::NIF_TIP) {
        if (icon.item)
            icon.item->setToolTip(data.tip());
        else
            icon.tray->setToolTip(data.tip());
    }
}

void SystemTrayHost::activated(const QObject *shown, QSystemTrayIcon::ActivationReason reason, int pairingIntervalMs)
{
    const auto icon = find(shown);
    if (icon == m_icons.end())
        return;
    const std::vector<std::uint32_t> mouseMessages
        = icon->activations.mouseMessages(reason, m_clock.elapsed(), pairingIntervalMs);
    for (const std::uint32_t mouseMessage : mouseMessages) {
        if (!send(shown, mouseMessage))
            break;
    }
}

bool SystemTrayHost::send(const QObject *shown, std::uint32_t mouseMessage)
{
    const auto icon = find(shown);
    if (icon == m_icons.end())
        return false;
    if (!icon->callbackMessage)
        return true;
    const QPointer<SystemTrayHost> self(this);
    emit windowMessage(icon->hWnd, *icon->callbackMessage, icon->uID, mouseMessage);
    return !self.isNull();
}

bool SystemTrayHost::watchTrayManager()
{
#ifdef KAVEL_HAVE_X11
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    auto *watch = new X11TrayManagerWatch(x11->connection(), this);
    connect(watch, &X11TrayManagerWatch::managerChanged, this, &SystemTrayHost::checkAvailability);
    return true;
#else
    return false;
#endif
}

void SystemTrayHost::checkAvailability()
{
    const bool available = isAvailable();
    if (available == m_available)
        return;
    m_available = available;
    emit availabilityChanged(available);
}
