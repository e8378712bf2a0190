#include "MpvGraph.h"

#include "MpvAudio.h"
#include "VideoSurface.h"

#include <QFile>
#include <QFileInfo>
#include <QPalette>
#include <QScreen>
#include <QVBoxLayout>

#include <mpv/client.h>

#include <cmath>

namespace {

// Loading takes 40-60 ms and a broken file fails within about 60 ms; a file
// the engine is still chewing on after this long is taken as failed.
constexpr int kRenderDeadlineMs = 5000;
// Longest that positions from before a seek are ignored when the seek never reports back.
constexpr int kSeekSettleMs = 1000;

enum Observed : uint64_t { TimePos = 1, DurationProperty, EofReached, VoConfigured, Paused };

// Nothing from the user's own engine configuration, no scripts and no input
// handling of the engine's own: the program alone drives it.
constexpr const char *kEngineOptions[][2] = {
    {"config", "no"},
    {"load-scripts", "no"},
    {"ytdl", "no"},
    {"load-stats-overlay", "no"},
    {"load-osd-console", "no"},
    {"load-auto-profiles", "no"},
    {"input-default-bindings", "no"},
    {"input-builtin-bindings", "no"},
    {"input-vo-keyboard", "no"},
    // Else the engine's window swallows the clicks meant for the program.
    {"input-cursor", "no"},
    // It sees no pointer motion without input-cursor, so it would hide the pointer for good.
    {"cursor-autohide", "no"},
    {"osc", "no"},
    {"osd-level", "0"},
    {"resume-playback", "no"},
    {"terminal", "no"},
    {"hwdec", "no"},
    // Software GL is accepted; the plain X11 output is the last resort when GL fails altogether.
    {"vo", "gpu,x11"},
    {"gpu-sw", "yes"},
    // At the end the last frame stays and the position reads as the duration.
    {"keep-open", "yes"},
    // Some demuxers (MPEG program streams) land past a seek target, and an exact seek
    // cannot go back: start that far before it and decode forward.
    {"hr-seek-demuxer-offset", "1"},
    {"volume-max", "100"},
    // Without a sound device the media still plays, silently, and its clock still runs.
    {"audio-fallback-to-null", "yes"},
    {"audio-client-name", "KAVEL Player"},
};

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
    char *track = mpv_get_property_string(handle, "vid");
    const bool has = track && qstrcmp(track, "no") != 0;
    mpv_free(track);
    return has;
}

} // namespace

void MpvGraph::HandleDeleter::operator()(mpv_handle *handle) const
{
    mpv_set_wakeup_callback(handle, nullptr, nullptr);
    mpv_terminate_destroy(handle);
}

MpvGraph::MpvGraph(QWidget *videoHost)
    : m_surface(new VideoSurface(videoHost))
    , m_owner(videoHost)
{
    // The surface may go with its parent before the graph does: the engine
    // must let go of the window while it still exists.
    QObject::connect(m_surface, &VideoSurface::aboutToBeDestroyed, &m_eventContext, [this] { m_handle.reset(); });

    std::unique_ptr<mpv_handle, HandleDeleter> handle(mpv_create());
    if (!handle)
        return; // e.g. a numeric locale other than "C": every operation fails from now on
    for (const auto &[name, value] : kEngineOptions)
        mpv_set_option_string(handle.get(), name, value);
    int64_t windowId = int64_t(m_surface->winId());
    mpv_set_option(handle.get(), "wid", MPV_FORMAT_INT64, &windowId);
    if (mpv_initialize(handle.get()) < 0)
        return;
    mpv_observe_property(handle.get(), TimePos, "time-pos", MPV_FORMAT_DOUBLE);
    mpv_observe_property(handle.get(), DurationProperty, "duration", MPV_FORMAT_DOUBLE);
    mpv_observe_property(handle.get(), EofReached, "eof-reached", MPV_FORMAT_FLAG);
    mpv_observe_property(handle.get(), VoConfigured, "vo-configured", MPV_FORMAT_FLAG);
    mpv_observe_property(handle.get(), Paused, "pause", MPV_FORMAT_FLAG);
    mpv_set_wakeup_callback(handle.get(), &MpvGraph::onWakeup, this);
    m_handle = std::move(handle);
}

