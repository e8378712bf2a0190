// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11HotKeys.h"

#include "XcbReply.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr std::uint16_t KeyModifiers = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_LOCK | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1
    | XCB_MOD_MASK_2 | XCB_MOD_MASK_3 | XCB_MOD_MASK_4 | XCB_MOD_MASK_5;

// The key symbols a hot key stands for; the first is the one that must be taken.
std::vector<xcb_keysym_t> keysymsFor(Qt::Key key, bool keypad)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z && !keypad)
        return {xcb_keysym_t(XK_a + (key - Qt::Key_A))};
    switch (key) {
    case Qt::Key_Plus:
        return {keypad ? xcb_keysym_t(XK_KP_Add) : xcb_keysym_t(XK_plus)};
    case Qt::Key_Minus:
        return {keypad ? xcb_keysym_t(XK_KP_Subtract) : xcb_keysym_t(XK_minus)};
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter means either Enter key unless the keypad's own is asked for.
        if (keypad)
            return {XK_KP_Enter};
        return {XK_Return, XK_KP_Enter};
    // The arrow keys are the keypad's too, as long as Num Lock does not make them digits.
    case Qt::Key_Up:
        if (keypad)
            return {XK_KP_Up};
        return {XK_Up, XK_KP_Up};
    case Qt::Key_Down:
        if (keypad)
            return {XK_KP_Down};
        return {XK_Down, XK_KP_Down};
    default:
        return {};
    }
}

// Keys that Num Lock turns into digits: with it on they are other keys.
bool isKeypadNavigation(xcb_keysym_t keysym)
{
    return keysym >= XK_KP_Home && keysym <= XK_KP_Delete;
}

} // namespace

