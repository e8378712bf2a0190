// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirList.h"

#include "runtime/ListDblClick.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>

namespace playlist {

namespace {

constexpr int PathRole = Qt::UserRole;

QTreeWidgetItem *folderItem(const QString &path, const QString &name, const QIcon &icon)
{
    auto *item = new QTreeWidgetItem(QStringList {name});
    item->setIcon(0, icon);
    item->setData(0, PathRole, path);
    return item;
}

} // namespace

DirList::DirList(QWidget *parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    connect(new runtime::ListDblClick(this), &runtime::ListDblClick::DblClick, this,
            [this](const QModelIndex &index) { activate(index.data(PathRole).toString()); });
}

bool DirList::setPath(const QString &folder, QString *error)
{
    const QString path = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
    const QFileInfo info(path);
    QString reason;
    if (!info.exists())
        reason = QStringLiteral("it does not exist");
    else if (!info.isDir())
        reason = QStringLiteral("it is not a folder");
    else if (!info.isReadable() || !info.isExecutable())
        reason = QStringLiteral("access is denied");
    if (!reason.isEmpty()) {
        if (error)
            *error = QStringLiteral("The folder \"%1\" cannot be shown: %2.").arg(path, reason);
        return false;
    }
    const bool changed = path != m_path;
    m_path = path;
    Refresh();
    if (changed)
        Q_EMIT Change();
    return true;
}

void DirList::activate(const QString &folder)
{
    QString error;
    if (setPath(folder, &error))
        return;
    // The folder may have vanished since it was listed.
    Refresh();
    Q_EMIT pathRefused(error);
}

void DirList::Refresh()
{
    clear();
    if (m_path.isEmpty())
        return;
    const QStyle *style = this->style();
    const QIcon open = style->standardIcon(QStyle::SP_DirOpenIcon);
    QStringList chain {m_path};
    for (QDir dir(m_path); dir.cdUp();)
        chain.prepend(QDir::toNativeSeparators(dir.absolutePath()));

    QTreeWidgetItem *parent = nullptr;
    for (const QString &folder : std::as_const(chain)) {
        const QString name = QFileInfo(folder).fileName();
        QTreeWidgetItem *item = folderItem(folder, name.isEmpty() ? folder : name, open);
        if (parent)
            parent->addChild(item);
        else
            addTopLevelItem(item);
        parent = item;
    }
    const QIcon closed = style->standardIcon(QStyle::SP_DirClosedIcon);
    const QDir shown(m_path);
    const QStringList subfolders = shown.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    QList<QTreeWidgetItem *> children;
    children.reserve(subfolders.size());
    for (const QString &name : subfolders)
        children.append(folderItem(QDir::toNativeSeparators(shown.filePath(name)), name, closed));
    parent->addChildren(children);
    expandAll();
    setCurrentItem(parent);
}

} // namespace playlist
