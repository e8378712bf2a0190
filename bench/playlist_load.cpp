// SPDX-License-Identifier: GPL-3.0-or-later
// Loads a playlist of 100,000 entries into the playlist window's list, as the
// main window does for a playlist on its command line, and prints how long it
// takes until the list has been laid out and painted.

#include "ShownWindow.h"
#include "playlist/ListBox.h"
#include "playlist/PlaylistFile.h"
#include "playlist/frmWrite.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    constexpr int Entries = 100000;

    QTemporaryDir folder;
    QStringList entries;
    entries.reserve(Entries);
    for (int i = 0; i < Entries; ++i)
        entries.append(QStringLiteral("/home/user/Videos/Series %1/Episode %2.avi").arg(i / 100).arg(i % 100));
    const QString path = folder.filePath(QStringLiteral("big.pls"));
    QString error;
    if (!playlist::writePlaylist(path, entries, &error)) {
        out << error << Qt::endl;
        return 1;
    }

    frmWrite window(6000);
    showAndWaitUntilExposed(window);

    QElapsedTimer total;
    total.start();
    QElapsedTimer step;
    step.start();
    const playlist::PlaylistReadResult result = playlist::readPlaylist(path);
    const qint64 readMs = step.restart();
    window.List1->AddItems(result.entries);
    const qint64 addMs = step.restart();
    window.List1->setSelected(window.List1->ListCount() - 1, true);
    window.List1->repaint();
    QCoreApplication::processEvents();
    const qint64 paintMs = step.elapsed();

    out << "playlist_load: " << window.List1->ListCount() << " entries into List1 in " << total.elapsed()
        << " ms (read " << readMs << " ms, add " << addMs << " ms, select last and paint " << paintMs << " ms)"
        << Qt::endl;
    return window.List1->ListCount() == Entries ? 0 : 1;
}