MpvGraph::~MpvGraph()
{
    // The engine first, while the window it draws into still exists.
    m_handle.reset();
    m_fullScreenWindow.reset();
    delete m_surface;
}

QWidget *MpvGraph::videoWidget() const
{
    return m_surface;
}

void MpvGraph::onWakeup(void *graph)
{
    // Called on an engine thread: only hand the work to the GUI thread, once.
    auto *self = static_cast<MpvGraph *>(graph);
    if (self->m_drainQueued.exchange(true))
        return;
    QMetaObject::invokeMethod(
        &self->m_eventContext, [self] { self->drainEvents(); }, Qt::QueuedConnection);
}

void MpvGraph::drainEvents()
{
    m_drainQueued = false;
    while (m_handle) {
        const mpv_event *event = mpv_wait_event(m_handle.get(), 0);
        if (event->event_id == MPV_EVENT_NONE)
            return;
        handleEvent(*event);
    }
}

void MpvGraph::handleEvent(const mpv_event &event)
{
    switch (event.event_id) {
    case MPV_EVENT_START_FILE:
        m_fileStarted = true;
        break;
    case MPV_EVENT_FILE_LOADED:
        if (m_load == Load::Loading && !fileHasVideo(m_handle.get()))
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
    case MPV_EVENT_PROPERTY_CHANGE:
        if (event.reply_userdata == VoConfigured)
            finishVideoLoading();
        else if (event.reply_userdata == Paused || !m_fileEnded)
            updateCache(event.reply_userdata, *static_cast<const mpv_event_property *>(event.data));
        break;
    default:
        break;
    }
}

void MpvGraph::updateCache(uint64_t observed, const mpv_event_property &property)
{
    const bool known = property.format != MPV_FORMAT_NONE && property.data;
    switch (observed) {
    case TimePos:
        // Until a seek starts the engine still reports where it was.
        if (m_seekPending && !m_seekSettleDeadline.hasExpired())
            break;
        m_position = known ? std::optional(*static_cast<const double *>(property.data)) : std::nullopt;
        break;
    case DurationProperty:
        m_duration = known ? std::optional(*static_cast<const double *>(property.data)) : std::nullopt;
        break;
    case EofReached:
        m_eofReached = known && *static_cast<const int *>(property.data);
        break;
    case Paused:
        m_paused = !known || *static_cast<const int *>(property.data);
        break;
    default:
        break;
    }
}

void MpvGraph::finishVideoLoading()
{
    if (m_load != Load::Loading)
        return;
    // The engine takes the host window's mapping for its own window's and then never
    // maps the window it draws into: its output is set up before an owner can show
    // the surface, or the picture would stay black for the whole file.
    if (!readFlag(m_handle.get(), "vo-configured"))
        return;
    // The display size, so an anamorphic picture reads with its shown proportions.
    m_width = readInt(m_handle.get(), "dwidth");
    m_height = readInt(m_handle.get(), "dheight");
    if (m_width > 0 && m_height > 0)
        finishLoading(true);
}

void MpvGraph::finishLoading(bool success)
{
    if (!success) {
        m_load = Load::Failed;
        m_width = m_height = 0;
        stopEngine();
        return;
    }
    m_load = Load::Ready;
    m_duration = readDouble(m_handle.get(), "duration");
    m_position = readDouble(m_handle.get(), "time-pos");
}

void MpvGraph::stopEngine()
{
    // A failed load must not go on in the background, e.g. with entries of a playlist the file turned out to be.
    static const char *stop[] = {"stop", nullptr};
    mpv_command_async(m_handle.get(), 0, stop);
}

