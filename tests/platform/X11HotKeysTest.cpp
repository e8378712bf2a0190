// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GlobalHotKeys.h"

#include "desktop/WaitFor.h"
#include "desktop/Xcb.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>

#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr std::uint16_t Alt = XCB_MOD_MASK_1;

using desktop::Reply;

// Presses keys as a user would, through the X server.
void press(const char *keys)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("key"), QString::fromLatin1(keys)});
    ASSERT_TRUE(xdotool.waitForFinished(10000)) << keys;
    ASSERT_EQ(xdotool.exitCode(), 0) << keys;
}

void roundTrip(xcb_connection_t *connection)
{
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

xcb_connection_t *applicationConnection()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

// Another program on the same display: an X connection of its own.
class OtherClient
{
public:
    OtherClient()
        : m_connection(xcb_connect(nullptr, nullptr))
        , m_root(xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root)
        , m_symbols(xcb_key_symbols_alloc(m_connection))
    {
    }
    ~OtherClient()
    {
        xcb_key_symbols_free(m_symbols);
        xcb_disconnect(m_connection);
    }

    xcb_connection_t *connection() const { return m_connection; }

    xcb_keycode_t keycode(xcb_keysym_t keysym) const
    {
        Reply<xcb_keycode_t> codes {xcb_key_symbols_get_keycode(m_symbols, keysym), &std::free};
        return codes ? codes.get()[0] : XCB_NO_SYMBOL;
    }

    // False when another client holds the combination.
    bool grab(xcb_keysym_t keysym, std::uint16_t modifiers)
    {
        const xcb_void_cookie_t cookie = xcb_grab_key_checked(m_connection, 0, m_root, modifiers, keycode(keysym),
                                                              XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        Reply<xcb_generic_error_t> error {xcb_request_check(m_connection, cookie), &std::free};
        return !error;
    }

    // A window of its own that has the keyboard focus.
    void takeFocus()
    {
        const xcb_window_t window = xcb_generate_id(m_connection);
        const std::uint32_t events = XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, m_root, 0, 0, 200, 200, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
        xcb_map_window(m_connection, window);
        xcb_flush(m_connection);
        ASSERT_TRUE(waitFor([&] { return takeEvents(XCB_MAP_NOTIFY) > 0; }));
        xcb_set_input_focus(m_connection, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        roundTrip(m_connection);
    }

    // Key presses of keycode that reached this client's window so far.
    int keyPresses(xcb_keycode_t keycode)
    {
        roundTrip(m_connection);
        return takeEvents(XCB_KEY_PRESS, keycode);
    }

private:
    int takeEvents(std::uint8_t type, xcb_keycode_t keycode = 0)
    {
        int count = 0;
        while (Reply<xcb_generic_event_t> event {xcb_poll_for_event(m_connection), &std::free}) {
            const auto *key = reinterpret_cast<const xcb_key_press_event_t *>(event.get());
            if ((event->response_type & 0x7f) == type && (!keycode || key->detail == keycode))
                ++count;
        }
        return count;
    }

    xcb_connection_t *m_connection;
    xcb_window_t m_root;
    xcb_key_symbols_t *m_symbols;
};

struct PlayerKey {
    int id;
    Qt::Key key;
    bool keypad;
    const char *pressed;
};

const PlayerKey PlayerKeys[] = {
    {0, Qt::Key_Plus, true, "alt+KP_Add"},    {1, Qt::Key_Minus, true, "alt+KP_Subtract"},
    {2, Qt::Key_Return, false, "alt+Return"}, {3, Qt::Key_P, false, "alt+p"},
    {4, Qt::Key_S, false, "alt+s"},           {5, Qt::Key_Down, false, "alt+Down"},
    {6, Qt::Key_Up, false, "alt+Up"},
};

bool pressedIds(QSignalSpy &spy, const QList<int> &ids)
{
    const bool arrived = waitFor([&] { return spy.count() >= ids.size(); }, 10000);
    QList<int> seen;
    for (const QList<QVariant> &signal : spy)
        seen.append(signal.at(0).toInt());
    spy.clear();
    return arrived && seen == ids;
}

} // namespace

TEST(X11HotKeys, EveryPlayerKeyArrivesWithItsId)
{
    const auto hotKeys = GlobalHotKeys::create();
    for (const PlayerKey &key : PlayerKeys)
        ASSERT_TRUE(hotKeys->registerHotKey(key.id, key.key, key.keypad)) << key.pressed;
    QSignalSpy spy(hotKeys.get(), &GlobalHotKeys::hotKeyPressed);

    for (const PlayerKey &key : PlayerKeys) {
        press(key.pressed);
        EXPECT_TRUE(pressedIds(spy, {key.id})) << key.pressed;
    }
    press("alt+KP_Enter");
    EXPECT_TRUE(pressedIds(spy, {2})) << "keypad Enter";
    press("alt+KP_Down");
    press("alt+KP_Up");
    EXPECT_TRUE(pressedIds(spy, {5, 6})) << "the keypad's arrows";

    // Without Alt, or with another modifier too, the key is not a hot key.
    press("p");
    press("ctrl+alt+p");
    press("alt+s");
    EXPECT_TRUE(pressedIds(spy, {4}));

    // Caps Lock and Num Lock do not matter.
    for (const char *lock : {"Caps_Lock", "Num_Lock"}) {
        press(lock);
        press("alt+Return");
        press("alt+p");
        press(lock);
        EXPECT_TRUE(pressedIds(spy, {2, 3})) << lock;
    }
}

TEST(X11HotKeys, KeysAreKeptFromOtherPrograms)
{
    OtherClient other;
    other.takeFocus();
    const xcb_keycode_t p = other.keycode(XK_p);
    press("alt+p");
    ASSERT_TRUE(waitFor([&] { return other.keyPresses(p) == 1; })) << "the other program has the focus";

    const auto hotKeys = GlobalHotKeys::create();
    ASSERT_TRUE(hotKeys->registerHotKey(3, Qt::Key_P, false));
    QSignalSpy spy(hotKeys.get(), &GlobalHotKeys::hotKeyPressed);
    press("alt+p");
    EXPECT_TRUE(pressedIds(spy, {3}));
    EXPECT_EQ(other.keyPresses(p), 0);
}

TEST(X11HotKeys, CombinationHeldElsewhereStaysUnregistered)
{
    OtherClient other;
    ASSERT_TRUE(other.grab(XK_s, Alt));
    // Only one lock-key state held elsewhere is enough to refuse the key.
    ASSERT_TRUE(other.grab(XK_Down, Alt | XCB_MOD_MASK_LOCK));

    const auto hotKeys = GlobalHotKeys::create();
    EXPECT_FALSE(hotKeys->registerHotKey(4, Qt::Key_S, false));
    EXPECT_FALSE(hotKeys->registerHotKey(5, Qt::Key_Down, false));
    EXPECT_TRUE(hotKeys->registerHotKey(6, Qt::Key_Up, false));
    // What was refused is not half taken: the other lock-key states stay free.
    EXPECT_TRUE(other.grab(XK_Down, Alt));
}

TEST(X11HotKeys, GrabsEndWithTheObject)
{
    OtherClient other;
    auto hotKeys = GlobalHotKeys::create();
    ASSERT_TRUE(hotKeys->registerHotKey(6, Qt::Key_Up, false));
    EXPECT_FALSE(other.grab(XK_Up, Alt));
    EXPECT_FALSE(other.grab(XK_Up, Alt | XCB_MOD_MASK_LOCK));

    hotKeys.reset();
    roundTrip(applicationConnection());
    EXPECT_TRUE(other.grab(XK_Up, Alt));
    EXPECT_TRUE(other.grab(XK_Up, Alt | XCB_MOD_MASK_LOCK));
}

namespace {

// Counts keyboard mapping changes once every earlier filter has seen them.
class MappingWatch : public QAbstractNativeEventFilter
{
public:
    MappingWatch() { qApp->installNativeEventFilter(this); }
    bool nativeEventFilter(const QByteArray &, void *message, qintptr *) override
    {
        if ((static_cast<xcb_generic_event_t *>(message)->response_type & 0x7f) == XCB_MAPPING_NOTIFY)
            ++changes;
        return false;
    }
    int changes = 0;
};

// Moves a key symbol to another, unused key code, and back at the end.
class MovedKey
{
public:
    MovedKey(OtherClient &client, xcb_keysym_t keysym)
        : m_connection(client.connection())
        , m_from(client.keycode(keysym))
    {
        const xcb_setup_t *setup = xcb_get_setup(m_connection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        Reply<xcb_get_keyboard_mapping_reply_t> mapping {
            xcb_get_keyboard_mapping_reply(m_connection,
                                           xcb_get_keyboard_mapping(m_connection, setup->min_keycode, count), nullptr),
            &std::free};
        m_perKeycode = mapping->keysyms_per_keycode;
        const xcb_keysym_t *keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
        for (int code = count - 1; code >= 0 && m_to == XCB_NO_SYMBOL; --code) {
            const xcb_keysym_t *row = keysyms + code * m_perKeycode;
            if (std::all_of(row, row + m_perKeycode, [](xcb_keysym_t each) { return each == 0; }))
                m_to = xcb_keycode_t(setup->min_keycode + code);
        }
        const xcb_keysym_t *from = keysyms + (m_from - setup->min_keycode) * m_perKeycode;
        m_keysyms.assign(from, from + m_perKeycode);
        remap(m_to, m_keysyms);
        remap(m_from, std::vector<xcb_keysym_t>(m_perKeycode, 0));
    }
    ~MovedKey()
    {
        remap(m_from, m_keysyms);
        remap(m_to, std::vector<xcb_keysym_t>(m_perKeycode, 0));
    }

    xcb_keycode_t to() const { return m_to; }

private:
    void remap(xcb_keycode_t keycode, const std::vector<xcb_keysym_t> &keysyms)
    {
        xcb_change_keyboard_mapping(m_connection, 1, keycode, m_perKeycode, keysyms.data());
        roundTrip(m_connection);
    }

    xcb_connection_t *m_connection;
    xcb_keycode_t m_from;
    xcb_keycode_t m_to = XCB_NO_SYMBOL;
    std::uint8_t m_perKeycode = 0;
    std::vector<xcb_keysym_t> m_keysyms;
};

} // namespace

TEST(X11HotKeys, KeyIsGrabbedAgainWhereTheMappingMovesIt)
{
    MappingWatch watch; // installed first, so it sees each change after the hot keys did
    const auto hotKeys = GlobalHotKeys::create();
    ASSERT_TRUE(hotKeys->registerHotKey(4, Qt::Key_S, false));
    QSignalSpy spy(hotKeys.get(), &GlobalHotKeys::hotKeyPressed);

    OtherClient other;
    const MovedKey moved(other, XK_s);
    ASSERT_NE(moved.to(), XCB_NO_SYMBOL);
    ASSERT_TRUE(waitFor([&] { return watch.changes >= 2; }));
    ASSERT_EQ(OtherClient().keycode(XK_s), moved.to());

    press("alt+s"); // now from the new key code
    EXPECT_TRUE(pressedIds(spy, {4}));
}
