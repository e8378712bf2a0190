// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Subject.h"
#include "desktop/Program.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <xcb/xcb.h>

// Bare mpv with the given options, in a borderless window the size and place
// of the player's picture area; commanded through its IPC socket.
class MpvSubject final : public Subject
{
public:
    MpvSubject(const Desk &desk, const Setup &setup, const QStringList &options, const QStringList &files);

    qint64 pid() const override { return m_program->pid(); }
    bool running() const override { return m_program->running(); }
    void stop() override { m_program->stop(); }
    bool waitForWindow(int timeoutMs) override;
    std::optional<QRect> pictureArea() override;
    void toggleFullScreen() override;

    void pause() override;
    void prepareNext() override;
    void next() override;
    bool prepareSeek() override;
    void seek(double share) override;
    void finishSeek() override { }
    bool restOnExitButton() override { return false; }
    QString playing() override;

    // A property's value, nothing when mpv does not answer.
    std::optional<QJsonValue> property(const QString &name);

private:
    bool connected();
    bool send(const QJsonArray &command, int requestId = 0);

    const Desk &m_desk;
    QTemporaryDir m_folder;
    std::unique_ptr<desktop::Program> m_program;
    QLocalSocket m_ipc;
    xcb_window_t m_windowId = XCB_NONE;
    int m_lastRequest = 0;
    double m_duration = 0;
};
