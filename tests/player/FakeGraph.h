// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "player/MediaGraph.h"
#include "player/ResponsiveWait.h"

#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <memory>

// A media graph that plays nothing: it answers as scripted and logs each call,
// so the flows that drive a graph can be checked step by step.
struct FakeMedia {
    bool renders = true;
    std::optional<double> duration = 95.0;
    std::optional<int> width = 640;
    std::optional<int> height = 480;
    // How long the file takes to load, as a slow disk or share makes a real engine wait.
    int loadMs = 0;
};

class FakeGraph final : public MediaGraph
{
public:
    FakeGraph(int id, QStringList *log, FakeMedia media)
        : m_id(id)
        , m_log(log)
        , m_media(media)
    {
    }
    ~FakeGraph() override { note(QStringLiteral("released")); }

    bool RenderFile(const QString &path) override
    {
        note(QStringLiteral("RenderFile ") + path);
        if (m_media.loadMs > 0) {
            bool loaded = false;
            QTimer::singleShot(m_media.loadMs, [&loaded] { loaded = true; });
            waitResponsively([&loaded] { return loaded; }, m_media.loadMs + 5000);
        }
        m_rendered = m_media.renders;
        tellChange();
        return m_rendered;
    }
    bool Run() override { return enter(QStringLiteral("Run"), GraphState::Running); }
    bool Pause() override { return enter(QStringLiteral("Pause"), GraphState::Paused); }
    bool Stop() override { return enter(QStringLiteral("Stop"), GraphState::Stopped); }
    std::optional<GraphState> State() const override
    {
        return m_rendered ? std::optional<GraphState>(state) : std::nullopt;
    }
    std::optional<double> Duration() const override { return m_rendered ? m_media.duration : std::nullopt; }
    std::optional<double> CurrentPosition() const override
    {
        return m_rendered ? std::optional<double>(position) : std::nullopt;
    }
    bool SetCurrentPosition(double seconds) override
    {
        note(QStringLiteral("CurrentPosition %1").arg(seconds));
        if (!m_rendered)
            return false;
        position = seconds;
        tellChange();
        return true;
    }
    bool SetVolume(int volume) override { return act(QStringLiteral("Volume %1").arg(volume)); }
    bool SetBalance(int balance) override { return act(QStringLiteral("Balance %1").arg(balance)); }
    bool SetWindowStyle(int style) override { return video(QStringLiteral("WindowStyle %1").arg(style)); }
    bool SetOwner(QWidget *owner) override { return video(QStringLiteral("Owner ") + owner->objectName()); }
    std::optional<int> Width() const override { return hasVideo() ? m_media.width : std::nullopt; }
    std::optional<int> Height() const override { return hasVideo() ? m_media.height : std::nullopt; }
    bool SetWindowPosition(int left, int top, int width, int height) override
    {
        const bool ok
            = video(QStringLiteral("SetWindowPosition %1,%2 %3x%4").arg(left).arg(top).arg(width).arg(height));
        if (ok)
            windowPosition = QRect(left, top, width, height);
        return ok;
    }
    bool SetFullScreenMode(bool fullScreen) override
    {
        return video(QStringLiteral("FullScreenMode %1").arg(fullScreen));
    }
    void setChangeListener(std::function<void()> listener) override { m_changeListener = std::move(listener); }

    // What the engine does by itself, told as the engine tells it.
    void reach(double seconds)
    {
        position = seconds;
        tellChange();
    }
    void turn(GraphState next)
    {
        state = next;
        tellChange();
    }
    void tellChange() const
    {
        if (m_changeListener)
            m_changeListener();
    }

    double position = 0;
    QRect windowPosition;
    // What Run, Pause and Stop left, or turn().
    GraphState state = GraphState::Stopped;

private:
    bool hasVideo() const { return m_rendered && m_media.width.has_value(); }
    void note(const QString &what) const
    {
        if (m_log)
            m_log->append(QStringLiteral("#%1 %2").arg(m_id).arg(what));
    }
    bool act(const QString &what)
    {
        note(what);
        return m_rendered;
    }
    bool enter(const QString &what, GraphState next)
    {
        if (act(what))
            state = next;
        tellChange();
        return m_rendered;
    }
    bool video(const QString &what)
    {
        note(what);
        return hasVideo();
    }

    int m_id;
    QStringList *m_log;
    FakeMedia m_media;
    bool m_rendered = false;
    std::function<void()> m_changeListener;
};

// Makes FakeGraphs, numbered from 1, with the media scripted for the next file.
class FakeGraphFactory
{
public:
    MediaGraphFactory factory()
    {
        return [this](QWidget *) {
            auto graph = std::make_shared<FakeGraph>(++m_count, &log, next);
            last = graph;
            return graph;
        };
    }

    FakeMedia next;
    QStringList log;
    std::weak_ptr<FakeGraph> last;

private:
    int m_count = 0;
};
