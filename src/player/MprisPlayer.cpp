// SPDX-License-Identifier: GPL-3.0-or-later
#include "MprisPlayer.h"

#include "Form1.h"

#include "controls/dtVisualScrollBar/dtVisualScrollBar.h"
#include "runtime/GraphicalButton.h"
#include "runtime/Nearest.h"
#include "runtime/PathNames.h"

#include <QDBusMessage>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {

constexpr double MicrosecondsPerSecond = 1e6;
const QString PlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
// Track ids are the player's own: the protocol keeps paths under /org/mpris for itself.
const QString TrackIdPrefix = QStringLiteral("/org/kavel_player/track/");
const QString NoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");

qlonglong microseconds(double seconds)
{
    return qlonglong(std::llround(seconds * MicrosecondsPerSecond));
}

} // namespace

MprisPlayer::MprisPlayer(QObject *service, Form1 &form, const QDBusConnection &bus, const QString &objectPath)
    : QDBusAbstractAdaptor(service)
    , m_form(form)
    , m_bus(bus)
    , m_objectPath(objectPath)
{
    refresh(false);
    // The clock that already follows the engine for the window's bar and times.
    connect(&m_form, &Form1::clockTicked, this, [this] { refresh(); });
    // The clock ticks only after the graph or the position bar changes; the volume bar is neither.
    connect(m_form.V1, &dtVisualScrollBar::Change, this, [this] { refresh(); });
    // After the window's own handler has sought: by a drag of the thumb or by Seek.
    connect(m_form.H1, &dtVisualScrollBar::Scroll, this,
            [this] { Q_EMIT Seeked(microseconds(positionSeconds().value_or(m_form.H1->Value()))); });
}

void MprisPlayer::refresh(bool announce)
{
    QVariantMap changed;
    if (const QString status = statusNow(); status != m_status) {
        m_status = status;
        changed.insert(QStringLiteral("PlaybackStatus"), m_status);
    }
    if (const Track track = trackNow(); track != m_track) {
        m_track = track;
        changed.insert(QStringLiteral("Metadata"), metadataNow());
    }
    if (const double volume = volumeNow(); volume != m_volume) {
        m_volume = volume;
        changed.insert(QStringLiteral("Volume"), m_volume);
    }
    if (!announce || changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(m_objectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal.setArguments({PlayerInterface, changed, QStringList()});
    m_bus.send(signal);
}

QString MprisPlayer::statusNow() const
{
    const std::optional<MediaGraph::GraphState> state
        = m_form.MediaControl ? m_form.MediaControl->State() : std::nullopt;
    switch (state.value_or(MediaGraph::GraphState::Stopped)) {
    case MediaGraph::GraphState::Running:
        return QStringLiteral("Playing");
    case MediaGraph::GraphState::Paused:
        return QStringLiteral("Paused");
    case MediaGraph::GraphState::Stopped:
        break;
    }
    return QStringLiteral("Stopped");
}

MprisPlayer::Track MprisPlayer::trackNow()
{
    const std::shared_ptr<MediaGraph> &graph = m_form.MediaControl;
    // The main window builds a graph only for the file in CurrentFile; a cancelled dialog
    // empties CurrentFile later and leaves the graph playing.
    if (bool(graph) != m_hasGraph || (graph && m_graph.lock() != graph)) {
        m_graph = graph;
        m_hasGraph = bool(graph);
        ++m_graphsSeen;
        m_graphPath = m_form.CurrentFile;
    }
    Track track;
    if (!graph || !graph->State())
        return track; // nothing plays: a file that failed leaves an empty graph
    track.number = m_graphsSeen;
    track.path = m_graphPath;
    track.playable = true;
    track.duration = m_form.MediaPosition ? m_form.MediaPosition->Duration() : std::nullopt;
    return track;
}

double MprisPlayer::volumeNow() const
{
    const dtVisualScrollBar &bar = *m_form.V1;
    if (bar.Max() <= bar.Min())
        return 1.0;
    return double(bar.Value() - bar.Min()) / (bar.Max() - bar.Min());
}

QDBusObjectPath MprisPlayer::trackId() const
{
    return QDBusObjectPath(m_track.playable ? TrackIdPrefix + QString::number(m_track.number) : NoTrack);
}

std::optional<double> MprisPlayer::positionSeconds() const
{
    return m_form.MediaPosition ? m_form.MediaPosition->CurrentPosition() : std::nullopt;
}

QString MprisPlayer::PlaybackStatus()
{
    refresh();
    return m_status;
}

QVariantMap MprisPlayer::Metadata()
{
    refresh();
    return metadataNow();
}

QVariantMap MprisPlayer::metadataNow() const
{
    QVariantMap metadata {{QStringLiteral("mpris:trackid"), QVariant::fromValue(trackId())}};
    if (!m_track.playable)
        return metadata;
    metadata.insert(QStringLiteral("xesam:title"), runtime::FileNameOnly(m_track.path));
    metadata.insert(QStringLiteral("xesam:url"),
                    QUrl::fromLocalFile(QFileInfo(m_track.path).absoluteFilePath()).toString(QUrl::FullyEncoded));
    if (m_track.duration)
        metadata.insert(QStringLiteral("mpris:length"), microseconds(*m_track.duration));
    return metadata;
}

double MprisPlayer::Volume()
{
    refresh();
    return m_volume;
}

void MprisPlayer::SetVolume(double volume)
{
    if (!std::isfinite(volume))
        return;
    dtVisualScrollBar &bar = *m_form.V1;
    const double level = std::clamp(volume, 0.0, 1.0);
    bar.scrollTo(qint64(runtime::nearest(bar.Min() + level * (bar.Max() - bar.Min()))));
}

qlonglong MprisPlayer::Position() const
{
    return microseconds(positionSeconds().value_or(0));
}

void MprisPlayer::Next()
{
    m_form.ButtonEx6->click();
}

void MprisPlayer::Previous()
{
    m_form.ButtonEx7->click();
}

void MprisPlayer::Pause()
{
    m_form.Command4->click();
}

void MprisPlayer::PlayPause()
{
    if (statusNow() == QStringLiteral("Playing"))
        Pause();
    else
        Play();
}

void MprisPlayer::Stop()
{
    m_form.Command2->click();
}

void MprisPlayer::Play()
{
    m_form.Command1->click();
}

void MprisPlayer::Seek(qlonglong Offset)
{
    const std::optional<double> position = positionSeconds();
    if (!position)
        return;
    const double target = *position + double(Offset) / MicrosecondsPerSecond;
    const std::optional<double> duration = m_form.MediaPosition->Duration();
    // Past the end is the next entry.
    if (duration && target > *duration)
        Next();
    else
        seekTo(std::max(target, 0.0));
}

void MprisPlayer::SetPosition(const QDBusObjectPath &TrackId, qlonglong Position)
{
    refresh();
    // A request meant for a file that has since been replaced is stale.
    if (!m_track.playable || TrackId != trackId() || Position < 0)
        return;
    const double target = double(Position) / MicrosecondsPerSecond;
    if (m_track.duration && target > *m_track.duration)
        return;
    seekTo(target);
}

void MprisPlayer::seekTo(double seconds)
{
    // As the thumb dragged there: the bar's whole seconds.
    m_form.H1->scrollTo(qint64(runtime::nearest(seconds)));
}

void MprisPlayer::OpenUri(const QString &Uri)
{
    const QUrl url(Uri);
    if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
        m_form.openFile(url.toLocalFile());
}
