// SPDX-License-Identifier: GPL-3.0-or-later
// Shows a folder of 10,000 media files in the playlist window's file browser
// and presses "Add All", and prints how long the list takes to take them all
// and be painted.

#include "ShownWindow.h"
#include "playlist/DirList.h"
#include "playlist/FileList.h"
#include "playlist/ListBox.h"
#include "playlist/frmWrite.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    constexpr int Files = 10000;

    QTemporaryDir folder;
    for (int i = 0; i < Files; ++i) {
        QFile file(folder.filePath(QStringLiteral("Episode %1.avi").arg(i, 5, 10, QLatin1Char('0'))));
        if (!file.open(QIODevice::WriteOnly)) {
            out << "cannot make " << file.fileName() << Qt::endl;
            return 1;
        }
    }

    frmWrite window(6000);
    showAndWaitUntilExposed(window);

    QElapsedTimer step;
    step.start();
    QString error;
    if (!window.Dir1->setPath(folder.path(), &error)) {
        out << error << Qt::endl;
        return 1;
    }
    window.File1->repaint();
    QCoreApplication::processEvents();
    const qint64 showMs = step.restart();

    window.Command2->click();
    const qint64 addMs = step.restart();
    window.List1->setSelected(window.List1->ListCount() - 1, true);
    window.List1->repaint();
    QCoreApplication::processEvents();
    const qint64 paintMs = step.elapsed();

    out << "add_all: " << window.List1->ListCount() << " files into List1 in " << addMs + paintMs << " ms (add "
        << addMs << " ms, select last and paint " << paintMs << " ms; showing the folder took " << showMs << " ms)"
        << Qt::endl;
    return window.List1->ListCount() == Files ? 0 : 1;
}
