// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrayActivations.h"

#include "NotifyIconHost.h"

#include <utility>

std::vector<std::uint32_t> TrayActivations::mouseMessages(QSystemTrayIcon::ActivationReason reason, qint64 at,
                                                          int pairingIntervalMs)
{
    const std::optional<qint64> lone = std::exchange(m_loneTrigger, std::nullopt);
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        if (lone && at - *lone < pairingIntervalMs)
            return {NotifyIconHost::WM_LBUTTONDBLCLK, NotifyIconHost::WM_LBUTTONUP};
        m_loneTrigger = at;
        return {NotifyIconHost::WM_LBUTTONDOWN, NotifyIconHost::WM_LBUTTONUP};
    case QSystemTrayIcon::DoubleClick:
        return {NotifyIconHost::WM_LBUTTONDBLCLK, NotifyIconHost::WM_LBUTTONUP};
    case QSystemTrayIcon::Context:
        // The popup menu takes the release.
        return {NotifyIconHost::WM_RBUTTONDOWN};
    default:
        return {};
    }
}
