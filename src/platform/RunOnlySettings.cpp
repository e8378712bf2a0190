// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunOnlySettings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace {

// The runtime folder is the user's own and emptied when the session ends, so that even the
// folder of a player that was killed goes.
QString folderTemplate()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("kavel-player-settings-XXXXXX"));
}

} // namespace

RunOnlySettings::RunOnlySettings()
    : m_folder(folderTemplate())
{
    // Where no folder could be made, nowhere: the dialogs then start afresh each time.
    const QString path = m_folder.isValid() ? m_folder.path() : QStringLiteral("/dev/null");
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, path);
}