bool MpvGraph::RenderFile(const QString &path)
{
    if (!m_handle)
        return false;
    drainEvents();
    m_load = Load::Empty;
    m_fileStarted = m_fileEnded = m_eofReached = m_seekPending = false;
    m_stopped = true;
    m_width = m_height = 0;
    m_duration.reset();
    m_position.reset();

    // Only a regular file: the engine would play a folder's contents, and
    // opening a pipe could block it for good.
    const QFileInfo file(path);
    if (!file.isFile()) {
        m_load = Load::Failed;
        return false;
    }
    const QByteArray name = QFile::encodeName(file.absoluteFilePath());
    const char *load[] = {"loadfile", name.constData(), "replace", nullptr};
    if (mpv_set_property_string(m_handle.get(), "pause", "yes") < 0 || mpv_command(m_handle.get(), load) < 0) {
        m_load = Load::Failed;
        return false;
    }

    m_load = Load::Loading;
    const QDeadlineTimer deadline(kRenderDeadlineMs);
    while (m_load == Load::Loading && m_handle) {
        if (deadline.hasExpired()) {
            finishLoading(false);
            break;
        }
        const mpv_event *event = mpv_wait_event(m_handle.get(), deadline.remainingTime() / 1000.0);
        handleEvent(*event);
    }
    return m_load == Load::Ready;
}

bool MpvGraph::isReady() const
{
    return m_handle && m_load == Load::Ready;
}

bool MpvGraph::hasVideo() const
{
    return isReady() && m_width > 0 && m_surface;
}

bool MpvGraph::setPaused(bool paused)
{
    if (!isReady())
        return false;
    int flag = paused;
    return mpv_set_property_async(m_handle.get(), 0, "pause", MPV_FORMAT_FLAG, &flag) >= 0;
}

bool MpvGraph::Run()
{
    const bool ok = setPaused(false);
    m_stopped = m_stopped && !ok;
    return ok;
}

bool MpvGraph::Pause()
{
    const bool ok = setPaused(true);
    m_stopped = m_stopped && !ok;
    return ok;
}

bool MpvGraph::Stop()
{
    // The caller rewinds; the engine has no stopped state that keeps the file.
    const bool ok = setPaused(true);
    m_stopped = m_stopped || ok;
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
    if (mpv_command_async(m_handle.get(), 0, seek) < 0)
        return false;
    // The clock reads the cache: show the new place now, not when the engine gets there.
    m_position = m_duration ? std::min(seconds, *m_duration) : seconds;
    m_eofReached = false;
    m_seekPending = true;
    m_seekSettleDeadline.setRemainingTime(kSeekSettleMs);
    return true;
}

bool MpvGraph::SetVolume(int volume)
{
    if (!isReady() || volume < -10000 || volume > 0)
        return false;
    double level = mpvVolume(volume);
    return mpv_set_property_async(m_handle.get(), 0, "volume", MPV_FORMAT_DOUBLE, &level) >= 0;
}

bool MpvGraph::SetBalance(int balance)
{
    if (!isReady() || balance < -10000 || balance > 10000)
        return false;
    const QByteArray filter = mpvBalanceFilter(balance);
    const char *value = filter.constData();
    return mpv_set_property_async(m_handle.get(), 0, "af", MPV_FORMAT_STRING, &value) >= 0;
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
    if (m_surface->parentWidget() != owner)
        m_surface->setParent(owner);
    m_surface->show();
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
        m_surface->setGeometry(m_windowedGeometry);
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
        m_surface->setParent(m_owner);
        m_surface->setGeometry(m_windowedGeometry);
        m_surface->show();
        m_fullScreenWindow.reset();
        return true;
    }

    // The same native window moves, so the engine keeps drawing without a gap.
    m_windowedGeometry = m_surface->geometry();
    auto window = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint);
    QPalette black = window->palette();
    black.setColor(QPalette::Window, Qt::black);
    window->setPalette(black);
    window->setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    if (m_owner)
        window->setWindowTitle(m_owner->window()->windowTitle());
    const QScreen *screen = (m_owner ? m_owner.data() : static_cast<QWidget *>(m_surface))->screen();
    window->setGeometry(screen->geometry());
    // Shown first: the video window needs its new parent's native window to move into.
    window->showFullScreen();
    layout->addWidget(m_surface);
    m_surface->show();
    m_fullScreenWindow = std::move(window);
    return true;
}
