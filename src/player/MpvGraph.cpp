// SPDX-License-Identifier: GPL-3.0-or-later
#include "MpvGraph.h"

#include "MpvAudio.h"
#include "MpvEngine.h"
#include "MpvLibrary.h"
#include "PointerHider.h"
#include "ResponsiveWait.h"
#include "VideoSurface.h"

#include <QFile>
#include <QFileInfo>
#include <QPalette>
#include <QScreen>
#include <QVBoxLayout>

#include <mpv/client.h>

#include <cmath>
#include <limits>

namespace {

// Loading takes 40-60 ms and a broken file fails within about 60 ms; a file
// the engine is still chewing on after this long is taken as failed.
constexpr int kRenderDeadlineMs = 5000;
// Longest that positions from before a seek are ignored when the seek never reports back.
constexpr int kSeekSettleMs = 1000;
// Longer than a frame lasts in any film the player is made for.
constexpr int kFrameSlackMs = 45;

std::optional<double> readDouble(mpv_handle *handle, const char *name)
{
    double value = 0;
    if (mpv_get_property(handle, name, MPV_FORMAT_DOUBLE, &value) < 0)
        return std::nullopt;
    return value;
}

int readInt(mpv_handle *handle, const char *name)
{
    int64_t value = 0;
    if (mpv_get_property(handle, name, MPV_FORMAT_INT64, &value) < 0)
        return 0;
    return int(value);
}

bool readFlag(mpv_handle *handle, const char *name)
{
    int value = 0;
    return mpv_get_property(handle, name, MPV_FORMAT_FLAG, &value) >= 0 && value;
}

bool fileHasVideo(mpv_handle *handle)
{
    // A video track chosen: until the engine has chosen, "vid" reads "auto".
    char *track = mpv_get_property_string(handle, "current-tracks/video/id");
    const bool has = track != nullptr;
    mpv_free(track);
    return has;
}

} // namespace

MpvGraph::MpvGraph(QWidget *videoHost, std::shared_ptr<MpvEnginePool> engines)
    : m_engines(std::move(engines))
    , m_owner(videoHost)
{
    m_halfSecond.setSingleShot(true);
    m_halfSecond.setTimerType(Qt::PreciseTimer);
    m_halfSecond.callOnTimeout([this] { readPosition(); });
}

MpvGraph::~MpvGraph()
{
    if (!m_engine)
        return;
    // The window goes back into its host before the full-screen window that holds it goes.
    leaveFullScreen();
    m_engines->give(std::move(m_engine));
}

mpv_handle *MpvGraph::handle() const
{
    return m_engine ? m_engine->handle() : nullptr;
}

VideoSurface *MpvGraph::surface() const
{
    return m_engine ? m_engine->surface() : nullptr;
}

QWidget *MpvGraph::videoWidget() const
{
    return surface();
}

void MpvGraph::drainEvents()
{
    if (m_engine)
        m_engine->drainEvents();
}

