// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

// The playback engine as the main window drives it: one graph per opened file.
// Every operation reports failure by its result and never throws; the callers
// skip a failed step and go on with the next one.

class MediaGraph
{
public:
    // Built or stopped, paused, or playing.
    enum class GraphState { Stopped, Paused, Running };

    virtual ~MediaGraph() = default;

    // Builds the graph for a file. Returns when the file's duration and video
    // size are known or the file has failed, within a bounded wait.
    virtual bool RenderFile(const QString &path) = 0;

    virtual bool Run() = 0;
    virtual bool Pause() = 0;
    virtual bool Stop() = 0;
    // What the engine does now; unknown while no file is rendered.
    virtual std::optional<GraphState> State() const = 0;

    // Seconds. At the end of the file the position reads as the duration.
    virtual std::optional<double> Duration() const = 0;
    virtual std::optional<double> CurrentPosition() const = 0;
    virtual bool SetCurrentPosition(double seconds) = 0;

    // Hundredths of a decibel, -10000 (silent) .. 0 (loudest).
    virtual bool SetVolume(int volume) = 0;
    // -10000 (left only) .. 10000 (right only); other values are refused.
    virtual bool SetBalance(int balance) = 0;

    // The video window: a borderless child of its owner. Fails for a file
    // without video.
    virtual bool SetWindowStyle(int style) = 0;
    virtual bool SetOwner(QWidget *owner) = 0;
    virtual std::optional<int> Width() const = 0; // display size in pixels
    virtual std::optional<int> Height() const = 0;
    virtual bool SetWindowPosition(int left, int top, int width, int height) = 0;
    virtual bool SetFullScreenMode(bool fullScreen) = 0;

    // Called on the GUI thread after State, Duration or CurrentPosition may have come to read
    // otherwise, whether by the engine itself or by one of these calls.
    virtual void setChangeListener(std::function<void()> listener) = 0;
};

// Makes a new, empty graph whose video will live in videoHost; the main window
// asks for one per opened file.
using MediaGraphFactory = std::function<std::shared_ptr<MediaGraph>(QWidget *videoHost)>;
