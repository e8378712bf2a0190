#include "MpvEngine.h"

#include "VideoSurface.h"

#include <QMetaObject>

#include <mpv/client.h>

#include <algorithm>

namespace {

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
    // What is dropped on the picture goes to the program, which opens it as it opens any file.
    {"drag-and-drop", "no"},
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
    {"force-window", "yes"},
    // Some demuxers (MPEG program streams) land past a seek target, and an exact seek
    // cannot go back: start that far before it and decode forward.
    {"hr-seek-demuxer-offset", "1"},
    {"volume-max", "100"},
    // Without a sound device the media still plays, silently, and its clock still runs.
    {"audio-fallback-to-null", "yes"},
    // A file plays as the media it holds and nothing else: no playlist, EDL or chapter file of a
    // stranger's may make the engine open further files or any network stream.
    {"access-references", "no"},
    {"ordered-chapters", "no"},
    {"load-unsafe-playlists", "no"},
    {"demuxer-lavf-o", "protocol_whitelist=file"},
    {"audio-client-name", "KAVEL Player"},
};

} // namespace

void MpvEngine::HandleDeleter::operator()(mpv_handle *handle) const
{
    mpv_set_wakeup_callback(handle, nullptr, nullptr);
    mpv_terminate_destroy(handle);
}

MpvEngine::MpvEngine(QWidget *videoHost)
    : m_host(videoHost)
    , m_surface(new VideoSurface(videoHost))
{
    // The window may go with its host before the engine does: the engine must let go of it
    // while it still exists.
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
    mpv_set_wakeup_callback(handle.get(), &MpvEngine::onWakeup, this);
    m_handle = std::move(handle);
}

MpvEngine::~MpvEngine()
{
    // The engine first, while the window it draws into still exists.
    m_handle.reset();
    delete m_surface;
}

VideoSurface *MpvEngine::surface() const
{
    return m_surface;
}

void MpvEngine::onWakeup(void *engine)
{
    // Called on an engine thread: only hand the work to the GUI thread, once.
    auto *self = static_cast<MpvEngine *>(engine);
    if (self->m_drainQueued.exchange(true))
        return;
    QMetaObject::invokeMethod(
        &self->m_eventContext, [self] { self->drainEvents(); }, Qt::QueuedConnection);
}

void MpvEngine::drainEvents()
{
    m_drainQueued = false;
    while (m_handle) {
        const mpv_event *event = mpv_wait_event(m_handle.get(), 0);
        if (event->event_id == MPV_EVENT_NONE)
            return;
        if (m_listener)
            m_listener(*event);
    }
}

void MpvEngine::reset()
{
    m_listener = {};
    m_idle = true;
    if (m_handle) {
        mpv_set_property_string(m_handle.get(), "pause", "yes");
        mpv_set_property_string(m_handle.get(), "volume", "100");
        mpv_set_property_string(m_handle.get(), "af", "");
    }
    // A stopped engine closes its sound output, and opening it again for the next file
    // means probing every sound system there is.
    QMetaObject::invokeMethod(
        &m_eventContext, [this] { stopWhileIdle(); }, Qt::QueuedConnection);
}

void MpvEngine::stopWhileIdle()
{
    if (!m_idle)
        return;
    if (m_surface)
        m_surface->hide();
    if (m_handle) {
        static const char *stop[] = {"stop", nullptr};
        mpv_command(m_handle.get(), stop);
    }
}

std::unique_ptr<MpvEngine> MpvEnginePool::take(QWidget *videoHost)
{
    const auto idle = std::ranges::find_if(m_idle, [videoHost](const std::unique_ptr<MpvEngine> &engine) {
        return engine->handle() && engine->surface() && engine->host() == videoHost;
    });
    if (idle == m_idle.end())
        return std::make_unique<MpvEngine>(videoHost);
    std::unique_ptr<MpvEngine> engine = std::move(*idle);
    m_idle.erase(idle);
    engine->claim();
    return engine;
}

void MpvEnginePool::give(std::unique_ptr<MpvEngine> engine)
{
    if (!engine || !engine->handle() || !engine->surface())
        return;
    engine->reset();
    m_idle.clear();
    m_idle.push_back(std::move(engine));
}
