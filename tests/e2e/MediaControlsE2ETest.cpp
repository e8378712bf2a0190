// SPDX-License-Identifier: GPL-3.0-or-later
#include "MprisClient.h"
#include "PlayerProcess.h"
#include "desktop/SessionBus.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <functional>

// Files dragged onto the player from another program, and the desktop's media
// controls, on the player as a user runs it.

namespace {

// A window that drags a file out as soon as it is pressed, as a file manager does, and
// steers the pointer while the drag runs: over the target until the target takes it, then lets go.
class DragSource : public QWidget
{
public:
    DragSource(const QString &path, QPoint target)
        : m_path(path)
        , m_target(target)
    {
        setWindowTitle(QStringLiteral("drag source"));
        resize(120, 120);
    }

    bool started = false;
    Qt::DropAction action = Qt::IgnoreAction; // what the drop did, as the target said
    bool taken = false; // the target said it would take the drop

protected:
    void mousePressEvent(QMouseEvent *) override
    {
        started = true;
        auto *drag = new QDrag(this);
        auto *data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(m_path)});
        drag->setMimeData(data);
        QObject::connect(drag, &QDrag::actionChanged, this,
                         [this](Qt::DropAction now) { taken = now == Qt::CopyAction; });
        QTimer steer;
        int step = 0;
        QObject::connect(&steer, &QTimer::timeout, this, [&] {
            // Small moves over the target, as a hand makes them, until it says it takes the drop.
            if (taken || ++step > 200) {
                steer.stop();
                xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
                return;
            }
            xdotool(
                {QStringLiteral("mousemove"), QString::number(m_target.x() + step % 8), QString::number(m_target.y())});
        });
        steer.start(50);
        action = drag->exec(Qt::CopyAction);
    }

private:
    QString m_path;
    QPoint m_target;
};

QString titlePlaying(const QDBusConnection &bus)
{
    const QVariant metadata = playerProperty(bus, QStringLiteral("Metadata"));
    if (!metadata.canConvert<QDBusArgument>())
        return {};
    return qdbus_cast<QVariantMap>(metadata.value<QDBusArgument>()).value(QStringLiteral("xesam:title")).toString();
}

bool nameOnTheBus(const QDBusConnection &bus)
{
    const QDBusMessage reply
        = callPlayer(bus, QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"), {ServiceName});
    return reply.arguments().value(0).toBool();
}

} // namespace

TEST(MediaControlsE2E, AFileDraggedOntoTheWindowPlaysAndTheDesktopPausesAndPlaysIt)
{
    const desktop::SessionBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon did not start";
    const QDBusConnection desktop = bus.connection();
    ASSERT_TRUE(desktop.isConnected());

    QTemporaryDir home;
    PlayerProcess player(home);
    player.useSessionBus(bus.address());
    player.start({});
    QStringList windows;
    ASSERT_TRUE(waitFor([&] { return !(windows = playerWindows()).isEmpty(); }, 20000));
    const std::optional<QRect> frame = settledGeometry(windows.first());
    ASSERT_TRUE(frame);
    ASSERT_TRUE(waitFor([&] { return nameOnTheBus(desktop); })) << "the player is not on the session bus";
    EXPECT_EQ(playerProperty(desktop, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Stopped"));

    // Dragged from another program's window onto the video area.
    const QRect video = videoArea(*frame);
    DragSource source(clip("long.avi"), video.center());
    source.move(frame->right() + 40, frame->y());
    source.show();
    ASSERT_TRUE(waitFor([&] { return source.isVisible() && !source.geometry().isEmpty(); }));
    // Where the window manager has put it for good: a press at a place it has left misses it.
    const std::optional<QRect> sourceFrame = settledGeometry(QString::number(source.winId()));
    ASSERT_TRUE(sourceFrame && sourceFrame->width() > 0);
    const QPoint press = sourceFrame->center();
    ASSERT_TRUE(xdotool({QStringLiteral("mousemove"), QString::number(press.x()), QString::number(press.y())}));
    ASSERT_TRUE(xdotool({QStringLiteral("mousedown"), QStringLiteral("1")}));
    const bool started = waitFor([&] { return source.started; });
    if (!started)
        xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}); // or the tests after this one run with it held
    ASSERT_TRUE(started) << "the drag never started";
    EXPECT_TRUE(source.taken) << "the player did not take the file";
    EXPECT_EQ(source.action, Qt::CopyAction);

    ASSERT_TRUE(waitFor([&] { return titlePlaying(desktop) == QStringLiteral("long.avi"); }, 20000))
        << "the dropped file does not play";
    EXPECT_TRUE(waitFor([&] { return showsPictureInVideoArea(windows.first()); }, 20000))
        << "no picture in the video area";
    EXPECT_TRUE(waitFor([&] {
        return playerProperty(desktop, QStringLiteral("PlaybackStatus")).toString() == QStringLiteral("Playing");
    }));

    // The desktop's pause holds the engine; its play runs it on.
    const auto position = [&] {
        return playerProperty(desktop, QStringLiteral("Position")).toLongLong();
    };
    ASSERT_EQ(callPlayer(desktop, PlayerInterface, QStringLiteral("Pause")).type(), QDBusMessage::ReplyMessage);
    EXPECT_TRUE(waitFor([&] {
        return playerProperty(desktop, QStringLiteral("PlaybackStatus")).toString() == QStringLiteral("Paused");
    }));
    const qlonglong paused = position();
    EXPECT_FALSE(waitFor([&] { return position() != paused; }, 500)) << "the picture goes on while paused";
    ASSERT_EQ(callPlayer(desktop, PlayerInterface, QStringLiteral("PlayPause")).type(), QDBusMessage::ReplyMessage);
    EXPECT_TRUE(waitFor([&] {
        return playerProperty(desktop, QStringLiteral("PlaybackStatus")).toString() == QStringLiteral("Playing");
    }));
    EXPECT_TRUE(waitFor([&] { return position() > paused + 300'000; }));

    // The desktop ends the program as its Exit does.
    callPlayer(desktop, QStringLiteral("org.mpris.MediaPlayer2"), QStringLiteral("Quit"));
    ASSERT_TRUE(player.process.waitForFinished(10000)) << "Quit did not end the player";
    EXPECT_EQ(player.process.exitCode(), 0);
}
