// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileList.h"

#include "runtime/ListDblClick.h"

#include <QDir>

namespace playlist {

FileList::FileList(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(new runtime::ListDblClick(this), &runtime::ListDblClick::DblClick, this, [this](const QModelIndex &index) {
        setCurrentIndex(index);
        Q_EMIT DblClick();
    });
}

void FileList::setPath(const QString &folder)
{
    m_path = folder;
    Refresh();
}

void FileList::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    Refresh();
}

QString FileList::FileName() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

QString FileList::List(int index) const
{
    const QListWidgetItem *entry = item(index);
    return entry ? entry->text() : QString();
}

QStringList FileList::matchingFiles(const QString &folder, const QString &pattern)
{
    QStringList patterns = pattern.split(u';', Qt::SkipEmptyParts);
    for (QString &each : patterns)
        each = each.trimmed();
    // Name filters match without regard to case unless QDir::CaseSensitive is given.
    return QDir(folder).entryList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

void FileList::Refresh()
{
    const QString selected = FileName();
    clear();
    if (m_path.isEmpty())
        return;
    addItems(matchingFiles(m_path, m_pattern));
    const QList<QListWidgetItem *> again = findItems(selected, Qt::MatchExactly);
    if (!selected.isEmpty() && !again.isEmpty())
        setCurrentItem(again.first(), QItemSelectionModel::ClearAndSelect);
}

} // namespace playlist
