// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GlobalHotKeys.h"

#include <QAbstractNativeEventFilter>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdint>
#include <memory>
#include <vector>

// Global keys on X11: passive grabs on the root window for every key code of a
// key and every Caps Lock / Num Lock state. While a grab is active the keys go
// to the root window, whatever has the focus, and are kept from other clients.
// The grabs last as long as this object and the application's X connection.
class X11HotKeys : public GlobalHotKeys, private QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    explicit X11HotKeys(xcb_connection_t *connection);
    ~X11HotKeys() override;

    bool registerHotKey(int id, Qt::Key key, bool keypad) override;

private:
    // One key symbol of a hot key and the key codes grabbed for it (none when
    // another client holds the combination).
    struct Grab {
        int id;
        xcb_keysym_t keysym;
        std::vector<xcb_keycode_t> keycodes;
    };

    struct KeySymbolsDeleter {
        void operator()(xcb_key_symbols_t *symbols) const { xcb_key_symbols_free(symbols); }
    };

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
    bool grab(Grab &grab);
    void ungrab(const Grab &grab);
    void readModifiers();
    std::vector<xcb_keycode_t> keycodes(xcb_keysym_t keysym) const;
    // Alt with every Caps Lock / Num Lock state the key stays itself in.
    std::vector<std::uint16_t> modifierVariants(xcb_keysym_t keysym) const;
    const Grab *grabOf(xcb_keycode_t keycode) const;

    xcb_connection_t *m_connection;
    xcb_window_t m_root;
    std::unique_ptr<xcb_key_symbols_t, KeySymbolsDeleter> m_keySymbols;
    std::uint16_t m_alt = XCB_MOD_MASK_1;
    std::uint16_t m_numLock = 0;
    std::vector<Grab> m_grabs;
};
