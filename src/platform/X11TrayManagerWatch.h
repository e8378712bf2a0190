// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <xcb/xcb.h>

// Tells when an XEmbed notification area starts or ends on the display, as the X server reports
// it: a new one announces itself on the root window, and the window of the one there goes.
class X11TrayManagerWatch : public QObject, private QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    explicit X11TrayManagerWatch(xcb_connection_t *connection, QObject *parent = nullptr);
    ~X11TrayManagerWatch() override;

Q_SIGNALS:
    // Posted after the event, so that the toolkit has taken it in too when a receiver asks it.
    void managerChanged();

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
    void tellChange();

    xcb_atom_t m_managerAtom = XCB_ATOM_NONE;
    xcb_atom_t m_selection = XCB_ATOM_NONE;
    xcb_window_t m_manager = XCB_WINDOW_NONE;
};
