// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "VideoOutput.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct mpv_handle;
struct mpv_event;
class VideoSurface;

// Gives a new engine the program's options (EngineOptions.h) and those of its video output, and
// returns the names of those it refuses, each also told as a warning: an engine of another
// version may have renamed or dropped one, and the program must not run unknowingly without it.
std::vector<std::string> setEngineOptions(mpv_handle *handle, VideoOutput output);

// One libmpv engine with the native window it draws into. Building an engine
// and its video output for every file costs time, and memory that never
// comes back; an engine that a graph is done with goes back to its pool and
// plays the next file. Its events are read on the GUI thread and handed to
// whoever plays through it now.
class MpvEngine
{
public:
    // What the engine reports through observed properties, and the graph's reads of the position.
    enum Observed : std::uint64_t {
        TimePos = 1,
        DurationProperty,
        EofReached,
        VoConfigured,
        Paused,
        PositionSecond,
        RemainingSecond
    };

    // The video window is made a hidden child of videoHost.
    MpvEngine(QWidget *videoHost, VideoOutput output);
    ~MpvEngine();

    MpvEngine(const MpvEngine &) = delete;
    MpvEngine &operator=(const MpvEngine &) = delete;

    // Null when the engine could not start, or after its window went away.
    mpv_handle *handle() const { return m_handle.get(); }
    VideoSurface *surface() const;
    // The widget the video window was made for.
    QWidget *host() const { return m_host; }

    using Listener = std::function<void(const mpv_event &)>;
    void setListener(Listener listener) { m_listener = std::move(listener); }
    // Hands over what the engine has reported so far.
    void drainEvents();
    // Queued, as every command of the program's: the engine runs its queue in order, and a
    // waiting call would overtake what is queued before it.
    bool setPaused(bool paused);

    // Ready for the next file: paused, sound as it was at the start, and its window hidden, since
    // the file it played is gone. The file stays while a graph takes the engine at once and loads
    // over it, which keeps the sound output open; left idle until the event loop turns, it stops.
    void reset();
    // In a graph's hands again: it stays as it is.
    void claim() { m_idle = false; }

private:
    struct HandleDeleter {
        void operator()(mpv_handle *handle) const;
    };
    static void onWakeup(void *engine);
    void stopWhileIdle();

    QObject m_eventContext; // runs the engine's wakeups on the GUI thread
    std::atomic_bool m_drainQueued = false;
    QPointer<QWidget> m_host;
    QPointer<VideoSurface> m_surface;
    std::unique_ptr<mpv_handle, HandleDeleter> m_handle;
    Listener m_listener;
    bool m_idle = false;
};

// Engines a graph is done with, kept for the next graph of the same host. The video output is
// chosen once, when the first engine is made.
class MpvEnginePool
{
public:
    explicit MpvEnginePool(std::function<VideoOutput()> chooseOutput);

    // An idle engine for videoHost, or a new one.
    std::unique_ptr<MpvEngine> take(QWidget *videoHost);
    // An engine that may play again; the pool keeps one at most.
    void give(std::unique_ptr<MpvEngine> engine);

private:
    std::function<VideoOutput()> m_chooseOutput;
    std::optional<VideoOutput> m_output;
    std::vector<std::unique_ptr<MpvEngine>> m_idle;
};
