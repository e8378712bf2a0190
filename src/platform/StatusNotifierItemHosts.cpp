// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusNotifierItemHosts.h"

#include "StatusNotifierWatcherNames.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

namespace {

using statusnotifierwatcher::Interface;
using statusnotifierwatcher::Path;
using statusnotifierwatcher::Service;

// A watcher answers within milliseconds; one that does not must not hold up the start for long.
constexpr int FirstAnswerMs = 1000;

QDBusMessage hostQuestion()
{
    QDBusMessage question = QDBusMessage::createMethodCall(
        Service, Path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    question.setArguments({Interface, QStringLiteral("IsStatusNotifierHostRegistered")});
    // Asking is no reason to start a watcher.
    question.setAutoStartService(false);
    return question;
}

} // namespace

StatusNotifierItemHosts::StatusNotifierItemHosts(const QDBusConnection &bus)
    : m_bus(bus)
    , m_watcherOwner(Service, bus, QDBusServiceWatcher::WatchForOwnerChange)
{
    if (!m_bus.isConnected())
        return;
    connect(&m_watcherOwner, &QDBusServiceWatcher::serviceOwnerChanged, this, &StatusNotifierItemHosts::askAgain);
    for (const char *hostCameOrWent : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
        m_bus.connect(Service, Path, Interface, QLatin1String(hostCameOrWent), this, SLOT(askAgain()));
    take(m_bus.call(hostQuestion(), QDBus::Block, FirstAnswerMs));
}

void StatusNotifierItemHosts::askAgain()
{
    const quint64 question = ++m_questionsAsked;
    auto *answer = new QDBusPendingCallWatcher(m_bus.asyncCall(hostQuestion()), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this, [this, answer, question] {
        answer->deleteLater();
        if (question == m_questionsAsked)
            take(answer->reply());
    });
}

void StatusNotifierItemHosts::take(const QDBusMessage &answer)
{
    std::optional<bool> registered;
    if (answer.type() == QDBusMessage::ReplyMessage)
        registered = answer.arguments().value(0).value<QDBusVariant>().variant().toBool();
    else if (QDBusError(answer).type() != QDBusError::NoReply)
        registered = false; // no watcher, or not one that knows of hosts
    if (registered != m_registered) {
        m_registered = registered;
        emit registeredChanged();
    }
    // A watcher that is there but silent is asked until it answers.
    if (!registered)
        askAgain();
}
