// SPDX-License-Identifier: GPL-3.0-or-later
#include "MpvEngine.h"

#include "EngineOptions.h"
#include "VideoSurface.h"

#include <QMetaObject>
#include <QtGlobal>

#include <mpv/client.h>

#include <algorithm>

std::vector<std::string> setEngineOptions(mpv_handle *handle, VideoOutput output)
{
    std::vector<std::string> refused;
    const auto set = [&](const char *name, const char *value) {
        if (const int error = mpv_set_option_string(handle, name, value); error < 0) {
            qWarning("The engine refuses its option %s=%s: %s", name, value, mpv_error_string(error));
            refused.emplace_back(name);
        }
    };
    for (const auto &[name, value] : kEngineOptions)
        set(name, value);
    for (const LaterEngineOption &option : kLaterEngineOptions) {
        if (mpv_client_api_version() >= option.since)
            set(option.name, option.value);
    }
    for (const auto &[name, value] : videoOutputOptions(output))
        set(name, value);
    return refused;
}

void MpvEngine::HandleDeleter::operator()(mpv_handle *handle) const
{
    mpv_set_wakeup_callback(handle, nullptr, nullptr);
    mpv_terminate_destroy(handle);
}

MpvEngine::MpvEngine(QWidget *videoHost, VideoOutput output)
    : m_host(videoHost)
    , m_surface(new VideoSurface(videoHost))
{
    // The window may go with its host before the engine does: the engine must let go of it
    // while it still exists.
    QObject::connect(m_surface, &VideoSurface::aboutToBeDestroyed, &m_eventContext, [this] { m_handle.reset(); });
    // The engine makes its own window at this one's size when the first file sets up its output.
    // At the size of the area the picture is fitted into, placing it changes little, and the first
    // frame shows without the engine resizing its window and drawing it again.
    m_surface->setGeometry(videoHost->rect());

    std::unique_ptr<mpv_handle, HandleDeleter> handle(mpv_create());
    if (!handle)
        return; // e.g. a numeric locale other than "C": every operation fails from now on
    setEngineOptions(handle.get(), output);
    int64_t windowId = int64_t(m_surface->winId());
    if (mpv_set_option(handle.get(), "wid", MPV_FORMAT_INT64, &windowId) < 0)
        qWarning("The engine refuses the window to draw into");
    if (mpv_initialize(handle.get()) < 0)
        return;
    // The position in whole seconds, elapsed and remaining: what the clock shows changes only
    // then, where the exact position would wake the program for every frame.
    mpv_observe_property(handle.get(), PositionSecond, "time-pos", MPV_FORMAT_INT64);
    mpv_observe_property(handle.get(), RemainingSecond, "time-remaining", MPV_FORMAT_INT64);
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
    const auto drain = [self] {
        self->drainEvents();
    };
    QMetaObject::invokeMethod(&self->m_eventContext, drain, Qt::QueuedConnection);
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

bool MpvEngine::setPaused(bool paused)
{
    int flag = paused;
    return m_handle && mpv_set_property_async(m_handle.get(), 0, "pause", MPV_FORMAT_FLAG, &flag) >= 0;
}

void MpvEngine::reset()
{
    m_listener = {};
    m_idle = true;
    if (m_surface)
        m_surface->hide();
    // Queued: the engine may still be busy with the last file, and the next graph's load must
    // come after these.
    if (m_handle) {
        double fullVolume = 100;
        const char *noFilters = "";
        setPaused(true);
        mpv_set_property_async(m_handle.get(), 0, "volume", MPV_FORMAT_DOUBLE, &fullVolume);
        mpv_set_property_async(m_handle.get(), 0, "af", MPV_FORMAT_STRING, &noFilters);
    }
    // A stopped engine closes its sound output, and opening it again for the next file
    // means probing every sound system there is.
    const auto stop = [this] {
        stopWhileIdle();
    };
    QMetaObject::invokeMethod(&m_eventContext, stop, Qt::QueuedConnection);
}

void MpvEngine::stopWhileIdle()
{
    if (!m_idle)
        return;
    if (m_handle) {
        static const char *stop[] = {"stop", nullptr};
        mpv_command_async(m_handle.get(), 0, stop);
    }
}

MpvEnginePool::MpvEnginePool(std::function<VideoOutput()> chooseOutput)
    : m_chooseOutput(std::move(chooseOutput))
{
}

std::unique_ptr<MpvEngine> MpvEnginePool::take(QWidget *videoHost)
{
    const auto idle = std::ranges::find_if(m_idle, [videoHost](const std::unique_ptr<MpvEngine> &engine) {
        return engine->handle() && engine->surface() && engine->host() == videoHost;
    });
    if (idle == m_idle.end()) {
        if (!m_output)
            m_output = m_chooseOutput();
        return std::make_unique<MpvEngine>(videoHost, *m_output);
    }
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
