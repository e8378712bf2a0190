// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WindowManagerHints.h"

#include <QAbstractNativeEventFilter>
#include <QPointer>

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>
#include <vector>

// The hints as X11 window properties: the aspect ratio in WM_NORMAL_HINTS, the
// border in _MOTIF_WM_HINTS, and the frame read back from _NET_FRAME_EXTENTS.
// Qt writes the first two itself (WM_NORMAL_HINTS on show, resize, move and
// every change of the size limits; the others when it creates the native
// window) without what was asked here, so every change of them is answered by
// adding it again, on whichever native window the widget has at the time.
class X11WindowManagerHints : public WindowManagerHints, private QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    X11WindowManagerHints(QWidget *window, xcb_connection_t *connection);

    bool setAspectRatio(QSize ratio) override;
    // Ask before the window is first shown: some window managers read how to
    // frame a window only when it appears.
    bool requestBorderWithoutTitle() override;
    QMargins frameExtents() const override { return m_extents; }

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
    xcb_window_t currentNative() const;
    void attach();
    void keepAspect();
    void keepBorder();
    void keepWindowType();
    void readFrameExtents();
    std::vector<std::uint32_t> readProperty(xcb_atom_t property, std::uint32_t length) const;
    void writeProperty(xcb_atom_t property, xcb_atom_t type, const std::vector<std::uint32_t> &values);

    QPointer<QWidget> m_window;
    xcb_connection_t *m_connection;
    xcb_window_t m_native = XCB_NONE;
    xcb_atom_t m_motifHints = XCB_NONE;
    xcb_atom_t m_windowType = XCB_NONE;
    xcb_atom_t m_normalType = XCB_NONE;
    xcb_atom_t m_undecoratedType = XCB_NONE;
    xcb_atom_t m_frameExtentsAtom = XCB_NONE;
    std::optional<QSize> m_aspect;
    bool m_border = false;
    QMargins m_extents;
};
