// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTreeWidget>

// The folder list: the shown folder with every folder above it, open, and the
// folders inside it. Activating a folder (double-click or Enter) shows it.

namespace playlist {

class DirList : public QTreeWidget
{
    Q_OBJECT
public:
    explicit DirList(QWidget *parent = nullptr);

    const QString &Path() const { return m_path; }
    // Shows folder (relative names are taken from the current folder) and
    // raises Change when it differs from the shown one. A folder that cannot
    // be shown leaves everything as it was; *error then says why.
    bool setPath(const QString &folder, QString *error);
    // Reads the shown folder again.
    void Refresh();

Q_SIGNALS:
    void Change();
    // A folder the user activated could not be shown.
    void pathRefused(const QString &message);

private:
    void activate(const QString &folder);

    QString m_path;
};

} // namespace playlist
