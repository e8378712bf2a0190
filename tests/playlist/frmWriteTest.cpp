// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFixture.h"

#include "desktop/WaitFor.h"
#include "playlist/DirList.h"
#include "playlist/DriveList.h"
#include "playlist/FileList.h"
#include "playlist/ListBox.h"
#include "runtime/Units.h"

#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

using playlist::ListBox;

namespace {

using PlaylistWindowTest = WindowFixture;

// What the main window is asked to do, in order.
struct RequestLog {
    explicit RequestLog(frmWrite &window)
    {
        QObject::connect(
            &window, &frmWrite::stopAndRewindRequested, &window, [this] { requests.append("stop"); },
            Qt::DirectConnection);
        QObject::connect(
            &window, &frmWrite::playSelectedRequested, &window, [this] { requests.append("play"); },
            Qt::DirectConnection);
        QObject::connect(
            &window, &frmWrite::entryPlaying, &window,
            [this](const QString &entry) { requests.append("playing " + entry); }, Qt::DirectConnection);
    }

    QStringList requests;
};

QPoint rowCentre(const ListBox &list, int row)
{
    // Entries added to a shown list are laid out on the next pass of the event loop.
    QCoreApplication::processEvents();
    return list.visualItemRect(list.item(row)).center();
}

QRect twipsRect(int left, int top, int width, int height)
{
    using runtime::Units;
    return {Units::twipsToPixelsX(left), Units::twipsToPixelsY(top), Units::twipsToPixelsX(width),
            Units::twipsToPixelsY(height)};
}

} // namespace

