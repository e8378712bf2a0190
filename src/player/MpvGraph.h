// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MediaGraph.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <optional>

struct mpv_handle;
struct mpv_event;
struct mpv_event_property;
class MpvEngine;
class VideoSurface;
class MpvEnginePool;

// The media graph on libmpv: one graph per opened file, played through an
// engine from the pool (a new one when the pool has none), which goes back
// to the pool when the graph is released. The video is drawn into a native
// child window of the host widget. Engine events are read on the GUI thread
// and cached, so the clock's frequent reads never wait for the engine while
// it seeks or loads.
class MpvGraph final : public MediaGraph
{
public:
    MpvGraph(QWidget *videoHost, std::shared_ptr<MpvEnginePool> engines);
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
    void setChangeListener(std::function<void()> listener) override;

    // The native window that shows the picture; null before a file is rendered and once it is gone.
    QWidget *videoWidget() const;

private:
    enum class Load { Empty, Loading, Ready, Failed };

    mpv_handle *handle() const;
    VideoSurface *surface() const;
    void drainEvents();
    void handleEvent(const mpv_event &event);
    void updateCache(uint64_t observed, const mpv_event_property &property);
    void readPosition();
    void followHalfSeconds();
    void finishVideoLoading();
    void finishLoading(bool success);
    void stopEngine();
    bool isReady() const;
    bool hasVideo() const;
    bool setPaused(bool paused);
    void leaveFullScreen();
    void tellChange() const;

    std::shared_ptr<MpvEnginePool> m_engines;
    std::unique_ptr<MpvEngine> m_engine;
    QPointer<QWidget> m_owner;
    std::unique_ptr<QWidget> m_fullScreenWindow;
    QRect m_windowedGeometry;
    std::function<void()> m_changeListener;

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
    // The engine reports the position in whole seconds; the exact one is read when they change.
    bool m_positionRead = false;
    QTimer m_halfSecond;
};
