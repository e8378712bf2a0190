// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

// The desktop's notification area, reached through one call as the platform
// offers it: add, modify or delete the icon that a record (NotifyIconDataA)
// names by its window and identifier. Activity on an icon comes back as the
// record's callback message, sent to its window with the icon's identifier
// and the originating mouse message (0x0201 left down, 0x0202 left up, 0x0203
// left double click, 0x0204 right down, ...).
class NotifyIconHost : public QObject
{
    Q_OBJECT
public:
    enum Message : std::uint32_t { NIM_ADD = 0, NIM_MODIFY = 1, NIM_DELETE = 2 };

    enum MouseMessage : std::uint32_t {
        WM_MOUSEMOVE = 0x0200,
        WM_LBUTTONDOWN = 0x0201,
        WM_LBUTTONUP = 0x0202,
        WM_LBUTTONDBLCLK = 0x0203,
        WM_RBUTTONDOWN = 0x0204,
        WM_RBUTTONUP = 0x0205,
        WM_RBUTTONDBLCLK = 0x0206,
    };

    // The picture behind a record's icon handle (a null image for none).
    using PictureLookup = std::function<QImage(std::uint32_t handle)>;

    // The notification area of the desktop the application runs on.
    static std::unique_ptr<NotifyIconHost> create(PictureLookup pictureOf);

    // data holds the 88-byte record. True when the icon was added, changed or
    // removed and is shown (add, modify) where a notification area is there.
    virtual bool notifyIcon(std::uint32_t message, QByteArrayView data) = 0;

    // Whether the desktop has a notification area showing the icons now.
    virtual bool isAvailable() const = 0;

Q_SIGNALS:
    // Sent, not posted: it arrives while the activity is handled.
    void windowMessage(std::uint32_t hWnd, std::uint32_t message, std::uint32_t wParam, std::uint32_t lParam);
    // The notification area came or went (its process ended, the panel was removed).
    void availabilityChanged(bool available);
};
