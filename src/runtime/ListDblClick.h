// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QModelIndex>
#include <QObject>

class QAbstractItemView;

// The DblClick of a list control: a double click on an entry, or Enter on the
// current entry for keyboard users. Never the view's "activated", which
// desktops that open items on a single click raise on the first click.

namespace runtime {

class ListDblClick : public QObject
{
    Q_OBJECT
public:
    // Belongs to the view and lives as long as it.
    explicit ListDblClick(QAbstractItemView *view);

Q_SIGNALS:
    void DblClick(const QModelIndex &index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAbstractItemView *m_view;
};

} // namespace runtime
