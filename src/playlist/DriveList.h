// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

// The drives a user picks from: the file system roots and, where the system
// has a single root, the home folder and the mounted removable media.
// Each entry carries its root path.

namespace playlist {

class DriveList : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveList(QWidget *parent = nullptr);

    // The root path of the chosen drive.
    QString Drive() const;
    // The drive (root path) that holds folder: the longest listed root it lies in.
    QString driveOf(const QString &folder) const;
    // Shows the drive that holds folder without raising Change.
    void showDriveOf(const QString &folder);

    static QStringList availableRoots();

Q_SIGNALS:
    void Change();

protected:
    // Volumes come and go; the list is read afresh each time it opens.
    void showPopup() override;

private:
    void refresh();

    QString m_drive;
};

} // namespace playlist
