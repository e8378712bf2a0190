// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GlRendererProbe.h"
#include "platform/GlobalHotKeys.h"
#include "platform/GpuDevices.h"
#include "platform/NotifyIconHost.h"
#include "platform/RunOnlySettings.h"
#include "platform/SingleInstance.h"
#include "player/Form1.h"
#include "player/KeepScreenAwake.h"
#include "player/MprisService.h"
#include "player/MpvEngine.h"
#include "player/MpvGraph.h"
#include "player/MpvLibrary.h"
#include "player/PlayerInput.h"
#include "runtime/FontSubstitutes.h"
#include "runtime/Picture.h"
#ifdef Q_OS_UNIX
#include "platform/TerminationSignals.h"
#endif
#include "platform/WindowSystem.h"
#include "player/VideoOutput.h"

#include <QApplication>
#include <QDBusConnection>
#include <QImageReader>
#include <QStringList>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <optional>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// A GL driver that has not started in this time is taken as none.
constexpr int GlProbeTimeoutMs = 3000;

constexpr char usageText[] = R"(Usage: kavel-player [FILE]
Plays a movie (AVI, DivX, MPEG, DAT, ASF, WMV) or a playlist (.pls).

The whole command line is one path: a name with spaces needs no quotes.
Only one player runs at a time; a second one leaves the first untouched.

  --help       show this help and exit
  --version    show the version and exit

A file named --help or --version opens as ./--help or ./--version.

Keys in the main window and in full screen:
  Space        pause, or play when paused or stopped
  Right, Left  seek 5 seconds forward or back
  Up, Down     volume up or down by 2.5 dB (also the wheel over the picture)
  F            full screen on and off (also a double click on the picture)
  Esc          leave full screen
  Alt+Enter    full screen on and off, from any program
)";

// The two requests a user may make of the program without starting it. Only a command line
// that is exactly one of them counts: anything else is the path of a file to open.
std::optional<int> answerRequest(int argc, char **argv)
{
    if (argc != 2)
        return std::nullopt;
    if (std::strcmp(argv[1], "--help") == 0)
        std::fputs(usageText, stdout);
    else if (std::strcmp(argv[1], "--version") == 0)
        std::fputs("kavel-player " KAVEL_VERSION_TEXT "\n", stdout);
    else
        return std::nullopt;
    // A full disk or a closed pipe is a failure the caller should hear of.
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    // Answered before anything else: no display, no window, no lock that a running player holds.
    if (const std::optional<int> answered = answerRequest(argc, argv))
        return *answered;

#ifdef __GLIBC__
    // The engine starts decoding threads for every file, and glibc gives threads heaps of their own
    // whose freed memory is never handed back: with two heaps the player's memory settles.
    mallopt(M_ARENA_MAX, 2);
    // The engine takes a 10 MiB buffer for every file it opens. Once one such block is freed,
    // glibc's sliding threshold would keep the next ones in the heap, where they stay resident
    // after the file closes; a fixed threshold keeps them mapped and handed back.
    mallopt(M_MMAP_THRESHOLD, 4 * 1024 * 1024);
#endif

    // A second instance ends at once and silently: before it connects to the display, builds
    // a window or reads a skin that could show a message.
    const SingleInstance instance(QStringLiteral("kavel-player"));
    if (instance.PrevInstance())
        return 0;

    // X11, and a display that answers: Qt itself would abort without one, with a core dump and
    // advice to reinstall.
    if (const QString noDisplay = chooseWindowSystem(); !noDisplay.isEmpty()) {
        std::fprintf(stderr, "kavel-player: %s\n", qUtf8Printable(noDisplay));
        return 1;
    }

    // The GL the display offers decides how the picture is drawn. Asked now, while the process
    // has no threads to fork with, the answer is there by the time the first file opens. Without a
    // graphics device GL is software: there is nothing to ask.
    const QString namedOutput = qEnvironmentVariable("KAVEL_VIDEO_OUTPUT");
    std::optional<GlRendererProbe> glProbe;
    if (!videoOutputNamed(namedOutput) && hasGpuDevice())
        glProbe.emplace();

    // The video window is native; its siblings need not be.
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    // The engine's library loads while the window is built. Meanwhile no other library can load
    // and no thread can start: Qt's picture plugins, which it loads on the face's first picture,
    // and the session bus's thread, which the tray starts, come first.
    QImageReader::supportedImageFormats();
    QDBusConnection::sessionBus();
    MpvLibrary::startLoading();
    // The engine parses numbers the C way.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("kavel-player"));
    // The name the taskbar and the window switcher give the program.
    QApplication::setApplicationDisplayName(QStringLiteral("KAVEL Player"));
    QApplication::setApplicationVersion(QStringLiteral(KAVEL_VERSION_TEXT));
    QApplication::setDesktopFileName(QStringLiteral("kavel-player"));
    QApplication::setQuitOnLastWindowClosed(false);
    runtime::installFontSubstitutes();
    // Qt's dialogs remember folders for this run only: the player keeps no settings.
    const RunOnlySettings qtSettings;

    const std::unique_ptr<GlobalHotKeys> hotKeys = GlobalHotKeys::create();
    const std::unique_ptr<NotifyIconHost> trayHost
        = NotifyIconHost::create([](std::uint32_t handle) { return runtime::Picture::fromHandle(handle).image(); });

    if (glProbe)
        glProbe->collectWhenDone();
    // One engine plays file after file, each graph handing it on to the next.
    const auto engines = std::make_shared<MpvEnginePool>([&namedOutput, &glProbe] {
        return chooseVideoOutput(namedOutput,
                                 [&glProbe] { return glProbe ? glProbe->renderer(GlProbeTimeoutMs) : std::nullopt; });
    });
    Form1 form([engines](QWidget *videoHost) { return std::make_shared<MpvGraph>(videoHost, engines); },
               trayHost.get());
    form.setHotKeys(hotKeys.get());
    // Space, the arrows, the wheel, Esc, F and a double click on the picture.
    const PlayerInput keysAndMouse(form);
    QObject::connect(&form, &Form1::exitRequested, &app, &QCoreApplication::quit);
#ifdef Q_OS_UNIX
    // Asked to end by a signal, the player ends as its Exit command ends it: icon removed, engine shut down.
    const TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &form, &Form1::exitProgram);
#endif

    // The whole command line is one path.
    const QString commandLine = QApplication::arguments().mid(1).join(u' ');
    form.Form_Load(commandLine);
    // The desktop's media keys and controls, where the session has a bus.
    const MprisService mediaControls(form, QDBusConnection::sessionBus());
    // The screen kept awake while a film plays, where the desktop offers that.
    const KeepScreenAwake keepAwake(form, QDBusConnection::sessionBus());
    return app.exec();
}
