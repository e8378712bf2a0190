#pragma once

#include "WaitFor.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QRect>
#include <QScreen>
#include <QTemporaryDir>

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

inline std::optional<QRect> windowGeometry(const QString &window)
{
    const std::optional<QString> shell
        = runTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    if (!shell)
        return std::nullopt;
    QRect rect;
    for (const QString &line : shell->split(u'\n')) {
        const QString value = line.section(u'=', 1);
        if (line.startsWith(QStringLiteral("X=")))
            rect.moveLeft(value.toInt());
        else if (line.startsWith(QStringLiteral("Y=")))
            rect.moveTop(value.toInt());
        else if (line.startsWith(QStringLiteral("WIDTH=")))
            rect.setWidth(value.toInt());
        else if (line.startsWith(QStringLiteral("HEIGHT=")))
            rect.setHeight(value.toInt());
    }
    return rect;
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
