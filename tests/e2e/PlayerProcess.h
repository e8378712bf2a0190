// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "desktop/ClientWindows.h"
#include "desktop/Desktop.h"
#include "desktop/FormControlRect.h"
#include "desktop/Look.h"
#include "desktop/WaitFor.h"
#include "desktop/Xcb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

// The real kavel-player started as a user would start it, on the test's own
// display, with a home of its own (runtime, data and settings folders) so
// that instances of other tests and the machine's own user do not meet it.
class PlayerProcess
{
public:
    explicit PlayerProcess(const QTemporaryDir &home)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        process.setProcessEnvironment(env);
        process.setProgram(QStringLiteral(KAVEL_PLAYER_BINARY));
    }

    ~PlayerProcess()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
        // The player's own warnings tell its side of a failure.
        if (::testing::Test::HasFailure()) {
            if (const QByteArray said = process.readAllStandardError(); !said.isEmpty())
                std::fprintf(stderr, "The player said:\n%s\n", said.constData());
        }
    }

    // Started as a Wayland session starts programs: WAYLAND_DISPLAY names the session (the
    // test's own) and no platform is asked for, so the player chooses its own.
    void useWaylandSession()
    {
        QProcessEnvironment env = process.processEnvironment();
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        process.setProcessEnvironment(env);
    }

    // The player meets the desktop's services on this bus, not on the machine's.
    void useSessionBus(const QString &address)
    {
        QProcessEnvironment env = process.processEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
        process.setProcessEnvironment(env);
    }

    void start(const QStringList &arguments)
    {
        process.setArguments(arguments);
        process.start();
        process.waitForStarted(10000);
    }

    QProcess process;
};

// Where a player started with home looks for the user's skins.
inline QString userFormsFolder(const QTemporaryDir &home)
{
    return home.filePath(QStringLiteral("data/kavel-player/forms"));
}

// The windows of the program's own, shown or not, by the X11 class Qt gives them.
inline QList<desktop::ClientWindow> programClientWindows()
{
    const desktop::Connection connection = desktop::connect();
    QList<desktop::ClientWindow> windows = desktop::clientWindows(connection.get());
    windows.removeIf(
        [](const desktop::ClientWindow &window) { return window.className != QStringLiteral("kavel-player"); });
    return windows;
}

// The shown windows of the program's own (its menus, tips and the native video window too).
inline QStringList programWindows()
{
    QStringList windows;
    for (const desktop::ClientWindow &window : programClientWindows()) {
        if (window.viewable)
            windows.append(QString::number(window.id));
    }
    return windows;
}

// A window the window manager manages, as it does the program's own windows
// (not a tray icon embedded in a panel, a menu or the native video window).
inline bool isManaged(xcb_window_t window)
{
    const desktop::Connection connection = desktop::connect();
    // 1 is NormalState: shown, not iconified.
    return desktop::windowProperty(connection.get(), window, "WM_STATE") == 1;
}

// The player's shown top-level windows, as the window manager manages them.
inline QStringList playerWindows()
{
    QStringList windows = programWindows();
    windows.removeIf([](const QString &window) { return !isManaged(window.toUInt()); });
    return windows;
}

// Whether the window stands on the root window itself.
inline bool onTheRoot(const QString &window)
{
    const desktop::Connection connection = desktop::connect();
    const desktop::Reply<xcb_query_tree_reply_t> tree = desktop::reply(
        xcb_query_tree_reply(connection.get(), xcb_query_tree(connection.get(), window.toUInt()), nullptr));
    return tree && tree->parent == tree->root;
}

// The program's shown windows that stand on the root window itself: with a window manager its
// menus and tips (the window manager frames the others), without one every top-level window.
inline QStringList rootWindows()
{
    QStringList windows = programWindows();
    windows.removeIf([](const QString &window) { return !onTheRoot(window); });
    return windows;
}

