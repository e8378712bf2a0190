// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CommonDialog.h"

#include "QtPrinters.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QString PlayerFilter = QStringLiteral(
    "Supported Media Files|*.avi;*.asf;*.mpg;*.mpeg;*.wmv;*.divx;*.dat;*.pls|Divx/Avi files (divx avi)|*.avi;*.divx|"
    "Mpeg/MPG/Dat files (mpg mpeg dat)|*.mpg;*.mpeg;*.dat|Windows Media files (asf wmv)|*.asf;*.wmv|"
    "Playlist Files (pls)|*.pls");

// Runs action on the modal widget of type T as soon as it shows; the modal call
// that shows it is made right after this returns.
template<typename T> void whenShown(std::function<void(T *)> action)
{
    auto *timer = new QTimer;
    auto deadline = std::make_shared<QDeadlineTimer>(10000);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, action] {
        auto *widget = qobject_cast<T *>(QApplication::activeModalWidget());
        if (widget && widget->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(widget);
        } else if (deadline->hasExpired()) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal dialog showed";
        }
    });
    timer->start(10);
}

// The entry the list of file types shows. Asked of the list itself: what selectedNameFilter()
// returns where the patterns are hidden differs between Qt 6.4 (the shown text) and 6.8 (the
// whole filter).
QString shownNameFilter(QFileDialog *dialog)
{
    const auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
    return types ? types->currentText() : QString();
}

// As the user types it: a selection made in the list could still be undone by
// the list's own filtering, which runs in the background.
void typeFileName(QFileDialog *dialog, const QString &name)
{
    auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setText(name);
}

// As the dialog's own button does: the dialog checks the choice before it closes.
void acceptDialog(QFileDialog *dialog)
{
    static_cast<QDialog *>(dialog)->accept();
}

void acceptFile(const QString &path, QString *nameFilterShown = nullptr, QString *titleShown = nullptr,
                QString *directoryShown = nullptr)
{
    whenShown<QFileDialog>([=](QFileDialog *dialog) {
        if (nameFilterShown)
            *nameFilterShown = shownNameFilter(dialog);
        if (titleShown)
            *titleShown = dialog->windowTitle();
        if (directoryShown)
            *directoryShown = dialog->directory().absolutePath();
        // A different entry chosen this time must not carry over to the next dialog.
        if (dialog->nameFilters().size() > 2)
            dialog->selectNameFilter(dialog->nameFilters().at(2));
        typeFileName(dialog, path);
        acceptDialog(dialog);
    });
}

void cancel(QStringList *selectionShown = nullptr)
{
    whenShown<QFileDialog>([=](QFileDialog *dialog) {
        if (selectionShown)
            *selectionShown = dialog->selectedFiles();
        dialog->reject();
    });
}

QString makeFile(const QString &folder, const QString &name)
{
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
    file.write("x");
    return path;
}

struct FilterCase {
    const char *set;
    const char *readBack;
    QStringList listed;
};

} // namespace

TEST(CommonDialog, FilterReadsBackAndListsEntries)
{
    const FilterCase cases[] = {
        {"Text|*.txt", "Text|*.txt", {"Text (*.txt)"}},
        {"Text|*.txt|", "Text|*.txt", {"Text (*.txt)"}},
        {"Text|*.txt|||", "Text|*.txt", {"Text (*.txt)"}},
        {"", "", {}},
        {"All files|*.*", "All files|*.*", {"All files (*)"}},
        {"Two|*.a ; *.b;", "Two|*.a ; *.b;", {"Two (*.a *.b)"}},
        {"A|*.a|B", "A|*.a|B", {"A (*.a)"}},
        // an empty text ends the list, as the stored form's double NUL does
        {"A|*.a||B|*.b", "A|*.a||B|*.b", {"A (*.a)"}},
    };
    for (const FilterCase &c : cases) {
        CommonDialog dialog;
        dialog.setFilter(QString::fromUtf8(c.set));
        EXPECT_EQ(dialog.Filter(), QString::fromUtf8(c.readBack)) << c.set;
        EXPECT_EQ(dialog.nameFilters(), c.listed) << c.set;
    }

    CommonDialog player;
    player.setFilter(PlayerFilter);
    EXPECT_EQ(player.Filter(), PlayerFilter);
    EXPECT_EQ(player.nameFilters(),
              QStringList({"Supported Media Files (*.avi *.asf *.mpg *.mpeg *.wmv *.divx *.dat *.pls)",
                           "Divx/Avi files (divx avi) (*.avi *.divx)",
                           "Mpeg/MPG/Dat files (mpg mpeg dat) (*.mpg *.mpeg *.dat)",
                           "Windows Media files (asf wmv) (*.asf *.wmv)", "Playlist Files (pls) (*.pls)"}));
}

TEST(CommonDialog, TextPropertiesAndBuffers)
{
    CommonDialog dialog;
    EXPECT_EQ(dialog.DefaultExt(), "txt");
    EXPECT_EQ(dialog.FileName(), "");
    EXPECT_EQ(dialog.FileTitle(), QString(CommonDialog::FileTitleBufferSize, QChar(u'\0')));
    EXPECT_EQ(dialog.DialogTitle(), "");
    EXPECT_EQ(dialog.InitDir(), "");

    const struct {
        const char *set;
        const char *get;
    } extensions[] = {{".avi", "avi"}, {"t.a.r", "tar"}, {"...", ""}, {"pls", "pls"}};
    for (const auto &e : extensions) {
        dialog.setDefaultExt(QString::fromUtf8(e.set));
        EXPECT_EQ(dialog.DefaultExt(), QString::fromUtf8(e.get)) << e.set;
    }

    dialog.setDialogTitle(QString::fromUtf8("Choose\0 media", 13));
    EXPECT_EQ(dialog.DialogTitle(), "Choose media");
    dialog.setInitDir("/home/user/Videos");
    EXPECT_EQ(dialog.InitDir(), "/home/user/Videos");
    dialog.setFileTitle("clip.avi");
    EXPECT_EQ(dialog.FileTitle(), "clip.avi");
}

