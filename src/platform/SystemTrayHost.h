// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NotifyIconHost.h"
#include "StatusNotifierItemHosts.h"
#include "TrayActivations.h"

#include <QElapsedTimer>
#include <QSystemTrayIcon>
#include <QTimer>

#include <memory>
#include <optional>
#include <vector>

class StatusNotifierItem;
struct NotifyIconDataA;

// The notification area. Where a StatusNotifier host draws the icons when the player starts,
// each icon is a StatusNotifierItem of the player's own, named as the player is; elsewhere
// (an XEmbed tray, no session bus) it is a QSystemTrayIcon. Either way their activations
// become the mouse messages of the record's callback (see TrayActivations).
//
// Where no notification area is there, icons are kept and appear as soon as one starts.
class SystemTrayHost : public NotifyIconHost
{
    Q_OBJECT
public:
    explicit SystemTrayHost(PictureLookup pictureOf);

    bool notifyIcon(std::uint32_t message, QByteArrayView data) override;
    bool isAvailable() const override;

private:
    struct Icon {
        std::uint32_t hWnd = 0;
        std::uint32_t uID = 0;
        std::optional<std::uint32_t> callbackMessage {};
        // What shows the icon, one of the two, a child of the host.
        StatusNotifierItem *item = nullptr;
        QSystemTrayIcon *tray = nullptr;
        TrayActivations activations {};

        QObject *shown() const;
    };

    void show(Icon &icon, const NotifyIconDataA &data);
    std::vector<Icon>::iterator find(std::uint32_t hWnd, std::uint32_t uID);
    std::vector<Icon>::iterator find(const QObject *shown);
    void apply(Icon &icon, const NotifyIconDataA &data);
    void activated(const QObject *shown, QSystemTrayIcon::ActivationReason reason, int pairingIntervalMs);
    // False when the icon went away while its window handled the message.
    bool send(const QObject *shown, std::uint32_t mouseMessage);
    // Follows the display's notification area where the display tells of it.
    bool watchTrayManager();
    void checkAvailability();

    PictureLookup m_pictureOf;
    // Only where the icons are the player's own items.
    std::unique_ptr<StatusNotifierItemHosts> m_itemHosts;
    int m_itemsMade = 0;
    std::vector<Icon> m_icons;
    QElapsedTimer m_clock; // when activations arrive
    // Qt's icons say whether a tray is there only when asked: asked each second where the
    // display cannot tell.
    QTimer m_availabilityCheck;
    bool m_available;
};
