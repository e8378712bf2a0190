// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFixture.h"

#include "DragAndDrop.h"
#include "desktop/WaitFor.h"
#include "playlist/DirList.h"
#include "playlist/DriveList.h"
#include "playlist/FileList.h"
#include "playlist/ListBox.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

struct AddCase {
    const char *file;
    QStringList added;
};

} // namespace

class FileBrowserTest : public WindowFixture
{
protected:
    void writeDoubleClickFiles() const
    {
        writeFile("list.pls", "/m/one.avi\r\n/m/two.avi\r\n");
        writeFile("UP.PLS", "/m/up.avi\r\n");
        for (const char *name : {"low.avi", "UP.AVI", "Mixed.Avi", "film.mpeg", "FILM.MPG", "clip.wmv", "clip.divx",
                                 "clip.DivX", "vcd.DAT", "stream.asf", "Odd.Pls"})
            writeFile(name, "");
    }

    // What a double-click on each of those files adds.
    std::vector<AddCase> doubleClickCases() const
    {
        return {
            {"low.avi", {path("low.avi")}},
            {"UP.AVI", {path("UP.AVI")}},
            {"Mixed.Avi", {}},
            {"film.mpeg", {path("film.mpeg")}},
            {"FILM.MPG", {path("FILM.MPG")}},
            {"clip.wmv", {path("clip.wmv")}},
            {"clip.divx", {path("clip.divx")}},
            {"clip.DivX", {}},
            {"vcd.DAT", {path("vcd.DAT")}},
            {"stream.asf", {path("stream.asf")}},
            {"list.pls", {"/m/one.avi", "/m/two.avi"}},
            {"UP.PLS", {"/m/up.avi"}},
            {"Odd.Pls", {}},
        };
    }
};

namespace {

void doubleClickFile(frmWrite &window, const QString &name)
{
    playlist::FileList *files = window.File1;
    QCoreApplication::processEvents();
    const QList<QListWidgetItem *> found = files->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    files->scrollToItem(found.first());
    doubleClickAt(files->viewport(), files->visualItemRect(found.first()).center());
}

QTreeWidgetItem *folderItem(const playlist::DirList &folders, const QString &name)
{
    const QList<QTreeWidgetItem *> found = folders.findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.size() == 1 ? found.first() : nullptr;
}

// Adds a stand-in drive whose root is a folder of the test.
void addDrive(frmWrite &window, const QString &root)
{
    window.Drive1->addItem(root, root);
}

void chooseDrive(frmWrite &window, const QString &root)
{
    window.Drive1->setCurrentIndex(window.Drive1->findData(root));
}

} // namespace

TEST_F(FileBrowserTest, FileListShowsMatchingFilesWhateverTheirCase)
{
    for (const char *name :
         {"b.AVI", "a.avi", "c.Avi", "notes.txt", "list.pls", "UP.PLS", "d.mpeg", "e.DivX", ".hidden.avi"})
        writeFile(name, "");
    QDir(folder.path()).mkdir("sub.avi");
    openWindow();

    QStringList shown;
    for (int i = 0; i < window->File1->ListCount(); ++i)
        shown.append(window->File1->List(i));
    EXPECT_EQ(shown, QStringList({"a.avi", "b.AVI", "c.Avi", "d.mpeg", "e.DivX", "list.pls", "UP.PLS"}));
}

TEST_F(FileBrowserTest, DoubleClickAddsAsTabled)
{
    writeDoubleClickFiles();
    openWindow();
    window->show();

    for (const AddCase &c : doubleClickCases()) {
        const int before = window->List1->ListCount();
        doubleClickFile(*window, c.file);
        EXPECT_EQ(window->List1->entries().mid(before), c.added) << c.file;
        EXPECT_EQ(window->FileName, path(c.file));
    }
    EXPECT_TRUE(reporter.messages.isEmpty());
}

