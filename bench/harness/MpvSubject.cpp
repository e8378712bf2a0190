// SPDX-License-Identifier: GPL-3.0-or-later
#include "MpvSubject.h"

#include "Desk.h"
#include "Setup.h"
#include "desktop/ClientWindows.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

namespace {

constexpr int AnswerTimeoutMs = 3000;

} // namespace

MpvSubject::MpvSubject(const Desk &desk, const Setup &setup, const QStringList &options, const QStringList &files)
    : m_desk(desk)
{
    const QRect area = setup.videoArea();
    QStringList arguments = options;
    arguments
        << QStringLiteral("--geometry=%1x%2+%3+%4").arg(area.width()).arg(area.height()).arg(area.x()).arg(area.y())
        << QStringLiteral("--border=no") << QStringLiteral("--force-window=yes")
        << QStringLiteral("--input-ipc-server=%1").arg(m_folder.filePath(QStringLiteral("ipc")));
    if (files.isEmpty())
        arguments << QStringLiteral("--idle=yes");
    else if (files.size() > 1)
        arguments << QStringLiteral("--loop-playlist=inf");
    arguments << QStringLiteral("--") << files;
    QProcessEnvironment env = desk.environment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_folder.filePath(QStringLiteral("config")));
    m_program = std::make_unique<desktop::Program>(QStringLiteral("mpv"), arguments, env);
}

bool MpvSubject::waitForWindow(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    std::optional<QRect> last;
    int same = 0;
    while (!deadline.hasExpired() && running()) {
        const std::optional<QRect> now = pictureArea();
        same = now && now == last ? same + 1 : 0;
        last = now;
        if (same >= 2)
            return connected();
        QThread::msleep(100);
    }
    return false;
}

std::optional<QRect> MpvSubject::pictureArea()
{
    if (m_windowId != XCB_NONE) {
        if (const std::optional<QRect> place = desktop::placeOf(m_desk.connection(), m_windowId))
            return place;
    }
    const std::optional<desktop::ClientWindow> window
        = desktop::shownWindow(m_desk.connection(), QStringLiteral("mpv"));
    if (!window)
        return std::nullopt;
    m_windowId = window->id;
    return window->rect;
}

bool MpvSubject::connected()
{
    if (m_ipc.state() == QLocalSocket::ConnectedState)
        return true;
    const QString path = m_folder.filePath(QStringLiteral("ipc"));
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && running()) {
        if (QFile::exists(path)) {
            m_ipc.connectToServer(path);
            if (m_ipc.waitForConnected(1000))
                return true;
        }
        QThread::msleep(20);
    }
    return false;
}

bool MpvSubject::send(const QJsonArray &command, int requestId)
{
    if (!connected())
        return false;
    QJsonObject message {{QStringLiteral("command"), command}};
    if (requestId)
        message.insert(QStringLiteral("request_id"), requestId);
    m_ipc.write(QJsonDocument(message).toJson(QJsonDocument::Compact) + '\n');
    return m_ipc.waitForBytesWritten(AnswerTimeoutMs);
}

std::optional<QJsonValue> MpvSubject::property(const QString &name)
{
    const int request = ++m_lastRequest;
    if (!send({QStringLiteral("get_property"), name}, request))
        return std::nullopt;
    QDeadlineTimer deadline(AnswerTimeoutMs);
    while (!deadline.hasExpired()) {
        while (m_ipc.canReadLine()) {
            const QJsonObject answer = QJsonDocument::fromJson(m_ipc.readLine()).object();
            // Events and the answers to earlier commands come on the same socket.
            if (answer.value(QStringLiteral("request_id")).toInt() != request)
                continue;
            if (answer.value(QStringLiteral("error")).toString() != QStringLiteral("success"))
                return std::nullopt;
            return answer.value(QStringLiteral("data"));
        }
        if (!m_ipc.waitForReadyRead(int(deadline.remainingTime())))
            break;
    }
    return std::nullopt;
}

void MpvSubject::toggleFullScreen()
{
    send({QStringLiteral("cycle"), QStringLiteral("fullscreen")});
}

void MpvSubject::pause()
{
    send({QStringLiteral("set_property"), QStringLiteral("pause"), true});
}

void MpvSubject::prepareNext()
{
    connected();
}

void MpvSubject::next()
{
    send({QStringLiteral("playlist-next")});
}

bool MpvSubject::prepareSeek()
{
    m_duration = property(QStringLiteral("duration")).value_or(QJsonValue()).toDouble();
    return m_duration > 0;
}

void MpvSubject::seek(double share)
{
    send({QStringLiteral("seek"), share * m_duration, QStringLiteral("absolute")});
}

QString MpvSubject::playing()
{
    return property(QStringLiteral("filename")).value_or(QJsonValue()).toString();
}
