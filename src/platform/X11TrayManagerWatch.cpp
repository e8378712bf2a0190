// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11TrayManagerWatch.h"

#include "XcbReply.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <cstdlib>

namespace {

xcb_atom_t internAtom(xcb_connection_t *connection, const QByteArray &name)
{
    const XcbReply<xcb_intern_atom_reply_t> reply {
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, false, name.size(), name.constData()), nullptr),
        &std::free};
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The screen whose notification area the toolkit's icons go to: the display's default one.
QByteArray trayManagerSelection()
{
    int screen = 0;
    char *host = nullptr;
    int display = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen))
        std::free(host);
    return "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen);
}

} // namespace

X11TrayManagerWatch::X11TrayManagerWatch(xcb_connection_t *connection, QObject *parent)
    : QObject(parent)
    , m_managerAtom(internAtom(connection, QByteArrayLiteral("MANAGER")))
    , m_selection(internAtom(connection, trayManagerSelection()))
{
    // The toolkit listens to the root window's structure, where the announcements arrive, and to
    // that of the notification area's window once asked whether there is one, which tells of its
    // end: the receivers of managerChanged ask it.
    const XcbReply<xcb_get_selection_owner_reply_t> owner {
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, m_selection), nullptr),
        &std::free};
    if (owner)
        m_manager = owner->owner;
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11TrayManagerWatch::~X11TrayManagerWatch()
{
    if (QCoreApplication *application = QCoreApplication::instance())
        application->removeNativeEventFilter(this);
}

bool X11TrayManagerWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t" || m_selection == XCB_ATOM_NONE)
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    switch (event->response_type & 0x7f) {
    case XCB_CLIENT_MESSAGE: {
        const auto *announcement = static_cast<const xcb_client_message_event_t *>(message);
        if (announcement->type == m_managerAtom && announcement->format == 32
            && announcement->data.data32[1] == m_selection) {
            m_manager = announcement->data.data32[2];
            tellChange();
        }
        break;
    }
    case XCB_DESTROY_NOTIFY: {
        const auto *destroyed = static_cast<const xcb_destroy_notify_event_t *>(message);
        if (m_manager != XCB_WINDOW_NONE && destroyed->window == m_manager) {
            m_manager = XCB_WINDOW_NONE;
            tellChange();
        }
        break;
    }
    default:
        break;
    }
    // The toolkit's own tray icons follow the same events.
    return false;
}

void X11TrayManagerWatch::tellChange()
{
    QMetaObject::invokeMethod(this, &X11TrayManagerWatch::managerChanged, Qt::QueuedConnection);
}
