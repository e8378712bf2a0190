// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDrop.h"

#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace runtime {

namespace {

QWidget *receiverOf(QWidget *target)
{
    if (auto *area = qobject_cast<QAbstractScrollArea *>(target))
        return area->viewport();
    return target;
}

} // namespace

FileDrop::FileDrop(QWidget *target, Accepts accepts)
    : QObject(target)
    , m_accepts(accepts)
{
    QWidget *receiver = receiverOf(target);
    receiver->setAcceptDrops(true);
    receiver->installEventFilter(this);
}

QStringList FileDrop::pathsOf(const QMimeData *data) const
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo entry(url.toLocalFile());
        if (entry.isFile() || (m_accepts == Accepts::FilesAndFolders && entry.isDir()))
            paths.append(url.toLocalFile());
    }
    return paths;
}

bool FileDrop::takes(QDropEvent *event) const
{
    // A source that offers only to move would delete what it thinks we took.
    if (!(event->possibleActions() & (Qt::CopyAction | Qt::LinkAction)) || pathsOf(event->mimeData()).isEmpty()) {
        event->ignore();
        return false;
    }
    event->setDropAction(event->possibleActions() & Qt::CopyAction ? Qt::CopyAction : Qt::LinkAction);
    event->accept();
    return true;
}

bool FileDrop::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        takes(static_cast<QDropEvent *>(event));
        return true;
    case QEvent::DragLeave:
        return true;
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (takes(drop))
            Q_EMIT Dropped(pathsOf(drop->mimeData()));
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace runtime
