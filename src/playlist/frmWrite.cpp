// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmWrite.h"

#include "DirList.h"
#include "DriveList.h"
#include "FileList.h"
#include "ListBox.h"
#include "PlaylistFile.h"
#include "runtime/FileDrop.h"
#include "runtime/FormControls.h"
#include "runtime/ListDblClick.h"
#include "runtime/MessageReporter.h"
#include "runtime/PathNames.h"
#include "runtime/Units.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

constexpr QLatin1String DefaultPlaylistName("Default.pls");
constexpr QLatin1String MessageTitle("KAVEL Playlist");

// The stand-in fonts are wider than the old system's; a caption that no longer
// fits its place gets a smaller size rather than losing its end.
void fitCaption(QLabel *label)
{
    QFont font = label->font();
    while (QFontMetrics(font).horizontalAdvance(label->text()) > label->contentsRect().width()
           && font.pointSizeF() > 6.0)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    label->setFont(font);
}

QAction *menuItem(const QMenu *menu, const QString &name)
{
    return menu->findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
}

} // namespace

frmWrite::frmWrite(int form1HeightTwips, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_reporter(&runtime::MessageReporter::modalBoxes())
    , m_folderWatcher(new QFileSystemWatcher(this))
{
    buildFromForm();

    connect(&Text4, &runtime::ChangeText::Change, this, &frmWrite::Text4_Change);
    connect(Text3, &QLineEdit::textChanged, Text3, &QLineEdit::setToolTip);
    connect(Command1, &QPushButton::clicked, this, &frmWrite::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmWrite::Command2_Click);
    connect(Drive1, &playlist::DriveList::Change, this, &frmWrite::Drive1_Change);
    connect(Dir1, &playlist::DirList::Change, this, &frmWrite::Dir1_Change);
    connect(Dir1, &playlist::DirList::pathRefused, this, &frmWrite::report);
    connect(File1, &playlist::FileList::DblClick, this, &frmWrite::File1_DblClick);
    connect(m_folderWatcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        Dir1->Refresh();
        File1->Refresh();
    });
    connect(new runtime::ListDblClick(List1), &runtime::ListDblClick::DblClick, this, &frmWrite::List1_dblclick);
    connect(new runtime::FileDrop(List1, runtime::FileDrop::Accepts::FilesAndFolders), &runtime::FileDrop::Dropped,
            this, &frmWrite::List1_OLEDragDrop);
    connect(List1, &playlist::ListBox::MouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, QPoint globalPos) {
                List1_MouseDown(button, globalPos);
            });
    connect(List1, &playlist::ListBox::contextMenuKey, this,
            [this](QPoint globalPos) { List1_MouseDown(Qt::RightButton, globalPos); });
    connect(mnuRem, &QAction::triggered, this, [this] { List1->RemoveItem(List1->ListIndex()); });
    connect(mnuClear, &QAction::triggered, List1, &playlist::ListBox::Clear);
    connect(mnuClear2, &QAction::triggered, List1, &playlist::ListBox::Clear);
    connect(Timer1, &QTimer::timeout, this, &frmWrite::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &frmWrite::Timer2_Timer);

    showStartFolder();
    placeWindow(form1HeightTwips);
}

