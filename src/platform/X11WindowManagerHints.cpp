// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11WindowManagerHints.h"

#include "XcbReply.h"

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb_icccm.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

namespace {

// _MOTIF_WM_HINTS: flags, functions, decorations, input mode, status.
constexpr std::uint32_t MwmHintsFunctions = 1U << 0;
constexpr std::uint32_t MwmHintsDecorations = 1U << 1;
constexpr std::uint32_t MwmFunctionsAll = 1U << 0;
constexpr std::uint32_t MwmDecorBorder = 1U << 1;
// The border alone: with the resize handles or the title beside it, a window
// manager may draw every decoration, title bar included (openbox does); on its
// own it is the border without a title, and dragging that border resizes.
const std::vector<std::uint32_t> BorderWithoutTitle
    = {MwmHintsFunctions | MwmHintsDecorations, MwmFunctionsAll, MwmDecorBorder, 0, 0};

// Minimum and maximum aspect, as numerator and denominator each. The proportions go out as a band a
// hundred-thousandth wide: a window manager that works an exact ratio out in single precision cuts
// the program's own size a pixel short (openbox makes 440 x 374 of 400:340 into 440 x 373), and the
// window's minimum size then pushes back against it without end.
std::array<std::int32_t, 4> aspectBand(QSize ratio)
{
    constexpr std::int64_t Denominator = 100000;
    const std::int64_t exact = std::int64_t(ratio.width()) * Denominator / ratio.height();
    const auto numerator = [](std::int64_t n) {
        return std::int32_t(std::clamp<std::int64_t>(n, 1, std::numeric_limits<std::int32_t>::max()));
    };
    return {numerator(exact - 1), std::int32_t(Denominator), numerator(exact + 1), std::int32_t(Denominator)};
}

} // namespace

X11WindowManagerHints::X11WindowManagerHints(QWidget *window, xcb_connection_t *connection)
    : m_window(window)
    , m_connection(connection)
{
    const std::array<const char *, 5> names = {"_MOTIF_WM_HINTS", "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_NORMAL",
                                               "_KDE_NET_WM_WINDOW_TYPE_OVERRIDE", "_NET_FRAME_EXTENTS"};
    std::array<xcb_intern_atom_cookie_t, names.size()> cookies {};
    for (std::size_t i = 0; i < names.size(); ++i)
        cookies[i] = xcb_intern_atom(m_connection, 0, std::uint16_t(std::strlen(names[i])), names[i]);
    std::array<xcb_atom_t, names.size()> atoms {};
    for (std::size_t i = 0; i < names.size(); ++i) {
        XcbReply<xcb_intern_atom_reply_t> reply {xcb_intern_atom_reply(m_connection, cookies[i], nullptr), &std::free};
        atoms[i] = reply ? reply->atom : xcb_atom_t(XCB_NONE);
    }
    m_motifHints = atoms[0];
    m_windowType = atoms[1];
    m_normalType = atoms[2];
    m_undecoratedType = atoms[3];
    m_frameExtentsAtom = atoms[4];

    window->winId(); // the native window, so there is something to write to
    QCoreApplication::instance()->installNativeEventFilter(this);
    attach();
}

bool X11WindowManagerHints::setAspectRatio(QSize ratio)
{
    if (ratio.width() <= 0 || ratio.height() <= 0)
        return false;
    m_aspect = ratio;
    keepAspect();
    return true;
}

bool X11WindowManagerHints::requestBorderWithoutTitle()
{
    m_border = true;
    keepWindowType();
    keepBorder();
    return true;
}

xcb_window_t X11WindowManagerHints::currentNative() const
{
    const QWindow *handle = m_window ? m_window->windowHandle() : nullptr;
    // handle() first: asking a window without one for its id would create one.
    return handle && handle->handle() ? xcb_window_t(handle->winId()) : xcb_window_t(XCB_NONE);
}

void X11WindowManagerHints::attach()
{
    m_native = currentNative();
    keepWindowType();
    keepBorder();
    keepAspect();
    readFrameExtents();
}

