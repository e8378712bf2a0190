// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListDblClick.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace runtime {

ListDblClick::ListDblClick(QAbstractItemView *view)
    : QObject(view)
    , m_view(view)
{
    connect(view, &QAbstractItemView::doubleClicked, this, &ListDblClick::DblClick);
    view->installEventFilter(this);
}

bool ListDblClick::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QModelIndex current = m_view->currentIndex();
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && current.isValid()) {
            Q_EMIT DblClick(current);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace runtime
