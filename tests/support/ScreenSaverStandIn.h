// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>
#include <QStringList>
#include <QThread>
#include <QVariantMap>

#include <algorithm>

// The desktop's two ways of keeping the screen awake, played on a session bus: the portal's
// Inhibit, whose requests are closed, and the older screen saver service, whose cookies are
// handed back. It writes down every call and answers on a thread of its own, as a desktop
// answers from a process of its own, so that a program waiting for an answer gets one.
class ScreenSaverStandIn
{
public:
    // Refusing: the services are there, but every Inhibit is answered with an error.
    enum Offer { Portal = 1, ScreenSaver = 2, Refusing = 4 };

    static constexpr const char *PortalRequests = "/org/freedesktop/portal/desktop/request/";

    ScreenSaverStandIn(const QString &busAddress, int offers)
        : m_connection(QDBusConnection::connectToBus(busAddress, ConnectionName))
        , m_services(new Services(m_record))
    {
        m_record.refusing = offers & Refusing;
        m_ready = m_connection.isConnected();
        if (offers & Portal) {
            m_ready = m_ready && m_connection.registerVirtualObject(PortalPath, m_services, QDBusConnection::SubPath)
                && m_connection.registerService(PortalService);
        }
        if (offers & ScreenSaver) {
            m_ready = m_ready && m_connection.registerVirtualObject(ScreenSaverPath, m_services)
                && m_connection.registerService(ScreenSaverService);
        }
        // Registered first: the bus gives the objects helpers of their own, which move with them.
        m_services->moveToThread(&m_thread);
        m_thread.start();
    }

    ~ScreenSaverStandIn()
    {
        for (const char *service : {PortalService, ScreenSaverService})
            m_connection.unregisterService(QLatin1String(service));
        for (const char *path : {PortalPath, ScreenSaverPath})
            m_connection.unregisterObject(QLatin1String(path), QDBusConnection::UnregisterTree);
        QDBusConnection::disconnectFromBus(ConnectionName);
        m_services->deleteLater(); // by its thread, as it ends
        m_thread.quit();
        m_thread.wait();
    }

    ScreenSaverStandIn(const ScreenSaverStandIn &) = delete;
    ScreenSaverStandIn &operator=(const ScreenSaverStandIn &) = delete;

    // On the bus under the names it was asked to offer.
    bool isReady() const { return m_ready; }

    // The calls in the order they came, as "portal Inhibit window=x11:1a00003 flags=12 reason=...".
    QStringList calls() const
    {
        const QMutexLocker lock(&m_record.mutex);
        return m_record.calls;
    }
    // Inhibits granted and not let go yet, and the most there ever were at once.
    int held() const
    {
        const QMutexLocker lock(&m_record.mutex);
        return m_record.held();
    }
    int mostHeld() const
    {
        const QMutexLocker lock(&m_record.mutex);
        return m_record.mostHeld;
    }

    // While held back, Inhibit calls wait unanswered until answerInhibits().
    void holdBackInhibitAnswers()
    {
        const QMutexLocker lock(&m_record.mutex);
        m_record.holdBack = true;
    }
    int inhibitsWaiting() const
    {
        const QMutexLocker lock(&m_record.mutex);
        return int(m_record.waiting.size());
    }
    void answerInhibits()
    {
        const QMutexLocker lock(&m_record.mutex);
        m_record.holdBack = false;
        for (const QDBusMessage &call : std::as_const(m_record.waiting))
            m_connection.send(m_record.answer(call));
        m_record.waiting.clear();
    }

private:
    static constexpr const char *ConnectionName = "screen saver stand-in";
    static constexpr const char *PortalService = "org.freedesktop.portal.Desktop";
    static constexpr const char *PortalPath = "/org/freedesktop/portal/desktop";
    static constexpr const char *ScreenSaverService = "org.freedesktop.ScreenSaver";
    static constexpr const char *ScreenSaverPath = "/org/freedesktop/ScreenSaver";