void MpvGraph::handleEvent(const mpv_event &event)
{
    switch (event.event_id) {
    case MPV_EVENT_START_FILE:
        m_fileStarted = true;
        break;
    case MPV_EVENT_FILE_LOADED:
        if (m_load == Load::Loading && !fileHasVideo(handle()))
            finishLoading(true);
        break;
    case MPV_EVENT_VIDEO_RECONFIG:
        finishVideoLoading();
        break;
    case MPV_EVENT_END_FILE:
        if (!m_fileStarted)
            break; // the end of the file this one replaced
        if (m_load == Load::Loading) {
            finishLoading(false);
        } else if (m_load == Load::Ready) {
            // A damaged file stops early: hold the end, as at any end of file.
            m_fileEnded = true;
            m_eofReached = true;
        }
        break;
    case MPV_EVENT_SEEK:
        // From here on the engine reports the new place.
        m_seekPending = false;
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        // A seek landed, perhaps within the same second.
        readPosition();
        break;
    case MPV_EVENT_GET_PROPERTY_REPLY:
        if (event.reply_userdata != MpvEngine::TimePos)
            break;
        m_positionRead = false;
        if (event.error >= 0 && m_load == Load::Ready && !m_fileEnded)
            updateCache(MpvEngine::TimePos, *static_cast<const mpv_event_property *>(event.data));
        followHalfSeconds();
        break;
    case MPV_EVENT_PROPERTY_CHANGE:
        if (event.reply_userdata == MpvEngine::PositionSecond || event.reply_userdata == MpvEngine::RemainingSecond) {
            // Nothing reads otherwise until the exact position is in.
            readPosition();
            return;
        }
        if (event.reply_userdata == MpvEngine::VoConfigured)
            finishVideoLoading();
        else if (event.reply_userdata == MpvEngine::Paused || !m_fileEnded)
            updateCache(event.reply_userdata, *static_cast<const mpv_event_property *>(event.data));
        if (event.reply_userdata == MpvEngine::Paused)
            readPosition();
        break;
    default:
        break;
    }
    // Any event may be the one that changes a reading; while paused there are none.
    tellChange();
}

void MpvGraph::updateCache(uint64_t observed, const mpv_event_property &property)
{
    const bool known = property.format != MPV_FORMAT_NONE && property.data;
    switch (observed) {
    case MpvEngine::TimePos:
        // Until a seek starts the engine still reports where it was.
        if (m_seekPending && !m_seekSettleDeadline.hasExpired())
            break;
        m_position = known ? std::optional(*static_cast<const double *>(property.data)) : std::nullopt;
        break;
    case MpvEngine::DurationProperty:
        m_duration = known ? std::optional(*static_cast<const double *>(property.data)) : std::nullopt;
        break;
    case MpvEngine::EofReached:
        m_eofReached = known && *static_cast<const int *>(property.data);
        break;
    case MpvEngine::Paused:
        m_paused = !known || *static_cast<const int *>(property.data);
        break;
    default:
        break;
    }
}

void MpvGraph::readPosition()
{
    if (m_positionRead || !isReady())
        return;
    // Asked, not waited for: the engine may be busy with a frame.
    m_positionRead = mpv_get_property_async(handle(), MpvEngine::TimePos, "time-pos", MPV_FORMAT_DOUBLE) >= 0;
}

void MpvGraph::followHalfSeconds()
{
    // The position bar shows the position rounded to whole seconds, which changes at the half
    // seconds, where neither whole second the engine reports does: the position is read there.
    if (State() != GraphState::Running || m_eofReached || !m_position) {
        m_halfSecond.stop();
        return;
    }
    const double next = std::floor(*m_position + 0.5) + 0.5;
    // The engine's position moves with the frames shown: one more frame, and it is past.
    m_halfSecond.start(int(std::ceil((next - *m_position) * 1000)) + kFrameSlackMs);
}

void MpvGraph::finishVideoLoading()
{
    // Until the new file starts, the engine still reports the one it replaces. A file without
    // video has a configured output too, with force-window, and mpv 0.40 reports the window's
    // size as the display size there: only a video track's output counts.
    if (m_load != Load::Loading || !m_fileStarted || !fileHasVideo(handle()))
        return;
    // The engine takes the host window's mapping for its own window's and then never
    // maps the window it draws into: its output is set up before an owner can show
    // the surface, or the picture would stay black for the whole file.
    if (!readFlag(handle(), "vo-configured"))
        return;
    // The display size of the decoded picture, so an anamorphic picture reads with its shown
    // proportions. Not the output's (dwidth): mpv 0.40 gives its forced window's 960x540 there
    // until the first frame is in.
    m_width = readInt(handle(), "video-params/dw");
    m_height = readInt(handle(), "video-params/dh");
    if (m_width > 0 && m_height > 0)
        finishLoading(true);
}

