// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/ChangeText.h"

#include <QHash>
#include <QWidget>

class QAction;
class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace runtime {
class MessageReporter;
}

namespace playlist {
class DirList;
class DriveList;
class FileList;
class ListBox;
} // namespace playlist

// The playlist window: the list the main window plays from, the file it is
// written to, and a small drive, folder and file browser that adds to it.
// It reaches the main window only through its signals, which the main window
// connects directly so they run at once and in order.
class frmWrite : public QWidget
{
    Q_OBJECT
public:
    // form1HeightTwips places the window below the main window's centre.
    explicit frmWrite(int form1HeightTwips, QWidget *parent = nullptr);

    // Appends the playlist's entries to List1. A file that cannot be read
    // changes nothing and is not shown to the user: the caller decides; *error
    // says why.
    bool appendPlaylistFile(const QString &path, QString *error = nullptr);

    // Plays the selected entry, if any: stop, play, name it.
    void List1_dblclick();
    void PlayinPlaylist();
    // Names the entry being played in the caption.
    void setPlayingCaption(const QString &entry);
    // Activates the window and focuses the list, when it is shown.
    void SetFocus();

    void setMessageReporter(runtime::MessageReporter *reporter);

    // Set by the main window when a playlist was just loaded: its selected
    // entry plays as soon as exactly one entry is selected.
    bool plscomm = false;
    // The main window writes "True" here to raise plscomm.
    runtime::ChangeText Text4 {QStringLiteral("Text4")};
    // The full path of the file the browser is adding.
    QString FileName;

    QLineEdit *Text1;
    QPushButton *Command1;
    QPushButton *Command2;
    QLabel *Label2;
    playlist::DirList *Dir1;
    playlist::FileList *File1;
    playlist::DriveList *Drive1;
    QLineEdit *Text3;
    playlist::ListBox *List1;
    QTimer *Timer1;
    QTimer *Timer2;
    QMenu *mnuFile;
    QAction *mnuRem;
    QAction *mnuClear;
    QMenu *mnuClr;
    QAction *mnuClear2;

Q_SIGNALS:
    void stopAndRewindRequested();
    void playSelectedRequested();
    void entryPlaying(const QString &path);

private:
    void buildFromForm();
    void placeWindow(int form1HeightTwips);
    void showStartFolder();

    void Command1_Click();
    void Command2_Click();
    void Drive1_Change();
    void Dir1_Change();
    void File1_DblClick();
    // Files and folders dropped on the list.
    void List1_OLEDragDrop(const QStringList &paths);
    void List1_MouseDown(Qt::MouseButton button, QPoint globalPos);
    void Timer1_Timer();
    void Timer2_Timer();
    void Text4_Change();

    // What the browser's rules add, and the playlists they could not read.
    struct Additions {
        QStringList entries;
        QStringList failures;
    };
    // A file by the double-click rules.
    void collectFile(const QString &path, Additions &into);
    // Files of a folder, by name, by the "Add All" rules.
    void collectFolder(const QString &folder, const QStringList &names, Additions &into);
    void collectPlaylist(const QString &path, Additions &into);
    void append(const Additions &additions);

    void report(const QString &message);

    runtime::MessageReporter *m_reporter;
    // The folder last shown on each drive, where choosing the drive returns to.
    QHash<QString, QString> m_driveFolders;
    // Keeps the folder and file lists current while files come and go.
    QFileSystemWatcher *m_folderWatcher;
};
