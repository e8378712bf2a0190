#pragma once

#include "Desktop.h"
#include "WaitFor.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QRect>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>

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

// Runs a command line tool and returns its standard output, or nothing when it failed.
inline std::optional<QString> runTool(const QString &program, const QStringList &arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(10000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return std::nullopt;
    QString output = QString::fromLocal8Bit(tool.readAllStandardOutput());
    while (output.endsWith(u'\n'))
        output.chop(1);
    return output; // leading blanks belong to window names
}

// The visible top-level windows of the player, by the X11 class Qt gives them:
// each in the frame the window manager put round it (its native video window
// carries the class too, one level further down).
inline QStringList playerWindows()
{
    return runTool(QStringLiteral("xdotool"),
                   {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--maxdepth"),
                    QStringLiteral("2"), QStringLiteral("--class"), QStringLiteral("kavel-player")})
        .value_or(QString())
        .split(u'\n', Qt::SkipEmptyParts);
}

// Where the window's own area lies on the screen, inside any frame the window manager drew.
inline std::optional<QRect> windowGeometry(const QString &window)
{
    bool ok = false;
    const auto id = xcb_window_t(window.toULong(&ok));
    const desktop::Connection connection = desktop::connect();
    xcb_connection_t *c = connection.get();
    if (!ok || xcb_connection_has_error(c))
        return std::nullopt;
    const desktop::Reply<xcb_get_geometry_reply_t> geometry {
        xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr), &std::free};
    if (!geometry)
        return std::nullopt;
    const desktop::Reply<xcb_translate_coordinates_reply_t> origin {
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, geometry->root, 0, 0), nullptr),
        &std::free};
    if (!origin)
        return std::nullopt;
    return QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
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

inline QImage screenshot()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage();
}

// How many pixels of the area differ clearly from black.
inline int litPixels(const QImage &image, const QRect &area)
{
    int lit = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); y += 2) {
        for (int x = inside.left(); x <= inside.right(); x += 2) {
            if (qGray(image.pixel(x, y)) > 40)
                ++lit;
        }
    }
    return lit;
}