// Where the window's own area lies on the screen, inside any frame the window manager drew.
inline std::optional<QRect> windowGeometry(const QString &window)
{
    bool ok = false;
    const auto id = xcb_window_t(window.toULong(&ok));
    const desktop::Connection connection = desktop::connect();
    if (!ok || xcb_connection_has_error(connection.get()))
        return std::nullopt;
    return desktop::windowRect(connection.get(), id);
}

// The player's icon in the notification area, once the panel has embedded it.
inline std::optional<QString> trayIcon()
{
    for (const QString &window : programWindows()) {
        if (isManaged(window.toUInt()))
            continue;
        // Embedded: inside the panel, not a popup on the root window; and icon-sized.
        const std::optional<QRect> place = windowGeometry(window);
        if (!onTheRoot(window) && place && place->width() <= 64 && place->height() <= 64)
            return window;
    }
    return std::nullopt;
}

// The window's place once the program and the window manager have done placing it: the
// same in three readings 100 ms apart.
inline std::optional<QRect> settledGeometry(const QString &window, int timeoutMs = 10000)
{
    std::optional<QRect> last;
    int same = 0;
    const bool settled = waitFor(
        [&] {
            const std::optional<QRect> now = windowGeometry(window);
            same = now && now == last ? same + 1 : 0;
            last = now;
            QThread::msleep(100);
            return same >= 2;
        },
        timeoutMs);
    return settled ? last : std::nullopt;
}

// The whole screen as the display shows it now.
inline QImage screenshot()
{
    const desktop::Connection connection = desktop::connect();
    return desktop::grab(connection.get(), desktop::rootOf(connection.get()),
                         QGuiApplication::primaryScreen()->geometry());
}

using desktop::litPixels;

// The main window's video area: below its title strip, from where its form places the
// picture, across the whole window.
inline QRect videoArea(const QRect &window)
{
    const int top = desktop::formControlRect(QStringLiteral("Picture1")).top();
    return QRect(window.x(), window.y() + top, window.width(), window.height() - top);
}

// The window's video area shows a picture. Its place is read afresh each time: the player
// places its window again once it has shown, and the window manager may move it too.
inline bool showsPictureInVideoArea(const QString &window)
{
    const std::optional<QRect> frame = windowGeometry(window);
    return frame && desktop::showsPicture(screenshot(), videoArea(*frame));
}

// A clip the fixtures script made.
inline QString clip(const char *name)
{
    return QDir(QStringLiteral(KAVEL_GENERATED_FIXTURES_DIR)).filePath(QString::fromUtf8(name));
}

// Writes a file of the test, making its folder.
inline QString writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot prepare " << path.toStdString();
    return path;
}

// A playlist of the entries in dir, as the player writes one.
inline QString playlistOf(const QTemporaryDir &dir, const QStringList &entries)
{
    QByteArray bytes;
    for (const QString &entry : entries)
        bytes += entry.toUtf8() + "\r\n";
    return writeFile(dir.filePath(QStringLiteral("films.pls")), bytes);
}

// The title a window shows.
inline QString windowName(const QString &window)
{
    const desktop::Connection connection = desktop::connect();
    return desktop::windowTitle(connection.get(), window.toUInt());
}

// The title the desktop shows for a window of the program with that caption: the program's
// name follows a caption that does not end with it, and stands alone for no caption.
inline QString shownTitle(const QString &caption)
{
    const QString program = QStringLiteral("KAVEL Player");
    if (caption.isEmpty())
        return program;
    return caption.endsWith(program) ? caption : caption + QStringLiteral(" \u2014 ") + program;
}

// The player's shown window with that caption.
inline std::optional<QString> windowNamed(const QString &caption)
{
    for (const QString &window : playerWindows()) {
        if (windowName(window) == shownTitle(caption))
            return window;
    }
    return std::nullopt;
}

// The main window, which has no caption of its own.
inline std::optional<QString> mainWindow()
{
    return windowNamed(QString());
}

// Works the pointer and the keys as a user does.
inline bool xdotool(const QStringList &arguments)
{
    QProcess tool;
    tool.setStandardOutputFile(QProcess::nullDevice());
    tool.start(QStringLiteral("xdotool"), arguments);
    return tool.waitForFinished(10000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}