void MpvGraph::finishLoading(bool success)
{
    // The last picture of the file this one replaced must not stand for a file without one.
    if ((!success || m_width <= 0) && surface())
        surface()->hide();
    if (!success) {
        m_load = Load::Failed;
        m_width = m_height = 0;
        stopEngine();
        return;
    }
    m_load = Load::Ready;
    m_duration = readDouble(handle(), "duration");
    m_position = readDouble(handle(), "time-pos");
}

void MpvGraph::stopEngine()
{
    // A failed load must not go on in the background, e.g. with entries of a playlist the file turned out to be.
    // Queued, never waited for: a file given up on is one the engine is still busy with. Every
    // command that follows is queued too, and the engine runs its queue in order, so the stop
    // lands before the next file's load (a waiting command would overtake it).
    static const char *stop[] = {"stop", nullptr};
    mpv_command_async(handle(), 0, stop);
}

bool MpvGraph::RenderFile(const QString &path)
{
    // The window stays painted while the engine's library finishes loading, however long the disk takes.
    waitResponsively(&MpvLibrary::isLoaded, std::numeric_limits<int>::max());
    if (!m_engine && m_owner) {
        m_engine = m_engines->take(m_owner);
        m_engine->setListener([this](const mpv_event &event) { handleEvent(event); });
    }
    if (!handle())
        return false;
    drainEvents();
    m_load = Load::Empty;
    m_fileStarted = m_fileEnded = m_eofReached = m_seekPending = m_positionRead = false;
    m_halfSecond.stop();
    m_stopped = true;
    m_width = m_height = 0;
    m_duration.reset();
    m_position.reset();

    // Only a regular file: the engine would play a folder's contents, and
    // opening a pipe could block it for good.
    const QFileInfo file(path);
    if (!file.isFile()) {
        finishLoading(false);
        return false;
    }
    const QByteArray name = QFile::encodeName(file.absoluteFilePath());
    const char *load[] = {"loadfile", name.constData(), "replace", nullptr};
    if (!m_engine->setPaused(true) || mpv_command_async(handle(), 0, load) < 0) {
        finishLoading(false);
        return false;
    }

    m_load = Load::Loading;
    // The engine's events arrive through its wakeups while the window goes on.
    if (!waitResponsively([this] { return m_load != Load::Loading || !handle(); }, kRenderDeadlineMs))
        finishLoading(false);
    tellChange();
    return m_load == Load::Ready;
}

bool MpvGraph::isReady() const
{
    return handle() && m_load == Load::Ready;
}

bool MpvGraph::hasVideo() const
{
    return isReady() && m_width > 0 && surface();
}

bool MpvGraph::setPaused(bool paused)
{
    return isReady() && m_engine->setPaused(paused);
}

bool MpvGraph::Run()
{
    const bool ok = setPaused(false);
    m_stopped = m_stopped && !ok;
    tellChange();
    return ok;
}

bool MpvGraph::Pause()
{
    m_halfSecond.stop();
    const bool ok = setPaused(true);
    m_stopped = m_stopped && !ok;
    tellChange();
    return ok;
}

bool MpvGraph::Stop()
{
    // The caller rewinds; the engine has no stopped state that keeps the file.
    m_halfSecond.stop();
    const bool ok = setPaused(true);
    m_stopped = m_stopped || ok;
    tellChange();
    return ok;
}

std::optional<MediaGraph::GraphState> MpvGraph::State() const
{
    if (!isReady())
        return std::nullopt;
    if (m_stopped)
        return GraphState::Stopped;
    return m_paused ? GraphState::Paused : GraphState::Running;
}

std::optional<double> MpvGraph::Duration() const
{
    return isReady() ? m_duration : std::nullopt;
}

std::optional<double> MpvGraph::CurrentPosition() const
{
    if (!isReady())
        return std::nullopt;
    if (m_eofReached && m_duration)
        return m_duration;
    return m_position;
}