TEST_F(FileBrowserTest, FilesDroppedOnTheListAreAddedAsADoubleClickAddsThem)
{
    writeDoubleClickFiles();
    openWindow();
    QStringList all;
    QStringList allAdded;
    for (const AddCase &c : doubleClickCases()) {
        const int before = window->List1->ListCount();
        const DragOutcome drop = dragAndDrop(window->List1->viewport(), *filesData({path(c.file)}));
        EXPECT_TRUE(drop.dropped) << c.file;
        EXPECT_EQ(window->List1->entries().mid(before), c.added) << c.file;
        all += path(c.file);
        allAdded += c.added;
    }
    // Many at once, in the drag's order.
    const int before = window->List1->ListCount();
    EXPECT_TRUE(dragAndDrop(window->List1->viewport(), *filesData(all)).dropped);
    EXPECT_EQ(window->List1->entries().mid(before), allAdded);
    EXPECT_TRUE(reporter.messages.isEmpty());
}

TEST_F(FileBrowserTest, DoubleClickOnAnUnreadablePlaylistTellsAndKeepsTheList)
{
    QByteArray garbage;
    for (int i = 0; i < 3000; ++i)
        garbage += char(i % 32);
    writeFile("broken.pls", garbage);
    openWindow();
    window->List1->AddItems({"/m/kept.avi"});
    window->show();

    doubleClickFile(*window, "broken.pls");
    EXPECT_EQ(window->List1->entries(), QStringList({"/m/kept.avi"}));
    ASSERT_EQ(reporter.messages.size(), 1);
    EXPECT_TRUE(reporter.messages[0].contains(path("broken.pls")));
    EXPECT_TRUE(reporter.messages[0].contains("not a text file"));
}

TEST_F(FileBrowserTest, AddAllAppendsFilesAndExpandsLowerCasePlaylists)
{
    writeFile("a.avi", "");
    writeFile("b.mpg", "");
    writeFile("c.pls", "/m/1.avi\r\n/m/2.avi\r\n/m/3.avi\r\n");
    writeFile("D.PLS", "/m/never.avi\r\n");
    writeFile("e.Avi", "");
    writeFile("f.Pls", "/m/never.avi\r\n");
    writeFile("skip.txt", "");
    openWindow();
    window->List1->AddItem("/m/first.avi");

    window->Command2->click();
    EXPECT_EQ(window->List1->entries(),
              QStringList({"/m/first.avi", path("a.avi"), path("b.mpg"), "/m/1.avi", "/m/2.avi", "/m/3.avi",
                           path("D.PLS"), path("e.Avi"), path("f.Pls")}));
    EXPECT_TRUE(reporter.messages.isEmpty());
}

TEST_F(FileBrowserTest, AddAllSkipsAnUnreadablePlaylistAndSaysWhich)
{
    writeFile("a.avi", "");
    writeFile("bad.pls", QByteArray(500, '\0'));
    writeFile("z.avi", "");
    openWindow();

    window->Command2->click();
    EXPECT_EQ(window->List1->entries(), QStringList({path("a.avi"), path("z.avi")}));
    ASSERT_EQ(reporter.messages.size(), 1);
    EXPECT_TRUE(reporter.messages[0].contains(path("bad.pls")));
}

TEST_F(FileBrowserTest, AddAllInAnEmptyFolderDoesNothing)
{
    writeFile("notes.txt", "");
    openWindow();
    window->Command2->click();
    EXPECT_EQ(window->List1->ListCount(), 0);
    EXPECT_TRUE(reporter.messages.isEmpty());
}

