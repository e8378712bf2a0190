// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/FileDrop.h"
#include "DragAndDrop.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class FileDropTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    }

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("film.avi"));
    const QString folder = dir.filePath(QStringLiteral("folder"));
};

std::unique_ptr<QMimeData> urlData(const QList<QUrl> &urls)
{
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    return data;
}

} // namespace

TEST_F(FileDropTest, TakesLocalFilesAndWhereWantedFoldersAndNothingElse)
{
    auto text = std::make_unique<QMimeData>();
    text->setText(file);
    const struct {
        const char *what;
        std::unique_ptr<QMimeData> data;
        runtime::FileDrop::Accepts accepts;
        QStringList dropped; // empty: refused as the drag enters
    } cases[] = {
        {"a file", filesData({file}), runtime::FileDrop::Accepts::Files, {file}},
        {"a folder where files only are wanted", filesData({folder}), runtime::FileDrop::Accepts::Files, {}},
        {"a folder", filesData({folder}), runtime::FileDrop::Accepts::FilesAndFolders, {folder}},
        {"a web address",
         urlData({QUrl(QStringLiteral("https://example.org/film.avi"))}),
         runtime::FileDrop::Accepts::FilesAndFolders,
         {}},
        {"a file that is not there",
         filesData({dir.filePath(QStringLiteral("gone.avi"))}),
         runtime::FileDrop::Accepts::FilesAndFolders,
         {}},
        {"text naming a file", std::move(text), runtime::FileDrop::Accepts::FilesAndFolders, {}},
        {"files among other things",
         urlData(
             {QUrl(QStringLiteral("https://example.org/")), QUrl::fromLocalFile(folder), QUrl::fromLocalFile(file)}),
         runtime::FileDrop::Accepts::FilesAndFolders,
         {folder, file}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QWidget target;
        runtime::FileDrop drop(&target, c.accepts);
        QSignalSpy dropped(&drop, &runtime::FileDrop::Dropped);
        const DragOutcome outcome = dragAndDrop(&target, *c.data);
        EXPECT_EQ(outcome.entered, !c.dropped.isEmpty());
        EXPECT_EQ(outcome.dropped, !c.dropped.isEmpty());
        if (c.dropped.isEmpty()) {
            EXPECT_EQ(dropped.count(), 0);
        } else {
            ASSERT_EQ(dropped.count(), 1);
            EXPECT_EQ(dropped.first().first().toStringList(), c.dropped);
        }
    }
}

TEST_F(FileDropTest, CopiesAndNeverTakesAMove)
{
    const auto data = filesData({file});
    const struct {
        Qt::DropActions offered;
        bool taken;
        Qt::DropAction action;
    } cases[] = {
        {Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, true, Qt::CopyAction},
        {Qt::LinkAction, true, Qt::LinkAction},
        // The source would delete a file it thinks was moved.
        {Qt::MoveAction, false, Qt::IgnoreAction},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.offered));
        QWidget target;
        runtime::FileDrop drop(&target, runtime::FileDrop::Accepts::Files);
        const DragOutcome outcome = dragAndDrop(&target, *data, c.offered);
        EXPECT_EQ(outcome.dropped, c.taken);
        if (c.taken) {
            EXPECT_EQ(outcome.action, c.action);
        }
    }
}

TEST_F(FileDropTest, AScrollingViewTakesTheDropOnItsViewport)
{
    QListWidget list;
    runtime::FileDrop drop(&list, runtime::FileDrop::Accepts::Files);
    QSignalSpy dropped(&drop, &runtime::FileDrop::Dropped);
    EXPECT_TRUE(list.viewport()->acceptDrops());
    EXPECT_TRUE(dragAndDrop(list.viewport(), *filesData({file})).dropped);
    EXPECT_EQ(dropped.count(), 1);
    EXPECT_EQ(list.count(), 0) << "the view's own drop handling added an item";
}
