// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSystemTrayIcon>

#include <cstdint>
#include <optional>
#include <vector>

// The mouse messages behind a notification-area icon's activations. An XEmbed
// tray reports a double click as Trigger then DoubleClick. A StatusNotifier
// host calls Activate once per left click, which arrives as a Trigger only:
// there a Trigger within the double-click interval of a lone one is the second
// click of a double click. Either way the icon's window hears left down, up,
// double click, up.
class TrayActivations
{
public:
    // at: when the activation arrived, in milliseconds of any steady clock.
    // pairingIntervalMs: the desktop's double-click interval where Triggers make
    // double clicks, 0 where the tray tells double clicks itself.
    std::vector<std::uint32_t> mouseMessages(QSystemTrayIcon::ActivationReason reason, qint64 at,
                                             int pairingIntervalMs);

private:
    // The last Trigger, while it may still become the first click of a double click.
    std::optional<qint64> m_loneTrigger;
};