void frmWrite::buildFromForm()
{
    QString userFormError;
    const runtime::FormObject form = runtime::loadForm(QStringLiteral("frmWrite"), &userFormError);
    if (!userFormError.isEmpty())
        report(userFormError);

    const runtime::FaceBuilder face(form);
    face.applyWindowProperties(this);
    setFixedSize(face.clientSize(6000, 3525));
    const auto text = [&face](const QString &name) {
        return face.text(name, QStringLiteral("Text"));
    };
    const auto caption = [&face](const QString &name) {
        return face.text(name, QStringLiteral("Caption"));
    };

    Text1 = face.place(new QLineEdit(text(QStringLiteral("Text1")), this), QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Playlist file"));
    Command1 = face.place(new QPushButton(caption(QStringLiteral("Command1")), this), QStringLiteral("Command1"));
    Command2 = face.place(new QPushButton(caption(QStringLiteral("Command2")), this), QStringLiteral("Command2"));
    Label2 = face.place(new QLabel(caption(QStringLiteral("Label2")), this), QStringLiteral("Label2"));
    fitCaption(Label2);
    Dir1 = face.place(new playlist::DirList(this), QStringLiteral("Dir1"));
    Dir1->setAccessibleName(QStringLiteral("Folders"));
    File1 = face.place(new playlist::FileList(this), QStringLiteral("File1"));
    File1->setAccessibleName(QStringLiteral("Files"));
    File1->setPattern(face.text(QStringLiteral("File1"), QStringLiteral("Pattern")));
    Drive1 = face.place(new playlist::DriveList(this), QStringLiteral("Drive1"));
    Drive1->setAccessibleName(QStringLiteral("Drives"));
    Text3 = face.place(new QLineEdit(text(QStringLiteral("Text3")), this), QStringLiteral("Text3"));
    Text3->setAccessibleName(QStringLiteral("Selected entry"));
    List1 = face.place(new playlist::ListBox(this), QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("Playlist"));

    Timer1 = face.timer(QStringLiteral("Timer1"), this);
    Timer2 = face.timer(QStringLiteral("Timer2"), this);

    mnuFile = face.menu(QStringLiteral("mnuFile"), this);
    mnuRem = menuItem(mnuFile, QStringLiteral("mnuRem"));
    mnuClear = menuItem(mnuFile, QStringLiteral("mnuClear"));
    mnuClr = face.menu(QStringLiteral("mnuClr"), this);
    mnuClear2 = menuItem(mnuClr, QStringLiteral("mnuClear2"));
}

void frmWrite::placeWindow(int form1HeightTwips)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int twipsPerPixelX = runtime::Units::twipsPerPixelX(screen);
    const int twipsPerPixelY = runtime::Units::twipsPerPixelY(screen);
    const QRect frame = frameGeometry();
    // Computed in single precision, as the window's Top and Left are.
    const float top = float(form1HeightTwips) - 44.0f * float(twipsPerPixelY)
        + (float(area.height() * twipsPerPixelY) - float(frame.height() * twipsPerPixelY)) / 2.0f;
    const float left = (float(area.width() * twipsPerPixelX) - float(frame.width() * twipsPerPixelX)) / 2.0f;
    move(area.x() + runtime::Units::twipsToPixelsX(left, screen),
         area.y() + runtime::Units::twipsToPixelsY(top, screen));
}

void frmWrite::showStartFolder()
{
    // The browser opens on the current folder (which names the write target);
    // should that be gone, somewhere that is not.
    for (const QString &folder : {QDir::currentPath(), QDir::homePath(), QDir::rootPath()}) {
        if (Dir1->setPath(folder, nullptr))
            break;
    }
}

bool frmWrite::appendPlaylistFile(const QString &path, QString *error)
{
    const playlist::PlaylistReadResult result = playlist::readPlaylist(path);
    if (result.ok)
        List1->AddItems(result.entries);
    else if (error)
        *error = result.error;
    return result.ok;
}

void frmWrite::List1_dblclick()
{
    PlayinPlaylist();
}

void frmWrite::PlayinPlaylist()
{
    // One entry at most is selected.
    if (List1->ListIndex() < 0)
        return;
    Q_EMIT stopAndRewindRequested();
    Q_EMIT playSelectedRequested();
    const QString entry = List1->Text();
    Q_EMIT entryPlaying(entry);
    setPlayingCaption(entry);
}

void frmWrite::setPlayingCaption(const QString &entry)
{
    setWindowTitle(QStringLiteral("  KAVEL Playlist:") + runtime::FileNameOnly(entry));
}

void frmWrite::SetFocus()
{
    if (!isVisible())
        return;
    activateWindow();
    List1->setFocus();
}

void frmWrite::setMessageReporter(runtime::MessageReporter *reporter)
{
    m_reporter = reporter;
}

void frmWrite::Command1_Click()
{
    QString error;
    if (!playlist::writePlaylist(Text1->text(), List1->entries(), &error))
        report(error);
}