X11HotKeys::X11HotKeys(xcb_connection_t *connection)
    : m_connection(connection)
    , m_root(xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root)
    , m_keySymbols(xcb_key_symbols_alloc(connection))
{
    readModifiers();
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11HotKeys::~X11HotKeys()
{
    // Without the application its connection is closed, and the grabs with it.
    if (!QCoreApplication::instance())
        return;
    for (const Grab &each : m_grabs)
        ungrab(each);
    xcb_flush(m_connection);
}

bool X11HotKeys::registerHotKey(int id, Qt::Key key, bool keypad)
{
    const std::vector<xcb_keysym_t> keysyms = keysymsFor(key, keypad);
    for (std::size_t i = 0; i < keysyms.size(); ++i) {
        Grab candidate {id, keysyms[i], {}};
        if (grab(candidate))
            m_grabs.push_back(std::move(candidate));
        else if (i == 0)
            return false;
    }
    return !keysyms.empty();
}

bool X11HotKeys::grab(Grab &grab)
{
    grab.keycodes = keycodes(grab.keysym);
    std::vector<xcb_void_cookie_t> cookies;
    for (xcb_keycode_t keycode : grab.keycodes) {
        for (std::uint16_t modifiers : modifierVariants(grab.keysym)) {
            // Not owner_events: the key reaches the root window even when one of
            // our own windows has the focus.
            cookies.push_back(xcb_grab_key_checked(m_connection, 0, m_root, modifiers, keycode, XCB_GRAB_MODE_ASYNC,
                                                   XCB_GRAB_MODE_ASYNC));
        }
    }
    // The error to expect is BadAccess: another client grabbed the combination first.
    bool taken = !grab.keycodes.empty();
    for (xcb_void_cookie_t cookie : cookies) {
        if (XcbReply<xcb_generic_error_t> {xcb_request_check(m_connection, cookie), &std::free})
            taken = false;
    }
    if (!taken) {
        // Another client holds some of the variants: take none, so the key
        // behaves the same whatever the lock keys' state.
        ungrab(grab);
        grab.keycodes.clear();
    }
    return taken;
}

void X11HotKeys::ungrab(const Grab &grab)
{
    for (xcb_keycode_t keycode : grab.keycodes) {
        for (std::uint16_t modifiers : modifierVariants(grab.keysym))
            xcb_ungrab_key(m_connection, keycode, m_root, modifiers);
    }
}

std::vector<xcb_keycode_t> X11HotKeys::keycodes(xcb_keysym_t keysym) const
{
    std::vector<xcb_keycode_t> result;
    XcbReply<xcb_keycode_t> codes {xcb_key_symbols_get_keycode(m_keySymbols.get(), keysym), &std::free};
    for (const xcb_keycode_t *code = codes.get(); code && *code != XCB_NO_SYMBOL; ++code)
        result.push_back(*code);
    return result;
}

// Which modifier bits Alt and Num Lock are depends on the keyboard mapping.
void X11HotKeys::readModifiers()
{
    XcbReply<xcb_get_modifier_mapping_reply_t> mapping {
        xcb_get_modifier_mapping_reply(m_connection, xcb_get_modifier_mapping(m_connection), nullptr), &std::free};
    if (!mapping)
        return;
    const xcb_keycode_t *modifierKeys = xcb_get_modifier_mapping_keycodes(mapping.get());
    const int perModifier = mapping->keycodes_per_modifier;
    const auto maskOf = [&](xcb_keysym_t keysym) -> std::uint16_t {
        const std::vector<xcb_keycode_t> codes = keycodes(keysym);
        for (int i = 0; i < 8 * perModifier; ++i) {
            if (modifierKeys[i] != XCB_NO_SYMBOL && std::ranges::find(codes, modifierKeys[i]) != codes.end())
                return std::uint16_t(1U << (i / perModifier));
        }
        return 0;
    };
    m_numLock = maskOf(XK_Num_Lock);
    const std::uint16_t alt = maskOf(XK_Alt_L);
    m_alt = alt ? alt : std::uint16_t(XCB_MOD_MASK_1);
}

std::vector<std::uint16_t> X11HotKeys::modifierVariants(xcb_keysym_t keysym) const
{
    if (isKeypadNavigation(keysym))
        return {m_alt, std::uint16_t(m_alt | XCB_MOD_MASK_LOCK)};
    return {m_alt, std::uint16_t(m_alt | XCB_MOD_MASK_LOCK), std::uint16_t(m_alt | m_numLock),
            std::uint16_t(m_alt | XCB_MOD_MASK_LOCK | m_numLock)};
}

const X11HotKeys::Grab *X11HotKeys::grabOf(xcb_keycode_t keycode) const
{
    const auto found = std::ranges::find_if(m_grabs, [keycode](const Grab &each) {
        return std::ranges::find(each.keycodes, keycode) != each.keycodes.end();
    });
    return found == m_grabs.end() ? nullptr : &*found;
}

bool X11HotKeys::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    switch (event->response_type & 0x7f) {
    case XCB_KEY_PRESS: {
        const auto *press = static_cast<const xcb_key_press_event_t *>(message);
        const std::uint16_t modifiers = press->state & KeyModifiers & ~(XCB_MOD_MASK_LOCK | m_numLock);
        const Grab *grabbed = press->event == m_root ? grabOf(press->detail) : nullptr;
        if (!grabbed || modifiers != m_alt)
            return false;
        // Posted, not called: the receiver may run the event loop.
        const auto tell = [this, id = grabbed->id] {
            Q_EMIT hotKeyPressed(id);
        };
        QMetaObject::invokeMethod(this, tell, Qt::QueuedConnection);
        return true;
    }
    case XCB_KEY_RELEASE: {
        const auto *release = static_cast<const xcb_key_release_event_t *>(message);
        return release->event == m_root && grabOf(release->detail);
    }
    case XCB_MAPPING_NOTIFY: {
        // Key codes or modifier bits moved: grab the keys again where they are now.
        auto *mapping = static_cast<xcb_mapping_notify_event_t *>(message);
        if (mapping->request == XCB_MAPPING_POINTER)
            return false;
        for (const Grab &each : m_grabs)
            ungrab(each);
        xcb_refresh_keyboard_mapping(m_keySymbols.get(), mapping);
        readModifiers();
        for (Grab &each : m_grabs)
            grab(each);
        return false;
    }
    default:
        return false;
    }
}
