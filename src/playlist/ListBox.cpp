// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListBox.h"

#include <QContextMenuEvent>
#include <QMouseEvent>

namespace playlist {

ListBox::ListBox(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Entries are one line each; equal heights keep a list of 100,000 entries fast.
    setUniformItemSizes(true);
}

void ListBox::AddItem(const QString &item)
{
    addItem(item);
}

void ListBox::AddItems(const QStringList &items)
{
    if (!items.isEmpty())
        addItems(items);
}

void ListBox::RemoveItem(int index)
{
    if (index < 0 || index >= count())
        return;
    // The view would select a neighbour of a removed current entry; the selection stays what it was.
    const int selected = ListIndex();
    delete takeItem(index);
    if (selected < 0 || selected == index)
        clearSelection();
    else
        setSelected(selected > index ? selected - 1 : selected, true);
}

void ListBox::Clear()
{
    clear();
}

int ListBox::ListCount() const
{
    return count();
}

QString ListBox::List(int index) const
{
    const QListWidgetItem *entry = item(index);
    return entry ? entry->text() : QString();
}

QStringList ListBox::entries() const
{
    QStringList result;
    result.reserve(count());
    for (int i = 0; i < count(); ++i)
        result.append(item(i)->text());
    return result;
}

int ListBox::ListIndex() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QString ListBox::Text() const
{
    return List(ListIndex());
}

bool ListBox::Selected(int index) const
{
    const QListWidgetItem *entry = item(index);
    return entry && entry->isSelected();
}

void ListBox::setSelected(int index, bool selected)
{
    if (index < 0 || index >= count())
        return;
    if (selected)
        setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    else
        item(index)->setSelected(false);
}

int ListBox::SelCount() const
{
    return int(selectionModel()->selectedRows().size());
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex &index, const QEvent *event) const
{
    // A click below the entries or a Ctrl+click on the selected one would leave none selected.
    const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    if (!index.isValid() || command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    return command;
}

void ListBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::RightButton)
        QListWidget::mousePressEvent(event);
    Q_EMIT MouseDown(event->button(), event->modifiers(), event->globalPosition().toPoint());
}

void ListBox::contextMenuEvent(QContextMenuEvent *event)
{
    // A right press has already been handled as MouseDown.
    if (event->reason() == QContextMenuEvent::Keyboard)
        Q_EMIT contextMenuKey(event->globalPos());
    event->accept();
}

} // namespace playlist
