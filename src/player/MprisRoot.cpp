// SPDX-License-Identifier: GPL-3.0-or-later
#include "MprisRoot.h"

#include "Form1.h"

#include <QAction>

MprisRoot::MprisRoot(QObject *service, Form1 &form)
    : QDBusAbstractAdaptor(service)
    , m_form(form)
{
}

QString MprisRoot::Identity() const
{
    return QStringLiteral("KAVEL Player");
}

QString MprisRoot::DesktopEntry() const
{
    // resources/kavel-player.desktop, without its extension.
    return QStringLiteral("kavel-player");
}

QStringList MprisRoot::SupportedUriSchemes() const
{
    return {QStringLiteral("file")};
}

QStringList MprisRoot::SupportedMimeTypes() const
{
    // The types the desktop file names: those of the Open dialog's filter.
    return {QStringLiteral("video/x-msvideo"), QStringLiteral("video/x-ms-asf"), QStringLiteral("video/x-ms-wmv"),
            QStringLiteral("video/mpeg"), QStringLiteral("audio/x-scpls")};
}

void MprisRoot::Raise()
{
    m_form.mnuShow->trigger();
}

void MprisRoot::Quit()
{
    // After the reply has gone: the exit sequence ends the event loop.
    QMetaObject::invokeMethod(m_form.mnuExit, &QAction::trigger, Qt::QueuedConnection);
}