TEST_F(FileBrowserTest, FoldersDroppedOnTheListAreAddedAsAddAllAddsThem)
{
    QDir(folder.path()).mkdir("drop");
    writeFile("drop/a.avi", "");
    writeFile("drop/b.mpg", "");
    writeFile("drop/c.pls", "/m/1.avi\r\n/m/2.avi\r\n");
    writeFile("drop/D.PLS", "/m/never.avi\r\n");
    writeFile("drop/e.Avi", "");
    writeFile("drop/skip.txt", "");
    QDir(folder.path()).mkdir("empty");
    writeFile("single.avi", "");
    openWindow();
    window->List1->AddItem("/m/first.avi");

    const DragOutcome drop
        = dragAndDrop(window->List1->viewport(), *filesData({path("drop"), path("empty"), path("single.avi")}));
    EXPECT_TRUE(drop.dropped);
    EXPECT_EQ(window->List1->entries(),
              QStringList({"/m/first.avi", path("drop/a.avi"), path("drop/b.mpg"), "/m/1.avi", "/m/2.avi",
                           path("drop/D.PLS"), path("drop/e.Avi"), path("single.avi")}));
    EXPECT_EQ(window->File1->Path(), path("")) << "the browser stays where it was";
    EXPECT_TRUE(reporter.messages.isEmpty());
}

TEST_F(FileBrowserTest, UnreadablePlaylistsOfADropAreToldOnceAndTheRestIsAdded)
{
    writeFile("bad.pls", QByteArray(500, '\0'));
    writeFile("worse.pls", QByteArray(500, '\0'));
    writeFile("good.avi", "");
    openWindow();
    EXPECT_TRUE(
        dragAndDrop(window->List1->viewport(), *filesData({path("bad.pls"), path("good.avi"), path("worse.pls")}))
            .dropped);
    EXPECT_EQ(window->List1->entries(), QStringList({path("good.avi")}));
    ASSERT_EQ(reporter.messages.size(), 1);
    EXPECT_TRUE(reporter.messages[0].contains(path("bad.pls")));
    EXPECT_TRUE(reporter.messages[0].contains(path("worse.pls")));
}

TEST_F(FileBrowserTest, WebAddressesAndTextAreNotTakenByTheList)
{
    writeFile("film.avi", "");
    openWindow();
    QMimeData web;
    web.setUrls({QUrl("https://example.org/film.avi")});
    QMimeData text;
    text.setText(path("film.avi"));
    EXPECT_FALSE(dragAndDrop(window->List1->viewport(), web).entered);
    EXPECT_FALSE(dragAndDrop(window->List1->viewport(), text).entered);
    EXPECT_EQ(window->List1->ListCount(), 0);
}

TEST_F(FileBrowserTest, WriteTargetFollowsTheFolderShown)
{
    QDir(folder.path()).mkpath("films/new");
    openWindow();
    window->List1->AddItems({"/m/a.avi"});
    window->show();

    playlist::DirList *folders = window->Dir1;
    QTreeWidgetItem *films = folderItem(*folders, "films");
    ASSERT_NE(films, nullptr);
    QCoreApplication::processEvents();
    folders->scrollToItem(films);
    doubleClickAt(folders->viewport(), folders->visualItemRect(films).center());
    EXPECT_EQ(folders->Path(), path("films"));
    EXPECT_EQ(window->File1->Path(), path("films"));
    EXPECT_EQ(window->Text1->text(), path("films/Default.pls"));
    EXPECT_NE(folderItem(*folders, "new"), nullptr) << "its folders are listed";

    window->Command1->click();
    EXPECT_EQ(readFile(path("films/Default.pls")), "/m/a.avi\r\n");
    EXPECT_FALSE(QFile::exists(path("Default.pls"))) << "not in the folder shown at start";

    ASSERT_TRUE(folders->setPath(QDir::rootPath(), nullptr));
    EXPECT_EQ(window->Text1->text(), QDir::toNativeSeparators(QDir::rootPath()) + "Default.pls")
        << "a single separator after a root";
}

