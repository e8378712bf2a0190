#pragma once

#include "NotifyIconHost.h"
#include "TrayActivations.h"

#include <QElapsedTimer>
#include <QSystemTrayIcon>
#include <QTimer>

#include <optional>
#include <vector>

struct NotifyIconDataA;

// The notification area through QSystemTrayIcon. Its activations become the
// mouse messages of the record's callback (see TrayActivations), whether the
// desktop shows the icon in an XEmbed tray or as a StatusNotifierItem.
//
// Where no notification area is there, icons are kept and appear as soon as
// one starts; availability is checked every second.
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
        std::optional<std::uint32_t> callbackMessage;
        QSystemTrayIcon *tray = nullptr; // a child of the host
        TrayActivations activations;
    };

    std::vector<Icon>::iterator find(std::uint32_t hWnd, std::uint32_t uID);
    std::vector<Icon>::iterator find(const QSystemTrayIcon *tray);
    void apply(Icon &icon, const NotifyIconDataA &data);
    void activated(const QSystemTrayIcon *tray, QSystemTrayIcon::ActivationReason reason);
    // False when the icon went away while its window handled the message.
    bool send(const QSystemTrayIcon *tray, std::uint32_t mouseMessage);
    void checkAvailability();

    PictureLookup m_pictureOf;
    std::vector<Icon> m_icons;
    QElapsedTimer m_clock; // when activations arrive
    QTimer m_availabilityCheck;
    bool m_available;
};
