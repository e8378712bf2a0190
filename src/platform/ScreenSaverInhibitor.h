// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class QWidget;

// Keeps the desktop from blanking or locking the screen, and the machine from sleeping, for as
// long as it is asked to: through the desktop portal where one answers, else through the older
// screen saver service. Every call is asynchronous, one inhibit at most is held at a time, and
// what is held is let go when asked or when the object goes. Without a bus, or with neither
// service, nothing happens and nothing is said.
class ScreenSaverInhibitor : public QObject
{
    Q_OBJECT
public:
    // window is the one the screen is kept awake for; applicationName and reason are what the
    // desktop may show of the request.
    ScreenSaverInhibitor(const QDBusConnection &bus, QWidget *window, const QString &applicationName,
                         const QString &reason, QObject *parent = nullptr);
    ~ScreenSaverInhibitor() override;

    ScreenSaverInhibitor(const ScreenSaverInhibitor &) = delete;
    ScreenSaverInhibitor &operator=(const ScreenSaverInhibitor &) = delete;

    void setInhibited(bool inhibited);

private:
    enum class Service { Portal, ScreenSaver };

    void settle();
    void ask(Service service);
    void takeAnswer();
    QString windowIdentifier() const;

    QDBusConnection m_bus;
    QPointer<QWidget> m_window;
    QString m_applicationName;
    QString m_reason;
    bool m_wanted = false;
    // Neither service granted this wish: asked again only for the next one.
    bool m_refused = false;
    // The inhibit asked for and not answered yet, and of which service.
    std::optional<QDBusPendingCall> m_asking;
    Service m_asked = Service::Portal;
    // What lets go of the inhibit held, if one is.
    std::optional<QDBusMessage> m_letGo;
    // Calls leave in order: once the last letting go is answered, every one before it has left.
    std::optional<QDBusPendingCall> m_lastLetGo;
};
