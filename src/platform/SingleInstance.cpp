// SPDX-License-Identifier: GPL-3.0-or-later
#include "SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace {

QString lockPath(const QString &name)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(name + QLatin1String(".lock"));
}

} // namespace

SingleInstance::SingleInstance(const QString &name)
    : m_lock(lockPath(name))
{
    // The holder lives as long as the program: only a dead holder makes the lock stale,
    // never its age. QLockFile recognises a dead holder by the process id it wrote.
    m_lock.setStaleLockTime(0);
    m_prevInstance = !m_lock.tryLock(0) && m_lock.error() == QLockFile::LockFailedError;
}
