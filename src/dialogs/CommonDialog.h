// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>

// The Open and Save file dialogs and the folder chooser behind string
// properties. The chosen file comes back through a fixed-size, NUL-padded
// buffer, and reading FileName empties it: a second read gives "" until the
// next dialog, which is how callers tell "nothing chosen" apart.
//
// A chosen path longer than the buffer is kept whole (the buffer grows): cutting
// it to the buffer's size would name a different file.
class CommonDialog
{
public:
    static constexpr int FileBufferSize = 1024;
    static constexpr int FileTitleBufferSize = 256;

    CommonDialog();

    // Not const: reading refills the buffer with NULs.
    QString FileName();
    void setFileName(const QString &sFileName);

    // "Description|*.a;*.b|Description|*.c"
    QString Filter() const;
    void setFilter(const QString &sFilter);

    QString FileTitle() const;
    void setFileTitle(const QString &sFileTitle);

    QString DialogTitle() const;
    void setDialogTitle(const QString &sDialogTitle);

    QString InitDir() const;
    void setInitDir(const QString &sInitDir);

    QString DefaultExt() const;
    void setDefaultExt(const QString &sDefaultExt);

    // Modal; a cancelled dialog leaves the buffers as they were.
    void ShowOpen();
    void ShowSave();
    // The chosen folder, or "" when cancelled.
    QString GetFolderName(const QString &DialogTitle);

    // The filter as the dialog lists it, one "Description (*.a *.b)" per entry.
    QStringList nameFilters() const;

private:
    void show(QFileDialog::AcceptMode mode);

    QString m_fileBuffer;
    QString m_fileTitleBuffer;
    QString m_filter; // NUL-separated, two trailing NULs
    QString m_dialogTitle;
    QString m_initDir; // followed by one NUL
    QString m_defaultExt;
};
