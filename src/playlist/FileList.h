// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>

// The file list: the files of one folder whose names match one of the
// patterns ("*.avi;*.pls", case ignored), in name order.

namespace playlist {

class FileList : public QListWidget
{
    Q_OBJECT
public:
    explicit FileList(QWidget *parent = nullptr);

    const QString &Path() const { return m_path; }
    void setPath(const QString &folder);
    const QString &Pattern() const { return m_pattern; }
    void setPattern(const QString &pattern);
    // Reads the folder again.
    void Refresh();

    // The names the list shows for a folder and a pattern, in its order.
    static QStringList matchingFiles(const QString &folder, const QString &pattern);

    // The selected file's name, "" if none.
    QString FileName() const;
    int ListCount() const { return count(); }
    QString List(int index) const;

Q_SIGNALS:
    // A file was double-clicked (or Enter pressed on it); it is the selected one.
    void DblClick();

private:
    QString m_path;
    QString m_pattern;
};

} // namespace playlist
