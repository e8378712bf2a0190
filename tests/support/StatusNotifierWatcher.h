// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>

// A panel's StatusNotifier watcher on a session bus, with a host that shows the items:
// what KDE Plasma, XFCE or GNOME with AppIndicator run. Qt finds the watcher's
// properties in the description the object gives of itself, so they are
// exported as D-Bus properties, not only answered.
class StatusNotifierWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isStatusNotifierHostRegistered)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registeredItems)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    explicit StatusNotifierWatcher(const QDBusConnection &connection)
        : m_connection(connection)
    {
        m_ready = m_connection.registerObject(Path, this,
                                              QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties)
            && m_connection.registerService(Service);
    }
    ~StatusNotifierWatcher() override
    {
        m_connection.unregisterService(Service);
        m_connection.unregisterObject(Path);
    }
    StatusNotifierWatcher(const StatusNotifierWatcher &) = delete;
    StatusNotifierWatcher &operator=(const StatusNotifierWatcher &) = delete;

    bool isReady() const { return m_ready; }
    bool isStatusNotifierHostRegistered() const { return true; }
    // The bus names of the items, in the order they registered.
    QStringList registeredItems() const { return m_items; }
    int protocolVersion() const { return 0; }
    // How often the items said that their tips changed.
    int toolTipChanges() const { return m_toolTipChanges; }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString &service)
    {
        m_items.append(service);
        // The host shows an item's tip anew when the item says it changed.
        m_connection.connect(service, QStringLiteral("/StatusNotifierItem"),
                             QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("NewToolTip"), this,
                             SLOT(itemToolTipChanged()));
    }
    void RegisterStatusNotifierHost(const QString &) { }

private Q_SLOTS:
    void itemToolTipChanged() { ++m_toolTipChanges; }

private:
    static constexpr QLatin1String Service {"org.kde.StatusNotifierWatcher"};
    static constexpr QLatin1String Path {"/StatusNotifierWatcher"};

    QDBusConnection m_connection;
    QStringList m_items;
    int m_toolTipChanges = 0;
    bool m_ready = false;
};
