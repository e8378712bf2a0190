#include "FontSubstitutes.h"
#include "Form1.h"
#include "GlobalHotKeys.h"
#include "MprisService.h"
#include "MpvGraph.h"
#include "NotifyIconHost.h"
#include "Picture.h"
#include "SingleInstance.h"

#include <QApplication>
#include <QStringList>

#include <clocale>

int main(int argc, char **argv)
{
    // A second instance ends at once and silently: before it connects to the display, builds
    // a window or reads a skin that could show a message.
    const SingleInstance instance(QStringLiteral("kavel-player"));
    if (instance.PrevInstance())
        return 0;

    // The embedded video window and the global keys need X11: under Wayland
    // the player runs through XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // The video window is native; its siblings need not be.
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    // The engine parses numbers the C way.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("kavel-player"));
    QApplication::setApplicationVersion(QStringLiteral(KAVEL_VERSION_TEXT));
    QApplication::setDesktopFileName(QStringLiteral("kavel-player"));
    QApplication::setQuitOnLastWindowClosed(false);
    runtime::installFontSubstitutes();

    const std::unique_ptr<GlobalHotKeys> hotKeys = GlobalHotKeys::create();
    const std::unique_ptr<NotifyIconHost> trayHost
        = NotifyIconHost::create([](std::uint32_t handle) { return runtime::Picture::fromHandle(handle).image(); });

    Form1 form([](QWidget *videoHost) { return std::make_shared<MpvGraph>(videoHost); }, trayHost.get());
    form.setHotKeys(hotKeys.get());
    QObject::connect(&form, &Form1::exitRequested, &app, &QCoreApplication::quit);

    // The whole command line is one path.
    const QString commandLine = QApplication::arguments().mid(1).join(u' ');
    form.Form_Load(commandLine);
    // The desktop's media keys and controls, where the session has a bus.
    const MprisService mediaControls(form, QDBusConnection::sessionBus());
    return app.exec();
}
