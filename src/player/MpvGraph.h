#pragma once

#include "MediaGraph.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <QRect>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

struct mpv_handle;
struct mpv_event;
struct mpv_event_property;
class VideoSurface;

// The media graph on libmpv, one engine per opened file. The video is drawn
// into a native child window of the host widget. Engine events are read on the
// GUI thread and cached, so the clock's frequent reads never wait for the
// engine while it seeks or loads.
class MpvGraph final : public MediaGraph
{
public:
    explicit MpvGraph(QWidget *videoHost);
    ~MpvGraph() override;

    MpvGraph(const MpvGraph &) = delete;
    MpvGraph &operator=(const MpvGraph &) = delete;

    bool RenderFile(const QString &path) override;

    bool Run() override;
    bool Pause() override;
    bool Stop() override;
    std::optional<GraphState> State() const override;

    std::optional<double> Duration() const override;
    std::optional<double> CurrentPosition() const override;
    bool SetCurrentPosition(double seconds) override;

    bool SetVolume(int volume) override;
    bool SetBalance(int balance) override;

    bool SetWindowStyle(int style) override;
    bool SetOwner(QWidget *owner) override;
    std::optional<int> Width() const override;
    std::optional<int> Height() const override;
    bool SetWindowPosition(int left, int top, int width, int height) override;
    bool SetFullScreenMode(bool fullScreen) override;

    // The native window that shows the picture; null once it is gone.
    QWidget *videoWidget() const;

private:
    struct HandleDeleter {
        void operator()(mpv_handle *handle) const;
    };
    enum class Load { Empty, Loading, Ready, Failed };

    static void onWakeup(void *graph);
    void drainEvents();
    void handleEvent(const mpv_event &event);
    void updateCache(uint64_t observed, const mpv_event_property &property);
    void finishVideoLoading();
    void finishLoading(bool success);
    void stopEngine();
    bool isReady() const;
    bool hasVideo() const;
    bool setPaused(bool paused);

    QObject m_eventContext; // runs the engine's wakeups on the GUI thread
    std::atomic_bool m_drainQueued = false;

    QPointer<VideoSurface> m_surface;
    QPointer<QWidget> m_owner;
    std::unique_ptr<QWidget> m_fullScreenWindow;
    QRect m_windowedGeometry;

    std::unique_ptr<mpv_handle, HandleDeleter> m_handle;
    Load m_load = Load::Empty;
    bool m_fileStarted = false;
    bool m_fileEnded = false;
    int m_width = 0;
    int m_height = 0;
    std::optional<double> m_duration;
    std::optional<double> m_position;
    bool m_eofReached = false;
    // The engine's own pause, as it last reported it.
    bool m_paused = true;
    // The engine has no stopped state: a graph is stopped until it is run or paused.
    bool m_stopped = true;
    // Positions the engine reports between a seek request and its start are older than the seek.
    bool m_seekPending = false;
    QDeadlineTimer m_seekSettleDeadline;
};