    struct Record {
        mutable QMutex mutex;
        QStringList calls;
        QSet<QString> requests;
        QSet<uint> cookies;
        uint issued = 0;
        int mostHeld = 0;
        bool holdBack = false;
        bool refusing = false;
        QList<QDBusMessage> waiting;

        int held() const { return int(requests.size() + cookies.size()); }

        QDBusMessage answer(const QDBusMessage &call)
        {
            const QString method = call.interface() + u'.' + call.member();
            const QVariantList arguments = call.arguments();
            if (refusing && call.member() == QLatin1String("Inhibit"))
                return call.createErrorReply(QDBusError::AccessDenied, QStringLiteral("not now"));
            if (method == QLatin1String("org.freedesktop.portal.Inhibit.Inhibit")) {
                const QString request = QLatin1String(PortalRequests) + QString::number(++issued);
                requests.insert(request);
                mostHeld = std::max(mostHeld, held());
                return call.createReply(QVariant::fromValue(QDBusObjectPath(request)));
            }
            if (method == QLatin1String("org.freedesktop.portal.Request.Close") && requests.remove(call.path()))
                return call.createReply();
            if (method == QLatin1String("org.freedesktop.ScreenSaver.Inhibit")) {
                cookies.insert(++issued);
                mostHeld = std::max(mostHeld, held());
                return call.createReply(QVariant::fromValue(issued));
            }
            if (method == QLatin1String("org.freedesktop.ScreenSaver.UnInhibit")
                && cookies.remove(arguments.value(0).toUInt()))
                return call.createReply();
            return call.createErrorReply(QDBusError::UnknownObject, QStringLiteral("nothing of that here"));
        }

        static QString describe(const QDBusMessage &call)
        {
            const QVariantList arguments = call.arguments();
            const QString member = call.member();
            if (call.interface() == QLatin1String("org.freedesktop.portal.Inhibit")) {
                QStringList options;
                const QVariantMap map = qdbus_cast<QVariantMap>(arguments.value(2).value<QDBusArgument>());
                for (auto option = map.cbegin(); option != map.cend(); ++option)
                    options.append(option.key() + u'=' + option.value().toString());
                return QStringLiteral("portal %1 window=%2 flags=%3 %4")
                    .arg(member, arguments.value(0).toString(), QString::number(arguments.value(1).toUInt()),
                         options.join(u' '));
            }
            if (call.interface() == QLatin1String("org.freedesktop.portal.Request"))
                return QStringLiteral("portal %1 %2").arg(member, call.path());
            QStringList values;
            for (const QVariant &argument : arguments)
                values.append(argument.toString());
            return QStringLiteral("screensaver %1 %2").arg(member, values.join(QStringLiteral(", ")));
        }
    };

    // The objects on the bus: every call is written down and answered, or kept for later.
    class Services : public QDBusVirtualObject
    {
    public:
        explicit Services(Record &record)
            : m_record(record)
        {
        }
        QString introspect(const QString &) const override { return {}; }
        bool handleMessage(const QDBusMessage &call, const QDBusConnection &connection) override
        {
            // Qt 6.8 asks the portal for its properties on its own, for every program: not the
            // player's calls, and no property of these services is played here.
            if (call.interface() == QLatin1String("org.freedesktop.DBus.Properties")) {
                connection.send(call.createErrorReply(QDBusError::UnknownInterface, QStringLiteral("not played here")));
                return true;
            }
            const QMutexLocker lock(&m_record.mutex);
            m_record.calls.append(Record::describe(call));
            if (m_record.holdBack && call.member() == QLatin1String("Inhibit"))
                m_record.waiting.append(call);
            else
                connection.send(m_record.answer(call));
            return true;
        }

    private:
        Record &m_record;
    };

    Record m_record;
    QDBusConnection m_connection;
    QThread m_thread;
    Services *m_services;
    bool m_ready = false;
};