TEST_F(PlaylistWindowTest, FaceComesFromTheFormFile)
{
    openWindow();
    const struct {
        QWidget *control;
        QRect geometry;
    } controls[] = {
        {window->Text1, twipsRect(60, 60, 5895, 285)},      {window->Command1, twipsRect(60, 420, 915, 255)},
        {window->Command2, twipsRect(1020, 420, 915, 255)}, {window->Label2, twipsRect(2100, 420, 3735, 255)},
        {window->Dir1, twipsRect(60, 720, 2415, 1065)},     {window->File1, twipsRect(2520, 720, 3435, 1080)},
        {window->Drive1, twipsRect(60, 1800, 2415, 285)},   {window->Text3, twipsRect(2520, 1800, 3435, 285)},
        {window->List1, twipsRect(60, 2100, 5895, 1380)},
    };
    for (const auto &c : controls)
        EXPECT_EQ(c.control->geometry(), c.geometry) << c.control->objectName().toStdString();
    EXPECT_EQ(window->size(), twipsRect(0, 0, 6000, 3525).size());

    EXPECT_EQ(window->windowTitle(), "  KAVEL Playlist");
    EXPECT_EQ(window->Command1->text(), "Write list");
    EXPECT_EQ(window->Command2->text(), "Add All");
    EXPECT_EQ(window->Label2->text(), "Double click to add a file or playlist to the current list");
    EXPECT_EQ(window->File1->Pattern(), "*.pls;*.avi;*.asf;*.mpg;*.mpeg;*.wmv;*.divx;*.dat");
    EXPECT_EQ(window->List1->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(window->Text4.text(), "Text4");
    EXPECT_FALSE(window->plscomm);
    EXPECT_EQ(window->Timer1->interval(), 500);
    EXPECT_EQ(window->Timer2->interval(), 500);
    EXPECT_TRUE(window->Timer1->isActive());
    EXPECT_TRUE(window->Timer2->isActive());
    EXPECT_FALSE(window->isVisible()) << "created hidden";

    const QStringList smallFonts = QFont::substitutes("Small Fonts");
    for (QWidget *list : {static_cast<QWidget *>(window->List1), static_cast<QWidget *>(window->Dir1),
                          static_cast<QWidget *>(window->File1), static_cast<QWidget *>(window->Drive1)}) {
        EXPECT_EQ(list->font().family(), "Small Fonts") << list->objectName().toStdString();
        EXPECT_TRUE(smallFonts.contains(QFontInfo(list->font()).family(), Qt::CaseInsensitive))
            << QFontInfo(list->font()).family().toStdString();
    }
    EXPECT_LE(QFontMetrics(window->Label2->font()).horizontalAdvance(window->Label2->text()), window->Label2->width())
        << "the hint is not cut off";

    ASSERT_NE(window->mnuRem, nullptr);
    ASSERT_NE(window->mnuClear, nullptr);
    ASSERT_NE(window->mnuClear2, nullptr);
    EXPECT_EQ(window->mnuRem->text(), "Remove");
    EXPECT_EQ(window->mnuClear->text(), "Clear");
    EXPECT_EQ(window->mnuClear2->text(), "Clear");
    EXPECT_EQ(window->mnuFile->actions(), QList<QAction *>({window->mnuRem, window->mnuClear}));
    EXPECT_EQ(window->mnuClr->actions(), QList<QAction *>({window->mnuClear2}));
}

TEST_F(PlaylistWindowTest, StartsOnTheCurrentFolderAndIsPlacedFromTheMainWindowHeight)
{
    openWindow();
    EXPECT_EQ(window->Dir1->Path(), path(""));
    EXPECT_EQ(window->File1->Path(), path(""));
    EXPECT_EQ(window->Text1->text(), path("Default.pls"));

    const QScreen *screen = QGuiApplication::primaryScreen();
    const int tppY = runtime::Units::twipsPerPixelY(screen);
    const int tppX = runtime::Units::twipsPerPixelX(screen);
    const double topTwips = 6000 - 44 * tppY + (screen->geometry().height() * tppY - window->height() * tppY) / 2.0;
    const double leftTwips = (screen->geometry().width() * tppX - window->width() * tppX) / 2.0;
    EXPECT_NEAR(window->y(), topTwips / tppY, 1.0);
    EXPECT_NEAR(window->x(), leftTwips / tppX, 1.0);

    frmWrite taller(9000);
    EXPECT_NEAR(taller.y() - window->y(), 3000.0 / tppY, 1.0) << "moves down with the main window's height";
}

TEST_F(PlaylistWindowTest, CommandLinePlaylistStartsItsFirstEntryAfterTheTimers)
{
    openWindow();
    QElapsedTimer sinceLoad;
    sinceLoad.start();
    RequestLog log(*window);
    const QString list = writeFile("films.pls", "/m/one.avi\r\n/m/two.avi\r\n");
    // What the main window does with a playlist on its command line.
    ASSERT_TRUE(window->appendPlaylistFile(list));
    window->show();
    window->Text4.setText("True");
    EXPECT_TRUE(window->plscomm);
    EXPECT_EQ(window->List1->SelCount(), 0) << "nothing selected yet";

    ASSERT_TRUE(waitFor([&] { return !log.requests.isEmpty(); }, 5000));
    EXPECT_GE(sinceLoad.elapsed(), 450) << "not before the first timer tick";
    EXPECT_EQ(log.requests, QStringList({"stop", "play", "playing /m/one.avi"}));
    EXPECT_EQ(window->List1->ListIndex(), 0);
    EXPECT_FALSE(window->Timer1->isActive()) << "selects the first entry once";
    EXPECT_FALSE(window->plscomm);
    EXPECT_EQ(window->windowTitle(), "  KAVEL Playlist:one.avi");
    EXPECT_EQ(window->Text3->text(), "one.avi");

    // A later selection by the user only names the entry.
    window->List1->setSelected(1, true);
    ASSERT_TRUE(waitFor([&] { return window->Text3->text() == "two.avi"; }, 5000));
    EXPECT_EQ(window->Text3->toolTip(), "two.avi");
    EXPECT_EQ(log.requests.size(), 3);

    // A second playlist while an entry is selected: that entry restarts on the next tick; no new selection.
    ASSERT_TRUE(window->appendPlaylistFile(list));
    window->plscomm = true;
    ASSERT_TRUE(waitFor([&] { return log.requests.size() == 6; }, 5000));
    EXPECT_EQ(log.requests.mid(3), QStringList({"stop", "play", "playing /m/two.avi"}));
    EXPECT_EQ(window->List1->ListIndex(), 1);
    EXPECT_EQ(window->List1->ListCount(), 4);
}

TEST_F(PlaylistWindowTest, Text4SignalsOnlyWithTrue)
{
    openWindow();
    window->Text4.setText("False");
    EXPECT_FALSE(window->plscomm);
    window->Text4.setText("True");
    EXPECT_TRUE(window->plscomm);
}

TEST_F(PlaylistWindowTest, DoubleClickPlaysTheEntryAndNamesIt)
{
    openWindow();
    RequestLog log(*window);
    window->show();
    window->List1->AddItems({"/m/films/one.avi", "", "C:\\films\\three.mpg"});
    ListBox *list = window->List1;

    doubleClickAt(list->viewport(), rowCentre(*list, 2));
    EXPECT_EQ(log.requests, QStringList({"stop", "play", "playing C:\\films\\three.mpg"}));
    EXPECT_EQ(window->windowTitle(), "  KAVEL Playlist:three.mpg");

    // An empty entry stops what plays; the main window then finds nothing to open.
    doubleClickAt(list->viewport(), rowCentre(*list, 1));
    EXPECT_EQ(log.requests.mid(3), QStringList({"stop", "play", "playing "}));
    EXPECT_EQ(window->windowTitle(), "  KAVEL Playlist:");

    list->setSelected(1, false);
    window->List1_dblclick();
    window->PlayinPlaylist();
    EXPECT_EQ(log.requests.size(), 6) << "nothing selected, nothing happens";
}

namespace {

// The style of desktops that open an item on a single click.
class SingleClickStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ItemView_ActivateItemOnSingleClick)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

TEST_F(PlaylistWindowTest, OnSingleClickDesktopsAClickOnlySelects)
{
    writeFile("clip.avi", "");
    openWindow();
    SingleClickStyle style;
    for (QWidget *view : std::initializer_list<QWidget *> {window->List1, window->File1, window->Dir1})
        view->setStyle(&style);
    RequestLog log(*window);
    window->show();
    ListBox *list = window->List1;
    list->AddItems({"/m/one.avi", "/m/two.avi"});
    ASSERT_TRUE(waitFor([&] { return !window->Timer1->isActive(); })) << "the first entry is selected first";

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(*list, 1));
    EXPECT_EQ(list->ListIndex(), 1);
    EXPECT_TRUE(waitFor([&] { return window->Text3->text() == "two.avi"; }, 2000)) << "Text3 follows the selection";
    EXPECT_TRUE(log.requests.isEmpty()) << "a single click plays nothing";

    const QList<QListWidgetItem *> files = window->File1->findItems("clip.avi", Qt::MatchExactly);
    ASSERT_EQ(files.size(), 1);
    QTest::mouseClick(window->File1->viewport(), Qt::LeftButton, {},
                      window->File1->visualItemRect(files.first()).center());
    EXPECT_EQ(list->ListCount(), 2) << "a single click in the file list adds nothing";

    doubleClickAt(list->viewport(), rowCentre(*list, 0));
    EXPECT_EQ(log.requests, QStringList({"stop", "play", "playing /m/one.avi"}));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(log.requests.size(), 6) << "Enter plays the entry too";
    for (QWidget *view : std::initializer_list<QWidget *> {window->List1, window->File1, window->Dir1})
        view->setStyle(nullptr);
}

