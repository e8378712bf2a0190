// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenSaverInhibitor.h"

#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
#include <QVariantMap>
#include <QWidget>

#include <utility>

namespace {

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString PortalInterface = QStringLiteral("org.freedesktop.portal.Inhibit");
const QString PortalRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
constexpr uint PortalInhibitSuspend = 4;
constexpr uint PortalInhibitIdle = 8;

const QString ScreenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString ScreenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString ScreenSaverInterface = QStringLiteral("org.freedesktop.ScreenSaver");

// Long enough for a desktop that answers at all; short enough that nobody waits for one that does not.
constexpr int ExitWaitMs = 1000;
constexpr int ExitPollMs = 2;

// Answers arrive on the bus's own thread, so one comes in while this thread waits for it.
bool finishedBefore(const QDBusPendingCall &call, const QDeadlineTimer &deadline)
{
    while (!call.isFinished()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(ExitPollMs);
    }
    return true;
}

} // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(const QDBusConnection &bus, QWidget *window, const QString &applicationName,
                                           const QString &reason, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
    , m_window(window)
    , m_applicationName(applicationName)
    , m_reason(reason)
{
}

ScreenSaverInhibitor::~ScreenSaverInhibitor()
{
    // The process may end right after: what an answer in flight brings is let go, and the
    // letting go is seen to leave, each within a short wait.
    m_wanted = false;
    const QDeadlineTimer deadline(ExitWaitMs);
    if (m_asking && finishedBefore(*m_asking, deadline))
        takeAnswer();
    else
        settle();
    if (m_lastLetGo)
        finishedBefore(*m_lastLetGo, deadline);
}

void ScreenSaverInhibitor::setInhibited(bool inhibited)
{
    if (inhibited == m_wanted)
        return;
    m_wanted = inhibited;
    m_refused = false;
    settle();
}

void ScreenSaverInhibitor::settle()
{
    // One question at a time: its answer settles again.
    if (m_asking || !m_bus.isConnected())
        return;
    if (m_wanted && !m_letGo && !m_refused)
        ask(Service::Portal);
    else if (!m_wanted && m_letGo)
        m_lastLetGo = m_bus.asyncCall(*std::exchange(m_letGo, std::nullopt));
}

void ScreenSaverInhibitor::ask(Service service)
{
    QDBusMessage call;
    if (service == Service::Portal) {
        call = QDBusMessage::createMethodCall(PortalService, PortalPath, PortalInterface, QStringLiteral("Inhibit"));
        call.setArguments({windowIdentifier(), PortalInhibitIdle | PortalInhibitSuspend,
                           QVariantMap {{QStringLiteral("reason"), m_reason}}});
    } else {
        call = QDBusMessage::createMethodCall(ScreenSaverService, ScreenSaverPath, ScreenSaverInterface,
                                              QStringLiteral("Inhibit"));
        call.setArguments({m_applicationName, m_reason});
    }
    m_asked = service;
    m_asking = m_bus.asyncCall(call);
    auto *watcher = new QDBusPendingCallWatcher(*m_asking, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        takeAnswer();
    });
}

void ScreenSaverInhibitor::takeAnswer()
{
    const QDBusMessage reply = std::exchange(m_asking, std::nullopt)->reply();
    const bool portal = m_asked == Service::Portal;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.signature() != QLatin1String(portal ? "o" : "u")) {
        // Without a portal, the older service; where neither answers, the next wish asks again.
        if (portal && m_wanted)
            ask(Service::ScreenSaver);
        else
            m_refused = m_wanted;
        return;
    }
    const QVariant handle = reply.arguments().constFirst();
    if (portal) {
        m_letGo = QDBusMessage::createMethodCall(PortalService, handle.value<QDBusObjectPath>().path(),
                                                 PortalRequestInterface, QStringLiteral("Close"));
    } else {
        m_letGo = QDBusMessage::createMethodCall(ScreenSaverService, ScreenSaverPath, ScreenSaverInterface,
                                                 QStringLiteral("UnInhibit"));
        m_letGo->setArguments({handle.toUInt()});
    }
    settle();
}

QString ScreenSaverInhibitor::windowIdentifier() const
{
    // The portal names a window by its platform's id; elsewhere, or before the window exists,
    // the request is made for no window in particular.
    if (!m_window || QGuiApplication::platformName() != QLatin1String("xcb"))
        return {};
    const WId id = m_window->internalWinId();
    return id ? QStringLiteral("x11:%1").arg(id, 0, 16) : QString();
}
