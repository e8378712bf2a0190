// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>

class Form1;

// The main window offered to the desktop's media keys and controls on a
// session bus, under the program's well-known name. Where there is no bus, or
// another program holds the name, nothing is offered and the player runs as
// it always does.
class MprisService : public QObject
{
    Q_OBJECT
public:
    static const QString ServiceName;
    static const QString ObjectPath;

    MprisService(Form1 &form, const QDBusConnection &bus);
    ~MprisService() override;

    MprisService(const MprisService &) = delete;
    MprisService &operator=(const MprisService &) = delete;

    bool isRegistered() const { return m_registered; }

private:
    QDBusConnection m_bus;
    bool m_registered = false;
};
