// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1Fixture.h"
#include "QtPrinters.h"
#include "desktop/WaitFor.h"

#include "controls/dtVisualScrollBar/dtVisualScrollBar.h"
#include "player/MprisService.h"
#include "runtime/GraphicalButton.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QSignalSpy>
#include <QUrl>

#include <functional>

// The desktop's side: another connection to the test's own session bus
// (dbus-run-session) that calls the player and listens to it, its calls
// answered while the player's event loop runs.

namespace {

const QString PlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString RootInterface = QStringLiteral("org.mpris.MediaPlayer2");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString ClientName = QStringLiteral("desktop");
const QString NoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");

QVariantMap asMap(const QVariant &value)
{
    if (value.canConvert<QDBusArgument>())
        return qdbus_cast<QVariantMap>(value.value<QDBusArgument>());
    return value.toMap();
}

QString trackIdOf(const QVariantMap &metadata)
{
    return metadata.value(QStringLiteral("mpris:trackid")).value<QDBusObjectPath>().path();
}

} // namespace

// What the desktop hears from the player.
class DesktopListener : public QObject
{
    Q_OBJECT
public:
    QList<QVariantMap> changes;
    QList<qlonglong> seeks;

public Q_SLOTS:
    void PropertiesChanged(const QString &interface, const QVariantMap &changed, const QStringList &)
    {
        if (interface == PlayerInterface)
            changes.append(changed);
    }
    void Seeked(qlonglong position) { seeks.append(position); }
};

class MprisTest : public Form1Fixture
{
protected:
    void SetUp() override
    {
        Form1Fixture::SetUp();
        load();
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "no session bus: run under dbus-run-session";
        service = std::make_unique<MprisService>(*form, QDBusConnection::sessionBus());
        ASSERT_TRUE(service->isRegistered());
        desktop
            = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(QDBusConnection::SessionBus, ClientName));
        ASSERT_TRUE(desktop->isConnected());
        ASSERT_TRUE(desktop->connect(MprisService::ServiceName, MprisService::ObjectPath, PropertiesInterface,
                                     QStringLiteral("PropertiesChanged"), &listener,
                                     SLOT(PropertiesChanged(QString, QVariantMap, QStringList))));
        ASSERT_TRUE(desktop->connect(MprisService::ServiceName, MprisService::ObjectPath, PlayerInterface,
                                     QStringLiteral("Seeked"), &listener, SLOT(Seeked(qlonglong))));
    }

    void TearDown() override
    {
        desktop.reset();
        QDBusConnection::disconnectFromBus(ClientName);
        service.reset();
    }

    QDBusMessage call(const QString &interface, const QString &method, const QVariantList &arguments = {})
    {
        QDBusMessage message
            = QDBusMessage::createMethodCall(MprisService::ServiceName, MprisService::ObjectPath, interface, method);
        message.setArguments(arguments);
        const QDBusPendingCall pending = desktop->asyncCall(message);
        EXPECT_TRUE(waitFor([&] { return pending.isFinished(); })) << method.toStdString();
        const QDBusMessage reply = pending.reply();
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage)
            << method.toStdString() << ": " << reply.errorMessage().toStdString();
        return reply;
    }

    QDBusMessage player(const QString &method, const QVariantList &arguments = {})
    {
        return call(PlayerInterface, method, arguments);
    }

    QVariant property(const QString &name, const QString &interface = PlayerInterface)
    {
        return call(PropertiesInterface, QStringLiteral("Get"), {interface, name})
            .arguments()
            .value(0)
            .value<QDBusVariant>()
            .variant();
    }

    QString status() { return property(QStringLiteral("PlaybackStatus")).toString(); }
    QVariantMap metadata() { return asMap(property(QStringLiteral("Metadata"))); }

    // Waits until the player has announced a change of the property that satisfies the test.
    bool announced(const QString &name, const std::function<bool(const QVariant &)> &test)
    {
        return waitFor([&] {
            for (const QVariantMap &change : std::as_const(listener.changes)) {
                if (change.contains(name) && test(change.value(name)))
                    return true;
            }
            return false;
        });
    }

    bool announcedStatus(const QString &expected)
    {
        return announced(QStringLiteral("PlaybackStatus"), [&](const QVariant &v) { return v.toString() == expected; });
    }

    bool announcedTitle(const QString &expected)
    {
        return announced(QStringLiteral("Metadata"), [&](const QVariant &v) {
            return asMap(v).value(QStringLiteral("xesam:title")).toString() == expected;
        });
    }

    std::unique_ptr<MprisService> service;
    std::unique_ptr<QDBusConnection> desktop;
    DesktopListener listener;
};

