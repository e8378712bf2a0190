// SPDX-License-Identifier: GPL-3.0-or-later
#include "Desktop.h"

#include "WaitFor.h"
#include "Xcb.h"

#include <QTemporaryDir>

namespace desktop {

namespace {

// The desktop's programs run with their packaged settings, not a user's: their own settings
// folder is an empty one, for as long as the process lives.
QProcessEnvironment withPackagedSettings(QProcessEnvironment environment)
{
    static const QTemporaryDir emptySettings;
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), emptySettings.path());
    return environment;
}

} // namespace

bool windowsAreFramed(const QByteArray &display)
{
    const Connection connection = connect(display);
    xcb_connection_t *c = connection.get();
    if (xcb_connection_has_error(c))
        return false;
    const xcb_atom_t extentsAtom = atom(c, "_NET_FRAME_EXTENTS");
    const xcb_window_t probe = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, rootOf(c), 0, 0, 10, 10, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_map_window(c, probe);
    const bool framed = waitFor(
        [&] {
            const Reply<xcb_get_property_reply_t> extents = reply(xcb_get_property_reply(
                c, xcb_get_property(c, 0, probe, extentsAtom, XCB_ATOM_CARDINAL, 0, 4), nullptr));
            return extents && xcb_get_property_value_length(extents.get()) == 16;
        },
        1000);
    xcb_destroy_window(c, probe);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    return framed;
}

bool selectionOwned(const char *selection, const QByteArray &display)
{
    const Connection connection = connect(display);
    xcb_connection_t *c = connection.get();
    if (xcb_connection_has_error(c))
        return false;
    const Reply<xcb_get_selection_owner_reply_t> owner
        = reply(xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom(c, selection)), nullptr));
    return owner && owner->owner != XCB_NONE;
}

std::unique_ptr<Program> startWindowManager(const QProcessEnvironment &environment)
{
    const QByteArray display = environment.value(QStringLiteral("DISPLAY")).toLocal8Bit();
    return std::make_unique<Program>(QStringLiteral("openbox"), QStringList {QStringLiteral("--sm-disable")},
                                     withPackagedSettings(environment),
                                     [display] { return windowsAreFramed(display); });
}

std::unique_ptr<Program> startTrayHost(const QProcessEnvironment &environment)
{
    const QByteArray display = environment.value(QStringLiteral("DISPLAY")).toLocal8Bit();
    return std::make_unique<Program>(
        QStringLiteral("trayer"),
        QStringList {QStringLiteral("--edge"), QStringLiteral("bottom"), QStringLiteral("--align"),
                     QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("pixel"),
                     QStringLiteral("--width"), QStringLiteral("120"), QStringLiteral("--height"),
                     QStringLiteral("32")},
        withPackagedSettings(environment), [display] { return selectionOwned("_NET_SYSTEM_TRAY_S0", display); });
}

} // namespace desktop