bool MpvGraph::SetCurrentPosition(double seconds)
{
    // A negative target would count from the end.
    if (!isReady() || m_fileEnded || !std::isfinite(seconds) || seconds < 0)
        return false;
    const QByteArray target = QByteArray::number(seconds, 'f', 6);
    const char *seek[] = {"seek", target.constData(), "absolute", nullptr};
    drainEvents();
    if (mpv_command_async(handle(), 0, seek) < 0)
        return false;
    // The clock reads the cache: show the new place now, not when the engine gets there.
    m_position = m_duration ? std::min(seconds, *m_duration) : seconds;
    m_eofReached = false;
    m_seekPending = true;
    m_seekSettleDeadline.setRemainingTime(kSeekSettleMs);
    tellChange();
    return true;
}

bool MpvGraph::SetVolume(int volume)
{
    if (!isReady() || volume < -10000 || volume > 0)
        return false;
    double level = mpvVolume(volume);
    return mpv_set_property_async(handle(), 0, "volume", MPV_FORMAT_DOUBLE, &level) >= 0;
}

bool MpvGraph::SetBalance(int balance)
{
    if (!isReady() || balance < -10000 || balance > 10000)
        return false;
    const QByteArray filter = mpvBalanceFilter(balance);
    const char *value = filter.constData();
    return mpv_set_property_async(handle(), 0, "af", MPV_FORMAT_STRING, &value) >= 0;
}

bool MpvGraph::SetWindowStyle(int style)
{
    // The video window is always a borderless child; any style is taken as that.
    Q_UNUSED(style);
    return hasVideo();
}

bool MpvGraph::SetOwner(QWidget *owner)
{
    if (!hasVideo() || !owner)
        return false;
    m_owner = owner;
    if (m_fullScreenWindow)
        return true; // it comes back to the new owner when full screen ends
    if (surface()->parentWidget() != owner)
        surface()->setParent(owner);
    surface()->show();
    return true;
}

std::optional<int> MpvGraph::Width() const
{
    return hasVideo() ? std::optional(m_width) : std::nullopt;
}

std::optional<int> MpvGraph::Height() const
{
    return hasVideo() ? std::optional(m_height) : std::nullopt;
}

bool MpvGraph::SetWindowPosition(int left, int top, int width, int height)
{
    if (!hasVideo() || width < 0 || height < 0)
        return false;
    m_windowedGeometry = QRect(left, top, width, height);
    // In full screen the place is kept for the return.
    if (!m_fullScreenWindow)
        surface()->setGeometry(m_windowedGeometry);
    return true;
}

bool MpvGraph::SetFullScreenMode(bool fullScreen)
{
    if (!hasVideo())
        return false;
    if (fullScreen == bool(m_fullScreenWindow))
        return true;

    if (!fullScreen) {
        if (!m_owner)
            return false;
        leaveFullScreen();
        surface()->show();
        return true;
    }

    // The same native window moves, so the engine keeps drawing without a gap.
    m_windowedGeometry = surface()->geometry();
    auto window = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint);
    QPalette black = window->palette();
    black.setColor(QPalette::Window, Qt::black);
    window->setPalette(black);
    window->setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    if (m_owner)
        window->setWindowTitle(m_owner->window()->windowTitle());
    const QScreen *screen = (m_owner ? m_owner.data() : static_cast<QWidget *>(surface()))->screen();
    window->setGeometry(screen->geometry());
    // Shown first: the video window needs its new parent's native window to move into.
    window->showFullScreen();
    layout->addWidget(surface());
    surface()->show();
    new PointerHider(window.get());
    m_fullScreenWindow = std::move(window);
    return true;
}

void MpvGraph::leaveFullScreen()
{
    if (!m_fullScreenWindow)
        return;
    if (VideoSurface *video = surface()) {
        video->setParent(m_owner ? m_owner.data() : m_engine->host());
        video->setGeometry(m_windowedGeometry);
    }
    m_fullScreenWindow.reset();
}

void MpvGraph::setChangeListener(std::function<void()> listener)
{
    m_changeListener = std::move(listener);
}

void MpvGraph::tellChange() const
{
    if (m_changeListener)
        m_changeListener();
}