TEST_F(MprisTest, TransportMethodsRunTheButtonsCommands)
{
    form->openFile(file(QStringLiteral("clip.avi")));
    ASSERT_TRUE(announcedStatus(QStringLiteral("Playing")));
    const struct {
        const char *method;
        QStringList calls;
        const char *status;
    } steps[] = {
        {"Pause", {"Pause"}, "Paused"},
        {"Play", {"Run"}, "Playing"},
        {"PlayPause", {"Pause"}, "Paused"},
        {"PlayPause", {"Run"}, "Playing"},
        {"Stop", {"Stop", "CurrentPosition 0"}, "Stopped"},
        {"PlayPause", {"Run"}, "Playing"},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.method);
        const qsizetype before = callsOf(1).size();
        player(QString::fromLatin1(step.method));
        EXPECT_EQ(callsOf(1).mid(before), step.calls);
        EXPECT_EQ(status(), QString::fromLatin1(step.status));
    }
}

TEST_F(MprisTest, NextAndPreviousStepThroughThePlaylistAsTheButtonsDo)
{
    list().AddItems({QStringLiteral("/films/a.avi"), QStringLiteral("/films/b.avi"), QStringLiteral("/films/c.avi")});
    list().setSelected(2, true);
    form->LoadPLFile();

    player(QStringLiteral("Next"));
    EXPECT_EQ(callsOf(1).mid(callsOf(1).indexOf(QStringLiteral("Run")) + 2, 2),
              (QStringList {QStringLiteral("Stop"), QStringLiteral("CurrentPosition 0")}))
        << "stopped and rewound first";
    EXPECT_EQ(rendered().last(), QStringLiteral("/films/a.avi")) << "past the end the list wraps round";
    EXPECT_EQ(form->playlistWindow().windowTitle(), QStringLiteral("  KAVEL Playlist:a.avi"));
    EXPECT_TRUE(announcedTitle(QStringLiteral("a.avi")));

    player(QStringLiteral("Previous"));
    EXPECT_EQ(rendered().last(), QStringLiteral("/films/c.avi"));
    EXPECT_TRUE(announcedTitle(QStringLiteral("c.avi")));
    EXPECT_EQ(status(), QStringLiteral("Playing"));

    // A seek past the end is a step to the next entry.
    player(QStringLiteral("Seek"), {qlonglong(200'000'000)});
    EXPECT_EQ(rendered().last(), QStringLiteral("/films/a.avi"));
}

