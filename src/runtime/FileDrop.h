// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

class QDropEvent;
class QMimeData;
class QWidget;

// Lets a widget take the local files (and, where it wants them, folders) that
// a file manager drags onto it. Anything else dragged there, a web address or
// a piece of text, is refused as the drag enters, so the pointer shows that it
// cannot be dropped. A drop only ever copies: the source keeps its files.

namespace runtime {

class FileDrop : public QObject
{
    Q_OBJECT
public:
    enum class Accepts { Files, FilesAndFolders };

    // On a scrolling view the drag arrives at its viewport, which this takes over.
    FileDrop(QWidget *target, Accepts accepts);

    // The paths the widget takes from a drag's data, in the drag's order.
    QStringList pathsOf(const QMimeData *data) const;

Q_SIGNALS:
    // Never empty.
    void Dropped(const QStringList &paths);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool takes(QDropEvent *event) const;

    Accepts m_accepts;
};

} // namespace runtime