TEST_F(FileBrowserTest, ChangingTheDriveReturnsToItsFolder)
{
    QTemporaryDir other;
    const QString otherRoot = QFileInfo(other.path()).canonicalFilePath();
    QDir(otherRoot).mkdir("inner");
    openWindow();
    addDrive(*window, otherRoot);
    const QString startDrive = window->Drive1->Drive();
    EXPECT_EQ(startDrive, window->Drive1->driveOf(path("")));

    chooseDrive(*window, otherRoot);
    EXPECT_EQ(window->Dir1->Path(), otherRoot);
    EXPECT_EQ(window->File1->Path(), otherRoot);
    EXPECT_EQ(window->Text1->text(), otherRoot + "/Default.pls");

    ASSERT_TRUE(window->Dir1->setPath(otherRoot + "/inner", nullptr));
    chooseDrive(*window, startDrive);
    EXPECT_EQ(window->Dir1->Path(), path("")) << "back where the browser was on that drive";
    chooseDrive(*window, otherRoot);
    EXPECT_EQ(window->Dir1->Path(), otherRoot + "/inner");
    EXPECT_TRUE(reporter.messages.isEmpty());
}

TEST_F(FileBrowserTest, DriveNotReadyIsReportedAndTheBrowserStays)
{
    writeFile("a.avi", "");
    openWindow();
    const QString startDrive = window->Drive1->Drive();
    const QString missing = path("no-medium");
    addDrive(*window, missing);

    chooseDrive(*window, missing);
    ASSERT_EQ(reporter.messages.size(), 1);
    EXPECT_TRUE(reporter.messages[0].contains(missing)) << reporter.messages[0].toStdString();
    EXPECT_TRUE(reporter.messages[0].contains("not ready"));
    EXPECT_EQ(window->Drive1->Drive(), startDrive);
    EXPECT_EQ(window->Dir1->Path(), path(""));
    EXPECT_EQ(window->File1->ListCount(), 1);
    EXPECT_EQ(window->Text1->text(), path("Default.pls"));

    window->Command2->click();
    EXPECT_EQ(window->List1->entries(), QStringList({path("a.avi")})) << "still usable";
}

TEST_F(FileBrowserTest, VanishedFolderIsReportedAndTheBrowserStays)
{
    QDir(folder.path()).mkdir("gone");
    openWindow();
    playlist::DirList *folders = window->Dir1;
    QTreeWidgetItem *gone = folderItem(*folders, "gone");
    ASSERT_NE(gone, nullptr);
    folders->setCurrentItem(gone);
    // Gone before the list hears of it: opened straight away, with no event in between.
    ASSERT_TRUE(QDir(folder.path()).rmdir("gone"));
    QTest::keyClick(folders, Qt::Key_Return);
    ASSERT_EQ(reporter.messages.size(), 1);
    EXPECT_TRUE(reporter.messages[0].contains(path("gone")));
    EXPECT_EQ(folders->Path(), path(""));
    EXPECT_EQ(folderItem(*folders, "gone"), nullptr) << "the list is read afresh";
    EXPECT_EQ(window->Text1->text(), path("Default.pls"));
}

TEST_F(FileBrowserTest, ListsFollowFilesThatComeAndGo)
{
    openWindow();
    window->show();
    writeFile("new.avi", "");
    QDir(folder.path()).mkdir("newfolder");
    EXPECT_TRUE(waitFor([&] { return window->File1->ListCount() == 1 && folderItem(*window->Dir1, "newfolder"); }));
    window->File1->setCurrentRow(0);
    writeFile("another.avi", "");
    ASSERT_TRUE(waitFor([&] { return window->File1->ListCount() == 2; }));
    EXPECT_EQ(window->File1->FileName(), "new.avi") << "the selected file stays selected";
}

TEST(DriveListTest, ListsTheRootAndTheHomeFolder)
{
    QStringList roots = playlist::DriveList::availableRoots();
    ASSERT_FALSE(roots.isEmpty());
    EXPECT_EQ(roots.first(), QDir::toNativeSeparators(QDir::rootPath()));
    if (QDir::drives().size() == 1) {
        EXPECT_TRUE(roots.contains(QDir::toNativeSeparators(QDir::homePath())));
    }
    EXPECT_EQ(roots.removeDuplicates(), 0);
}