TEST_F(MprisTest, StatusAndMetadataFollowTheEngineAndAreAnnounced)
{
    EXPECT_EQ(status(), QStringLiteral("Stopped"));
    EXPECT_EQ(metadata(),
              (QVariantMap {{QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(NoTrack))}}));

    const QString clip = file(QStringLiteral("clip one.avi"));
    form->openFile(clip);
    ASSERT_TRUE(announcedTitle(QStringLiteral("clip one.avi")));
    EXPECT_TRUE(announcedStatus(QStringLiteral("Playing")));
    const QVariantMap first = metadata();
    EXPECT_EQ(first.value(QStringLiteral("xesam:title")).toString(), QStringLiteral("clip one.avi"));
    EXPECT_EQ(first.value(QStringLiteral("xesam:url")).toString(), QUrl::fromLocalFile(clip).toEncoded());
    EXPECT_EQ(first.value(QStringLiteral("mpris:length")).toLongLong(), 95'000'000);
    EXPECT_NE(trackIdOf(first), NoTrack);
    EXPECT_FALSE(trackIdOf(first).isEmpty());

    // The engine pauses by itself, with no command of the player's.
    graphs.last.lock()->turn(MediaGraph::GraphState::Paused);
    EXPECT_TRUE(announcedStatus(QStringLiteral("Paused")));
    EXPECT_EQ(status(), QStringLiteral("Paused"));

    graphs.next.duration = 12.5;
    form->openFile(file(QStringLiteral("second.avi")));
    ASSERT_TRUE(announcedTitle(QStringLiteral("second.avi")));
    const QVariantMap second = metadata();
    EXPECT_NE(trackIdOf(second), trackIdOf(first)) << "every file is a track of its own";
    EXPECT_EQ(second.value(QStringLiteral("mpris:length")).toLongLong(), 12'500'000);

    // A file the engine cannot play leaves nothing playing.
    graphs.next.renders = false;
    form->openFile(file(QStringLiteral("broken.avi")));
    EXPECT_TRUE(
        announced(QStringLiteral("Metadata"), [](const QVariant &v) { return trackIdOf(asMap(v)) == NoTrack; }));
    EXPECT_TRUE(announcedStatus(QStringLiteral("Stopped")));
}

