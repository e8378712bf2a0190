// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Subject.h"
#include "desktop/Program.h"

#include <QTemporaryDir>

#include <xcb/xcb.h>

// The player, started as a user starts it, with a home of its own (runtime,
// data and settings folders) so that nothing of another run meets it. Its
// commands are clicks on its face.
class PlayerSubject final : public Subject
{
public:
    PlayerSubject(const Desk &desk, const Setup &setup, const QString &path);

    qint64 pid() const override { return m_program->pid(); }
    bool running() const override { return m_program->running(); }
    void stop() override { m_program->stop(); }
    bool waitForWindow(int timeoutMs) override;
    std::optional<QRect> pictureArea() override;
    void toggleFullScreen() override;
    // Where the main window lies once waitForWindow found it.
    const QRect &window() const { return m_window; }

    void pause() override;
    void prepareNext() override;
    void next() override;
    bool prepareSeek() override;
    void seek(double share) override;
    void finishSeek() override;
    bool restOnExitButton() override;
    QString playing() override;

private:
    std::optional<QRect> mainWindow();
    void pressAt(QPoint inWindow);

    const Desk &m_desk;
    QTemporaryDir m_home;
    std::unique_ptr<desktop::Program> m_program;
    QRect m_window;
    xcb_window_t m_windowId = XCB_NONE;
    bool m_fullScreen = false;
};