TEST(CommonDialog, FileNameEmptiesOnRead)
{
    CommonDialog dialog;
    dialog.setFileName("/media/film ä.avi");
    EXPECT_EQ(dialog.FileName(), "/media/film ä.avi");
    EXPECT_EQ(dialog.FileName(), "");

    // Longer than the buffer: kept whole, never cut into another file's name.
    const QString longName = QLatin1Char('/') + QString(1500, u'x') + QLatin1String(".avi");
    dialog.setFileName(longName);
    EXPECT_EQ(dialog.FileName(), longName);
    EXPECT_EQ(dialog.FileName(), "");
}

TEST(CommonDialog, ShowOpenReturnsTheChosenPathIntact)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path
        = makeFile(folder.filePath("Mes films"), QStringLiteral("Film mit Leerzeichen – äöü 日本語.avi"));

    CommonDialog dialog;
    dialog.setFilter(PlayerFilter);
    dialog.setDialogTitle("Choose media to play");
    dialog.setInitDir(folder.path());
    QString filterShown, titleShown, directoryShown;
    acceptFile(path, &filterShown, &titleShown, &directoryShown);
    dialog.ShowOpen();

    EXPECT_EQ(titleShown, "Choose media to play");
    EXPECT_EQ(directoryShown, QDir(folder.path()).absolutePath());
    EXPECT_EQ(filterShown, "Supported Media Files");
    EXPECT_EQ(dialog.FileTitle().left(dialog.FileTitle().indexOf(QChar(u'\0'))), QFileInfo(path).fileName());
    EXPECT_EQ(dialog.FileTitle().size(), CommonDialog::FileTitleBufferSize);
    EXPECT_EQ(dialog.FileName(), path);
    EXPECT_EQ(dialog.FileName(), "");

    // The previous dialog chose the third entry; the next one starts at the first again.
    const QString other = makeFile(folder.path(), "other.mpg");
    filterShown.clear();
    acceptFile(other, &filterShown);
    dialog.ShowOpen();
    EXPECT_EQ(filterShown, "Supported Media Files");
    EXPECT_EQ(dialog.FileName(), other);
}

TEST(CommonDialog, ShowOpenKeepsAPathLongerThanTheBuffer)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QString deep = folder.path();
    while (deep.size() < CommonDialog::FileBufferSize + 100)
        deep += QLatin1Char('/') + QString(200, u'd');
    const QString path = makeFile(deep, "clip.avi");
    ASSERT_TRUE(QFileInfo::exists(path));

    CommonDialog dialog;
    acceptFile(path);
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName(), path);
}

TEST(CommonDialog, CancelLeavesTheBufferAsItWas)
{
    CommonDialog dialog;
    cancel();
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName(), "");

    QTemporaryDir folder;
    const QString preset = makeFile(folder.path(), "preset.avi");
    dialog.setFileName(preset);
    QStringList offered;
    cancel(&offered);
    dialog.ShowOpen();
    EXPECT_EQ(offered, QStringList {preset});
    EXPECT_EQ(dialog.FileName(), preset);
}

TEST(CommonDialog, ShowSaveAddsDefaultExtAndAsksBeforeReplacing)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    CommonDialog dialog;
    dialog.setInitDir(folder.path());

    whenShown<QFileDialog>([](QFileDialog *fileDialog) {
        typeFileName(fileDialog, "notes");
        acceptDialog(fileDialog);
    });
    dialog.ShowSave();
    EXPECT_EQ(dialog.FileName(), QDir(folder.path()).filePath("notes.txt"));

    const QString existing = makeFile(folder.path(), "list.pls");
    bool asked = false;
    bool stillOpenAfterNo = false;
    whenShown<QFileDialog>([&](QFileDialog *fileDialog) {
        whenShown<QMessageBox>([&](QMessageBox *box) {
            asked = true;
            box->button(QMessageBox::No)->click();
        });
        typeFileName(fileDialog, existing);
        acceptDialog(fileDialog);
        stillOpenAfterNo = fileDialog->isVisible();
        whenShown<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
        acceptDialog(fileDialog);
    });
    dialog.ShowSave();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(stillOpenAfterNo);
    EXPECT_EQ(dialog.FileName(), existing);
}

TEST(CommonDialog, GetFolderName)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString chosen = QDir(folder.path()).filePath("Vidéos à voir");
    ASSERT_TRUE(QDir().mkpath(chosen));

    CommonDialog dialog;
    QString titleShown;
    whenShown<QFileDialog>([&](QFileDialog *fileDialog) {
        titleShown = fileDialog->windowTitle();
        fileDialog->setDirectory(chosen); // opened, then "Choose"
        acceptDialog(fileDialog);
    });
    EXPECT_EQ(dialog.GetFolderName("Pick a folder"), chosen);
    EXPECT_EQ(titleShown, "Pick a folder");

    cancel();
    EXPECT_EQ(dialog.GetFolderName("Pick a folder"), "");
}
