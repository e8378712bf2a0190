// SPDX-License-Identifier: GPL-3.0-or-later
#include "DriveList.h"

#include "runtime/PathNames.h"

#include <QDir>
#include <QSignalBlocker>
#include <QStorageInfo>

namespace playlist {

namespace {

bool isRemovableMount(const QString &rootPath)
{
    for (const QLatin1String prefix :
         {QLatin1String("/media/"), QLatin1String("/run/media/"), QLatin1String("/mnt/")}) {
        if (rootPath.startsWith(prefix))
            return true;
    }
    return false;
}

bool liesIn(const QString &folder, const QString &root)
{
    if (root.isEmpty() || !folder.startsWith(root))
        return false;
    return folder.size() == root.size() || runtime::isPathSeparator(root.back())
        || runtime::isPathSeparator(folder[root.size()]);
}

} // namespace

DriveList::DriveList(QWidget *parent)
    : QComboBox(parent)
{
    refresh();
    m_drive = Drive();
    const auto changed = [this] {
        if (Drive() == m_drive)
            return;
        m_drive = Drive();
        Q_EMIT Change();
    };
    connect(this, &QComboBox::currentIndexChanged, this, changed);
    // Choosing the entry already shown still counts when that entry replaced a vanished drive.
    connect(this, &QComboBox::activated, this, changed);
}

QStringList DriveList::availableRoots()
{
    QStringList roots;
    for (const QFileInfo &drive : QDir::drives())
        roots.append(QDir::toNativeSeparators(drive.absoluteFilePath()));
    if (roots.size() == 1) {
        roots.append(QDir::toNativeSeparators(QDir::homePath()));
        for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
            if (volume.isValid() && volume.isReady() && isRemovableMount(volume.rootPath()))
                roots.append(QDir::toNativeSeparators(volume.rootPath()));
        }
    }
    roots.removeDuplicates();
    return roots;
}

QString DriveList::Drive() const
{
    return currentData().toString();
}

QString DriveList::driveOf(const QString &folder) const
{
    const QString nativeFolder = QDir::toNativeSeparators(folder);
    QString best;
    for (int i = 0; i < count(); ++i) {
        const QString root = itemData(i).toString();
        if (root.size() > best.size() && liesIn(nativeFolder, root))
            best = root;
    }
    return best;
}

void DriveList::showDriveOf(const QString &folder)
{
    const int index = findData(driveOf(folder));
    if (index < 0)
        return;
    const QSignalBlocker blocker(this);
    setCurrentIndex(index);
    m_drive = Drive();
}

void DriveList::showPopup()
{
    refresh();
    QComboBox::showPopup();
}

void DriveList::refresh()
{
    const QSignalBlocker blocker(this);
    const QString shown = Drive();
    clear();
    for (const QString &root : availableRoots()) {
        const QStorageInfo volume(root);
        const bool labelled = QDir::toNativeSeparators(volume.rootPath()) == root && !volume.name().isEmpty();
        addItem(labelled ? QStringLiteral("%1 [%2]").arg(root, volume.name()) : root, root);
    }
    const int index = findData(shown);
    if (index >= 0)
        setCurrentIndex(index);
}

} // namespace playlist