void frmWrite::Command2_Click()
{
    if (File1->ListCount() == 0)
        return;
    QStringList names;
    for (int i = 0; i < File1->ListCount(); ++i)
        names += File1->List(i);
    Additions additions;
    collectFolder(File1->Path(), names, additions);
    append(additions);
}

void frmWrite::Drive1_Change()
{
    const QString drive = Drive1->Drive();
    const QString remembered = m_driveFolders.value(drive, drive);
    QString error;
    if (Dir1->setPath(remembered, &error))
        return;
    // The folder last shown there may be gone while the drive itself is still there.
    if (remembered != drive && Dir1->setPath(drive, &error))
        return;
    Drive1->showDriveOf(Dir1->Path());
    report(QStringLiteral("The drive \"%1\" is not ready.\n%2").arg(drive, error));
}

void frmWrite::Dir1_Change()
{
    if (const QStringList watched = m_folderWatcher->directories(); !watched.isEmpty())
        m_folderWatcher->removePaths(watched);
    m_folderWatcher->addPath(Dir1->Path());
    File1->setPath(Dir1->Path());
    Text1->setText(runtime::joinPath(File1->Path(), DefaultPlaylistName));
    Drive1->showDriveOf(Dir1->Path());
    m_driveFolders.insert(Drive1->driveOf(Dir1->Path()), Dir1->Path());
}

void frmWrite::File1_DblClick()
{
    Additions additions;
    collectFile(runtime::joinPath(File1->Path(), File1->FileName()), additions);
    append(additions);
}

void frmWrite::List1_OLEDragDrop(const QStringList &paths)
{
    Additions additions;
    for (const QString &path : paths) {
        if (QFileInfo(path).isDir())
            collectFolder(path, playlist::FileList::matchingFiles(path, File1->Pattern()), additions);
        else
            collectFile(path, additions);
    }
    append(additions);
}

void frmWrite::collectFile(const QString &path, Additions &into)
{
    FileName = path;
    if (playlist::isBrowserMediaName(FileName)) {
        into.entries += FileName;
        return;
    }
    if (playlist::isBrowserPlaylistName(FileName))
        collectPlaylist(FileName, into);
}

void frmWrite::collectFolder(const QString &folder, const QStringList &names, Additions &into)
{
    for (const QString &name : names) {
        FileName = runtime::joinPath(folder, name);
        if (playlist::isAddAllPlaylistName(FileName))
            collectPlaylist(FileName, into);
        if (!FileName.endsWith(QStringLiteral(".pls"), Qt::CaseSensitive))
            into.entries += FileName;
    }
}

void frmWrite::collectPlaylist(const QString &path, Additions &into)
{
    const playlist::PlaylistReadResult result = playlist::readPlaylist(path);
    if (result.ok)
        into.entries += result.entries;
    else
        into.failures += result.error;
}

void frmWrite::append(const Additions &additions)
{
    List1->AddItems(additions.entries);
    if (!additions.failures.isEmpty())
        report(additions.failures.join(u'\n'));
}

void frmWrite::List1_MouseDown(Qt::MouseButton button, QPoint globalPos)
{
    if (button != Qt::RightButton || List1->ListCount() == 0)
        return;
    (List1->SelCount() == 0 ? mnuClr : mnuFile)->popup(globalPos);
}

void frmWrite::Timer1_Timer()
{
    if (List1->ListCount() == 0)
        return;
    if (isVisible())
        List1->setFocus();
    List1->setSelected(0, true);
    Timer1->stop();
}

void frmWrite::Timer2_Timer()
{
    if (List1->SelCount() != 1)
        return;
    Text3->setText(runtime::FileNameOnly(List1->Text()));
    if (plscomm) {
        PlayinPlaylist();
        plscomm = false;
    }
}

void frmWrite::Text4_Change()
{
    if (Text4.text() == QStringLiteral("True"))
        plscomm = true;
}

void frmWrite::report(const QString &message)
{
    m_reporter->showMessage(this, MessageTitle, message, runtime::MessageReporter::Icon::Warning);
}
