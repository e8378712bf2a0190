#include "SystemTrayHost.h"

#include "NotifyIconDataA.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QPointer>
#include <QStyleHints>

#include <algorithm>

namespace {

constexpr int AvailabilityCheckMs = 1000;

} // namespace

SystemTrayHost::SystemTrayHost(PictureLookup pictureOf)
    : m_pictureOf(std::move(pictureOf))
    , m_available(QSystemTrayIcon::isSystemTrayAvailable())
{
    m_availabilityCheck.setInterval(AvailabilityCheckMs);
    connect(&m_availabilityCheck, &QTimer::timeout, this, &SystemTrayHost::checkAvailability);
    m_availabilityCheck.start();
    m_clock.start();
}

bool SystemTrayHost::notifyIcon(std::uint32_t message, QByteArrayView data)
{
    const std::optional<NotifyIconDataA> record = NotifyIconDataA::fromBytes(data);
    if (!record)
        return false;
    const auto icon = find(record->hWnd, record->uID);
    switch (message) {
    case NIM_ADD: {
        if (icon != m_icons.end())
            return false;
        Icon &added
            = m_icons.emplace_back(Icon {record->hWnd, record->uID, std::nullopt, new QSystemTrayIcon(this), {}});
        connect(added.tray, &QSystemTrayIcon::activated, this,
                [this, tray = added.tray](QSystemTrayIcon::ActivationReason reason) { activated(tray, reason); });
        apply(added, *record);
        added.tray->show();
        return isAvailable();
    }
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
        icon->tray->disconnect(this);
        icon->tray->deleteLater();
        m_icons.erase(icon);
        return true;
    default:
        return false;
    }
}

bool SystemTrayHost::isAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

std::vector<SystemTrayHost::Icon>::iterator SystemTrayHost::find(std::uint32_t hWnd, std::uint32_t uID)
{
    return std::find_if(m_icons.begin(), m_icons.end(),
                        [&](const Icon &icon) { return icon.hWnd == hWnd && icon.uID == uID; });
}

std::vector<SystemTrayHost::Icon>::iterator SystemTrayHost::find(const QSystemTrayIcon *tray)
{
    return std::find_if(m_icons.begin(), m_icons.end(), [tray](const Icon &icon) { return icon.tray == tray; });
}

void SystemTrayHost::apply(Icon &icon, const NotifyIconDataA &data)
{
    if (data.uFlags & NotifyIconDataA::NIF_MESSAGE)
        icon.callbackMessage = data.uCallbackMessage;
    if (data.uFlags & NotifyIconDataA::NIF_ICON) {
        const QImage picture = m_pictureOf ? m_pictureOf(data.hIcon) : QImage();
        icon.tray->setIcon(picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture)));
    }
    if (data.uFlags & NotifyIconDataA::NIF_TIP)
        icon.tray->setToolTip(data.tip());
}

void SystemTrayHost::activated(const QSystemTrayIcon *tray, QSystemTrayIcon::ActivationReason reason)
{
    const auto icon = find(tray);
    if (icon == m_icons.end())
        return;
    // Qt tells the double clicks on an icon it embeds in a panel itself, by the clicks' own times,
    // also when they reach the program together. An icon the panel draws (a StatusNotifier
    // item) has no place that Qt knows, and each of its clicks is a Trigger.
    const int pairingIntervalMs
        = tray->geometry().isEmpty() ? QGuiApplication::styleHints()->mouseDoubleClickInterval() : 0;
    const std::vector<std::uint32_t> mouseMessages
        = icon->activations.mouseMessages(reason, m_clock.elapsed(), pairingIntervalMs);
    for (const std::uint32_t mouseMessage : mouseMessages) {
        if (!send(tray, mouseMessage))
            break;
    }
}

bool SystemTrayHost::send(const QSystemTrayIcon *tray, std::uint32_t mouseMessage)
{
    const auto icon = find(tray);
    if (icon == m_icons.end())
        return false;
    if (!icon->callbackMessage)
        return true;
    const QPointer<SystemTrayHost> self(this);
    emit windowMessage(icon->hWnd, *icon->callbackMessage, icon->uID, mouseMessage);
    return !self.isNull();
}

void SystemTrayHost::checkAvailability()
{
    const bool available = isAvailable();
    if (available == m_available)
        return;
    m_available = available;
    emit availabilityChanged(available);
}