TEST_F(PlaylistWindowTest, RightPressOffersRemoveAndClearAsTheSelectionAllows)
{
    openWindow();
    RequestLog log(*window);
    window->show();
    ListBox *list = window->List1;
    const auto rightPress = [list](QPoint at) {
        QTest::mousePress(list->viewport(), Qt::RightButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, at);
    };

    rightPress(QPoint(10, 10));
    EXPECT_FALSE(window->mnuFile->isVisible());
    EXPECT_FALSE(window->mnuClr->isVisible()) << "an empty list offers nothing";

    list->AddItems({"/m/a.avi", "/m/b.avi", "/m/c.avi"});
    rightPress(rowCentre(*list, 0));
    EXPECT_TRUE(window->mnuClr->isVisible()) << "no selection: only Clear";
    EXPECT_FALSE(window->mnuFile->isVisible());
    EXPECT_EQ(list->SelCount(), 0) << "the right press does not select";
    window->mnuClr->hide();

    list->setSelected(1, true);
    rightPress(rowCentre(*list, 2));
    EXPECT_TRUE(window->mnuFile->isVisible()) << "a selection: Remove and Clear";
    EXPECT_FALSE(window->mnuClr->isVisible());
    EXPECT_EQ(list->ListIndex(), 1);
    window->mnuRem->trigger();
    window->mnuFile->hide();
    EXPECT_EQ(list->entries(), QStringList({"/m/a.avi", "/m/c.avi"}));

    // The context-menu key reaches the same menus.
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5), list->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(list, &menuKey);
    EXPECT_TRUE(window->mnuClr->isVisible()) << "Remove took the selection with it";
    window->mnuClr->hide();

    window->mnuClear->trigger();
    EXPECT_EQ(list->ListCount(), 0);
    list->AddItem("/m/d.avi");
    window->mnuClear2->trigger();
    EXPECT_EQ(list->ListCount(), 0);
    EXPECT_TRUE(log.requests.isEmpty()) << "removing and clearing leave the playing media alone";
}

