#pragma once

#include "NotifyIconHost.h"

#include <QSystemTrayIcon>
#include <QTimer>

#include <optional>
#include <vector>

struct NotifyIconDataA;

// The notification area through QSystemTrayIcon. Its activations become the
// mouse messages of the record's callback: Trigger (a left press) is a left
// down and up, DoubleClick a left double click and up (after the Trigger of
// the first press), Context a right down. The icon's popup menu takes the
// right release, so none is sent.
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
    };

    std::vector<Icon>::iterator find(std::uint32_t hWnd, std::uint32_t uID);
    void apply(Icon &icon, const NotifyIconDataA &data);
    void activated(const QSystemTrayIcon *tray, QSystemTrayIcon::ActivationReason reason);
    // False when the icon went away while its window handled the message.
    bool send(const QSystemTrayIcon *tray, std::uint32_t mouseMessage);
    void checkAvailability();

    PictureLookup m_pictureOf;
    std::vector<Icon> m_icons;
    QTimer m_availabilityCheck;
    bool m_available;
};