bool X11WindowManagerHints::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto *change = static_cast<const xcb_property_notify_event_t *>(message);
    if (change->window == XCB_NONE)
        return false;
    if (change->window != m_native) {
        // Qt gives the widget a new native window when its flags change, and
        // writes its own properties there first.
        if (change->window == currentNative())
            attach();
        return false;
    }
    if (change->atom == XCB_ATOM_WM_NORMAL_HINTS)
        keepAspect();
    else if (change->atom == m_motifHints)
        keepBorder();
    else if (change->atom == m_windowType)
        keepWindowType();
    else if (change->atom == m_frameExtentsAtom)
        readFrameExtents();
    return false; // Qt follows these properties too
}

void X11WindowManagerHints::keepAspect()
{
    if (!m_aspect || m_native == XCB_NONE)
        return;
    xcb_size_hints_t hints {};
    xcb_generic_error_t *error = nullptr;
    if (!xcb_icccm_get_wm_normal_hints_reply(m_connection, xcb_icccm_get_wm_normal_hints(m_connection, m_native),
                                             &hints, &error))
        hints = {};
    std::free(error);
    const std::array<std::int32_t, 4> band = aspectBand(*m_aspect);
    if ((hints.flags & XCB_ICCCM_SIZE_HINT_P_ASPECT) && hints.min_aspect_num == band[0]
        && hints.min_aspect_den == band[1] && hints.max_aspect_num == band[2] && hints.max_aspect_den == band[3])
        return; // our own write coming back, or Qt left it alone
    // Whatever else Qt put there (minimum size, gravity) stays.
    xcb_icccm_size_hints_set_aspect(&hints, band[0], band[1], band[2], band[3]);
    xcb_icccm_set_wm_normal_hints(m_connection, m_native, &hints);
    xcb_flush(m_connection);
}

void X11WindowManagerHints::keepBorder()
{
    if (!m_border || m_native == XCB_NONE || readProperty(m_motifHints, 5) == BorderWithoutTitle)
        return;
    writeProperty(m_motifHints, m_motifHints, BorderWithoutTitle);
}

// A frameless Qt window is also typed "undecorated", which window managers
// obey before any border request.
void X11WindowManagerHints::keepWindowType()
{
    if (!m_border || m_native == XCB_NONE)
        return;
    std::vector<std::uint32_t> types = readProperty(m_windowType, 32);
    if (std::erase(types, m_undecoratedType) == 0)
        return;
    if (types.empty())
        types.push_back(m_normalType);
    writeProperty(m_windowType, XCB_ATOM_ATOM, types);
}

void X11WindowManagerHints::readFrameExtents()
{
    // Left, right, top, bottom.
    const std::vector<std::uint32_t> extents
        = m_native == XCB_NONE ? std::vector<std::uint32_t> {} : readProperty(m_frameExtentsAtom, 4);
    const QMargins frame = extents.size() == 4
        ? QMargins(int(extents[0]), int(extents[2]), int(extents[1]), int(extents[3]))
        : QMargins();
    if (frame == m_extents)
        return;
    m_extents = frame;
    Q_EMIT frameExtentsChanged(frame);
}

std::vector<std::uint32_t> X11WindowManagerHints::readProperty(xcb_atom_t property, std::uint32_t length) const
{
    xcb_generic_error_t *error = nullptr; // a window gone meanwhile reads as empty
    XcbReply<xcb_get_property_reply_t> reply {
        xcb_get_property_reply(m_connection,
                               xcb_get_property(m_connection, 0, m_native, property, XCB_ATOM_ANY, 0, length), &error),
        &std::free};
    std::free(error);
    if (!reply || reply->format != 32)
        return {};
    const auto *values = static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

void X11WindowManagerHints::writeProperty(xcb_atom_t property, xcb_atom_t type,
                                          const std::vector<std::uint32_t> &values)
{
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_native, property, type, 32, std::uint32_t(values.size()),
                        values.data());
    xcb_flush(m_connection);
}
