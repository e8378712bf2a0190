// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>
#include <QStringList>

// A list box with one selectable entry and the operations the windows use on
// it: entries by index, the selected entry's index and text. The selection,
// not the keyboard cursor, is what ListIndex and Text report. Once an entry is
// selected the user can select another but never none: only the program
// (Clear, RemoveItem, setSelected) leaves the list without a selection.

namespace playlist {

class ListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit ListBox(QWidget *parent = nullptr);

    void AddItem(const QString &item);
    // Appends all at once: one layout pass however long the list.
    void AddItems(const QStringList &items);
    void RemoveItem(int index);
    void Clear();

    int ListCount() const;
    QString List(int index) const;
    QStringList entries() const;

    int ListIndex() const; // the selected entry, -1 if none
    QString Text() const; // the selected entry's text, "" if none
    bool Selected(int index) const;
    // Selecting an entry deselects any other.
    void setSelected(int index, bool selected);
    int SelCount() const;

Q_SIGNALS:
    // Every mouse press; a right press leaves the selection as it was.
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint globalPos);
    // The context-menu key, so the popup menus are reachable without a mouse.
    void contextMenuKey(QPoint globalPos);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index, const QEvent *event) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
};

} // namespace playlist