TEST_F(MprisTest, SeekAndSetPositionGoThroughThePositionBar)
{
    form->openFile(file(QStringLiteral("clip.avi")));
    ASSERT_TRUE(announcedStatus(QStringLiteral("Playing")));
    const QString track = trackIdOf(metadata());
    const auto seeks = [&] {
        return callsOf(1).filter(QStringLiteral("CurrentPosition")).mid(1);
    };

    player(QStringLiteral("Seek"), {qlonglong(10'400'000)});
    EXPECT_EQ(seeks(), QStringList {QStringLiteral("CurrentPosition 10")}) << "the bar's whole seconds";
    EXPECT_EQ(form->H1->Value(), 10);
    EXPECT_EQ(property(QStringLiteral("Position")).toLongLong(), 10'000'000);
    ASSERT_TRUE(waitFor([&] { return !listener.seeks.isEmpty(); }));
    EXPECT_EQ(listener.seeks.last(), 10'000'000);

    player(QStringLiteral("SetPosition"), {QVariant::fromValue(QDBusObjectPath(track)), qlonglong(30'000'000)});
    EXPECT_EQ(seeks().last(), QStringLiteral("CurrentPosition 30"));
    // Meant for another file, or past the end: nothing.
    player(QStringLiteral("SetPosition"),
           {QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/kavel_player/track/999"))), qlonglong(5'000'000)});
    player(QStringLiteral("SetPosition"), {QVariant::fromValue(QDBusObjectPath(track)), qlonglong(96'000'000)});
    EXPECT_EQ(seeks().size(), 2);

    player(QStringLiteral("Seek"), {qlonglong(-100'000'000)});
    EXPECT_EQ(seeks().last(), QStringLiteral("CurrentPosition 0"));

    // A drag of the thumb is a seek the desktop hears of too.
    form->H1->scrollTo(40);
    EXPECT_TRUE(waitFor([&] { return listener.seeks.last() == 40'000'000; }));
}

TEST_F(MprisTest, VolumeIsTheVolumeBars)
{
    form->openFile(file(QStringLiteral("clip.avi")));
    EXPECT_EQ(property(QStringLiteral("Volume")).toDouble(), 1.0);
    const struct {
        double set;
        int bar;
        double reads;
    } cases[] = {{0.5, -2500, 0.5}, {0.0, -5000, 0.0}, {7.0, 0, 1.0}, {-1.0, -5000, 0.0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.set);
        call(PropertiesInterface, QStringLiteral("Set"),
             {PlayerInterface, QStringLiteral("Volume"), QVariant::fromValue(QDBusVariant(c.set))});
        EXPECT_EQ(form->V1->Value(), c.bar);
        EXPECT_EQ(callsOf(1).last(), QStringLiteral("Volume %1").arg(c.bar)) << "the bar's own path to the graph";
        EXPECT_EQ(property(QStringLiteral("Volume")).toDouble(), c.reads);
    }
    form->V1->scrollTo(-1000);
    EXPECT_TRUE(announced(QStringLiteral("Volume"), [](const QVariant &v) { return v.toDouble() == 0.8; }));
}

TEST_F(MprisTest, TheProgramIsNamedBroughtForwardAndEnded)
{
    const struct {
        const char *name;
        QVariant value;
    } properties[] = {
        {"Identity", QStringLiteral("KAVEL Player")},
        {"DesktopEntry", QStringLiteral("kavel-player")},
        {"CanQuit", true},
        {"CanRaise", true},
        {"HasTrackList", false},
        {"SupportedUriSchemes", QStringList {QStringLiteral("file")}},
    };
    for (const auto &p : properties)
        EXPECT_EQ(property(QString::fromLatin1(p.name), RootInterface), p.value) << p.name;

    form->hide();
    call(RootInterface, QStringLiteral("Raise"));
    EXPECT_TRUE(form->isVisible());

    form->openFile(file(QStringLiteral("clip.avi")));
    QSignalSpy exit(form.get(), &Form1::exitRequested);
    call(RootInterface, QStringLiteral("Quit"));
    ASSERT_TRUE(waitFor([&] { return exit.count() == 1; }));
    EXPECT_FALSE(form->MediaControl || form->BasicAudio || form->MediaPosition);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MprisTest, OpenUriOpensLocalFilesAsTheOpenDialogDoes)
{
    const QString clip = file(QStringLiteral("clip.avi"));
    player(QStringLiteral("OpenUri"), {QUrl::fromLocalFile(clip).toString()});
    EXPECT_EQ(rendered(), QStringList {clip});

    const QString playlist = playlistOf({QStringLiteral("/films/a.avi"), QStringLiteral("/films/b.avi")});
    player(QStringLiteral("OpenUri"), {QUrl::fromLocalFile(playlist).toString()});
    EXPECT_EQ(list().entries(), (QStringList {QStringLiteral("/films/a.avi"), QStringLiteral("/films/b.avi")}));
    EXPECT_TRUE(form->playlistWindow().plscomm);

    player(QStringLiteral("OpenUri"), {QStringLiteral("https://example.org/film.avi")});
    player(QStringLiteral("OpenUri"), {QUrl::fromLocalFile(dir.filePath(QStringLiteral("gone.avi"))).toString()});
    EXPECT_EQ(rendered(), QStringList {clip});
}

using MprisOffTest = Form1Fixture;

TEST_F(MprisOffTest, WithoutABusOrWithTheNameTakenNothingIsOfferedAndThePlayerRunsOn)
{
    load();
    const QString noBusName = QStringLiteral("no bus");
    {
        const MprisService none(*form,
                                QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), noBusName));
        EXPECT_FALSE(none.isRegistered());
        form->openFile(file(QStringLiteral("clip.avi")));
        form->Command4->click();
        EXPECT_EQ(callsOf(1).last(), QStringLiteral("Pause"));
    }
    QDBusConnection::disconnectFromBus(noBusName);

    const QString otherName = QStringLiteral("another program");
    QDBusConnection other = QDBusConnection::connectToBus(QDBusConnection::SessionBus, otherName);
    ASSERT_TRUE(other.registerService(MprisService::ServiceName));
    {
        const MprisService taken(*form, QDBusConnection::sessionBus());
        EXPECT_FALSE(taken.isRegistered());
    }
    EXPECT_EQ(QDBusConnection::sessionBus().interface()->serviceOwner(MprisService::ServiceName).value(),
              other.baseService())
        << "the other program keeps its name";
    QDBusConnection::disconnectFromBus(otherName);
    EXPECT_TRUE(messages.messages.isEmpty());
}

#include "MprisTest.moc"