TEST_F(PlaylistWindowTest, WriteListWritesTheWholeListToText1)
{
    openWindow();
    window->List1->AddItems({QString::fromUtf8("/m/\xC3\xA9t\xC3\xA9.avi"), "", "/m/b.avi  "});
    window->Command1->click();
    EXPECT_EQ(readFile(path("Default.pls")), QByteArray("/m/\xC3\xA9t\xC3\xA9.avi\r\n\r\n/m/b.avi  \r\n"));

    const QStringList before = window->List1->entries();
    window->List1->Clear();
    ASSERT_TRUE(window->appendPlaylistFile(path("Default.pls")));
    EXPECT_EQ(window->List1->entries(), QStringList({before[0], "", "/m/b.avi"}));

    window->List1->Clear();
    window->Command1->click();
    EXPECT_EQ(readFile(path("Default.pls")), QByteArray()) << "an empty list writes an empty file";
    EXPECT_TRUE(reporter.messages.isEmpty());
}

TEST_F(PlaylistWindowTest, WriteListFailureIsReportedAndLosesNothing)
{
    openWindow();
    const QString good = writeFile("plain", "kept\r\n");
    window->List1->AddItems({"/m/a.avi", "/m/b.avi"});
    window->Text1->setText(good + "/Default.pls");
    window->Command1->click();
    ASSERT_EQ(reporter.messages.size(), 1);
    EXPECT_TRUE(reporter.messages[0].contains(good + "/Default.pls")) << reporter.messages[0].toStdString();
    EXPECT_EQ(window->List1->entries(), QStringList({"/m/a.avi", "/m/b.avi"}));
    EXPECT_EQ(readFile(good), "kept\r\n");
}

TEST_F(PlaylistWindowTest, UnreadablePlaylistFromTheMainWindowChangesNothingSilently)
{
    openWindow();
    window->List1->AddItems({"/m/a.avi"});
    QDir(folder.path()).mkdir("x.pls");
    EXPECT_FALSE(window->appendPlaylistFile(path("x.pls")));
    QString error;
    EXPECT_FALSE(window->appendPlaylistFile(path("missing.pls"), &error));
    EXPECT_TRUE(error.contains(path("missing.pls"))) << error.toStdString();
    EXPECT_FALSE(window->appendPlaylistFile(writeFile("garbage.pls", QByteArray(2000, '\x01'))));
    EXPECT_EQ(window->List1->entries(), QStringList({"/m/a.avi"}));
    EXPECT_TRUE(reporter.messages.isEmpty()) << "the caller decides whether to tell";

    ASSERT_TRUE(window->appendPlaylistFile(writeFile("more.pls", "/m/b.avi\r\n/m/a.avi\r\n")));
    EXPECT_EQ(window->List1->entries(), QStringList({"/m/a.avi", "/m/b.avi", "/m/a.avi"}))
        << "appended, not de-duplicated";
}

TEST_F(PlaylistWindowTest, SetFocusOnlyWhenShown)
{
    openWindow();
    window->SetFocus();
    EXPECT_FALSE(window->List1->hasFocus());
    window->show();
    window->activateWindow();
    ASSERT_TRUE(waitFor([&] { return window->isActiveWindow(); }, 5000));
    window->Text1->setFocus();
    window->SetFocus();
    EXPECT_TRUE(waitFor([&] { return window->List1->hasFocus(); }, 5000));
}
