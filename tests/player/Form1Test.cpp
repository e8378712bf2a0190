// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDialogDriver.h"
#include "Form1Fixture.h"
#include "QtPrinters.h"
#include "desktop/WaitFor.h"

#include "controls/ButtonEx/ButtonEx.h"
#include "controls/dtVisualScrollBar/dtVisualScrollBar.h"
#include "runtime/GraphicalButton.h"

#include <QScreen>
#include <QSignalSpy>
#include <QTest>

using Form1Test = Form1Fixture;

TEST_F(Form1Test, FaceStandsAtItsDesignPlaces)
{
    load();
    const int W = form->width();
    const int H = form->height();
    EXPECT_GE(W, 408);
    EXPECT_GE(H, 374);
    const struct {
        QWidget *widget;
        QRect place;
    } places[] = {
        {form->ButtonEx5, {12, 0, 13, 13}},     {form->ButtonEx4, {24, 0, 13, 13}},
        {form->Label1, {39, 0, W - 80, 13}},    {form->ButtonEx1, {W - 39, 0, 13, 13}},
        {form->ButtonEx2, {W - 26, 0, 13, 13}}, {form->ButtonEx3, {W - 13, 0, 13, 13}},
        {form->Command3, {4, 16, 27, 23}},      {form->ButtonEx7, {32, 16, 27, 23}},
        {form->Command4, {60, 16, 27, 23}},     {form->Command1, {88, 16, 27, 23}},
        {form->Command2, {116, 16, 27, 23}},    {form->ButtonEx6, {144, 16, 27, 23}},
        {form->Label3, {176, 14, 42, 14}},      {form->Label4, {228, 14, 42, 14}},
        {form->Label5, {272, 14, 58, 14}},      {form->H1, {180, 28, W - 178, 7}},
        {form->V1, {W - 66, 16, 69, 7}},        {form->Picture1, {0, 40, W, H - 40}},
    };
    for (const auto &p : places)
        EXPECT_EQ(p.widget->geometry(), p.place) << p.widget->objectName().toStdString();

    EXPECT_EQ(form->Label1->Caption(), QStringLiteral("KAVEL Player"));
    EXPECT_EQ(form->Label3->Caption(), QStringLiteral("00:00:00"));
    EXPECT_EQ(form->Label4->Caption(), QStringLiteral("00:00:00"));
    EXPECT_EQ(form->Label5->Caption(), QString());
    EXPECT_EQ(form->Text4.text(), QString());
    EXPECT_FALSE(form->windowIcon().isNull());
    EXPECT_EQ(form->Timer1.interval(), 10);
    EXPECT_FALSE(form->Timer1.isActive()) << "the clock rests while there is no graph";
}

TEST_F(Form1Test, PictureButtonsAreNamedByTheirToolTips)
{
    const struct {
        runtime::GraphicalButton *button;
        const char *name;
    } buttons[] = {{form->Command3, "Open File"}, {form->ButtonEx7, "Previous"}, {form->Command4, "Pause"},
                   {form->Command1, "Play"},      {form->Command2, "Stop"},      {form->ButtonEx6, "Next"}};
    for (const auto &b : buttons) {
        EXPECT_EQ(b.button->toolTip().toStdString(), b.name);
        EXPECT_EQ(b.button->accessibleName().toStdString(), b.name);
    }
    EXPECT_EQ(form->H1->toolTip(), QStringLiteral("Seek"));
    EXPECT_EQ(form->V1->toolTip(), QStringLiteral("Volume"));
}

TEST_F(Form1Test, WindowEndsCentredOnTheScreen)
{
    load();
    const QRect screen = form->screen()->geometry();
    EXPECT_NEAR(form->x(), screen.x() + (screen.width() - form->width()) / 2, 1);
    EXPECT_NEAR(form->y(), screen.y() + (screen.height() - form->height()) / 2, 1);
}

TEST_F(Form1Test, CommandLineMediaPlaysAtOnceWithQuotesRemoved)
{
    load(QStringLiteral("\"/films/my clip.avi\""));
    EXPECT_EQ(form->CurrentFile, QStringLiteral("/films/my clip.avi"));
    EXPECT_EQ(
        callsOf(1),
        (QStringList {QStringLiteral("RenderFile /films/my clip.avi"), QStringLiteral("Volume 0"),
                      QStringLiteral("Balance 0"), QStringLiteral("WindowStyle 0"), QStringLiteral("Owner Picture1"),
                      callsOf(1).value(5), QStringLiteral("Run"), QStringLiteral("CurrentPosition 0")}));
    EXPECT_TRUE(callsOf(1).value(5).startsWith(QStringLiteral("SetWindowPosition")));
    EXPECT_EQ(form->Label5->Caption(), QStringLiteral("640x480"));
    EXPECT_EQ(form->Label4->Caption(), QStringLiteral("00:01:35"));
    EXPECT_EQ(form->H1->Max(), 95);
    EXPECT_EQ(form->H1->SmallChange(), 10); // 9.5 rounds to even
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(Form1Test, TheClockTicksAfterEachChangeOfTheGraphOrTheBarAndRestsOtherwise)
{
    load(QStringLiteral("/films/one.avi"));
    const auto graph = graphs.last.lock();
    ASSERT_EQ(graph->state, MediaGraph::GraphState::Running);
    ASSERT_TRUE(waitFor([&] { return !form->Timer1.isActive(); })) << "the clock ticks with nothing to read";

    graph->reach(30.0);
    ASSERT_TRUE(waitFor([&] { return form->Label3->Caption() == QStringLiteral("00:00:30"); }));
    EXPECT_TRUE(waitFor([&] { return !form->Timer1.isActive(); }));
    // Resting means no ticks at all, queued ones included.
    const QSignalSpy ticks(form.get(), &Form1::clockTicked);
    QTest::qWait(10 * form->Timer1.interval());
    EXPECT_EQ(ticks.count(), 0);

    // The tick puts a bar the user moved without a seek back where the graph is.
    form->H1->setValue(70);
    ASSERT_TRUE(waitFor([&] { return form->H1->Value() == 30; }));

    // A change a beat after the last tick is read in the same turn of the event loop.
    QTest::qWait(2 * form->Timer1.interval());
    graph->reach(35.0);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(form->Label3->Caption(), QStringLiteral("00:00:35"));

    form->CleanUp();
    graph->reach(40.0);
    EXPECT_FALSE(form->Timer1.isActive()) << "the clock ticks without a graph";
}

TEST_F(Form1Test, TheClockDoesNotTickWhileAFileOpens)
{
    load(QStringLiteral("/films/one.avi"));
    graphs.next.loadMs = 300;
    const QSignalSpy ticks(form.get(), &Form1::clockTicked);
    form->openFile(QStringLiteral("/films/slow.avi"));
    // Nothing it could read changed while the file opened: the opened file is read once.
    EXPECT_LE(ticks.count(), 1);
    ASSERT_TRUE(waitFor([&] { return form->Label4->Caption() == QStringLiteral("00:01:35"); }));
}

TEST_F(Form1Test, AnEntryAskedForWhileAFileOpensChangesNothing)
{
    load();
    form->playlistWindow().List1->AddItems({QStringLiteral("/films/entry.avi")});
    form->playlistWindow().List1->setSelected(0, true);
    graphs.next.loadMs = 300;
    QTimer::singleShot(100, form.get(), [this] { form->LoadPLFile(); });
    form->openFile(QStringLiteral("/films/slow.avi"));
    EXPECT_EQ(form->CurrentFile, QStringLiteral("/films/slow.avi"));
    EXPECT_EQ(rendered(), QStringList {QStringLiteral("/films/slow.avi")});
}

TEST_F(Form1Test, EmptyCommandLineOpensNothing)
{
    load();
    EXPECT_TRUE(graphs.log.isEmpty());
    EXPECT_FALSE(form->MediaControl);
}

TEST_F(Form1Test, VideoIsFittedIntoThePictureBox)
{
    graphs.next.width = 720;
    graphs.next.height = 576;
    load(QStringLiteral("/films/pal.mpg"));
    form->resize(408, 374);
    const auto graph = graphs.last.lock();
    ASSERT_TRUE(graph);
    EXPECT_EQ(form->Picture1->size(), QSize(408, 334));
    EXPECT_EQ(graph->windowPosition, QRect(0, 4, 408, 326));
    form->resize(800, 400);
    EXPECT_EQ(form->Picture1->size(), QSize(800, 360));
    EXPECT_EQ(graph->windowPosition, QRect(175, 0, 450, 360));
}

TEST_F(Form1Test, NewFileReleasesThePreviousGraphFirst)
{
    load(QStringLiteral("/films/one.avi"));
    form->CurrentFile = QStringLiteral("/films/two.avi");
    form->LoadCommFile();
    const qsizetype released = graphs.log.indexOf(QStringLiteral("#1 released"));
    const qsizetype rendered = graphs.log.indexOf(QStringLiteral("#2 RenderFile /films/two.avi"));
    ASSERT_GE(released, 0);
    EXPECT_LT(released, rendered);
}

TEST_F(Form1Test, FileThatCannotBeRenderedKeepsTheLabelsAndDropsThePreviousMedia)
{
    load(QStringLiteral("/films/one.avi"));
    graphs.next = FakeMedia {false, 12.0, 320, 240};
    form->CurrentFile = QStringLiteral("/films/broken.avi");
    form->LoadCommFile();
    EXPECT_TRUE(graphs.log.contains(QStringLiteral("#1 released")));
    EXPECT_EQ(form->Label5->Caption(), QStringLiteral("640x480"));
    EXPECT_EQ(form->Label4->Caption(), QStringLiteral("00:01:35"));
    EXPECT_EQ(form->H1->Max(), 95);
    EXPECT_EQ(form->VideoWidth, 640);
    EXPECT_TRUE(messages.messages.isEmpty());
    // The failing steps were skipped, not the sequence.
    EXPECT_TRUE(callsOf(2).contains(QStringLiteral("Run")));
    EXPECT_TRUE(callsOf(2).contains(QStringLiteral("CurrentPosition 0")));
}

TEST_F(Form1Test, AudioOnlyFileKeepsThePreviousVideoSize)
{
    load(QStringLiteral("/films/one.avi"));
    graphs.next = FakeMedia {true, 30.0, std::nullopt, std::nullopt};
    form->CurrentFile = QStringLiteral("/music/song.wmv");
    form->LoadCommFile();
    EXPECT_EQ(form->Label5->Caption(), QStringLiteral("640x480"));
    EXPECT_EQ(form->Label4->Caption(), QStringLiteral("00:00:30"));
    EXPECT_EQ(form->H1->Max(), 30);
}

TEST_F(Form1Test, ShortMediaMeetTheBarsOwnValidation)
{
    graphs.next.duration = 5.0;
    load(QStringLiteral("/films/five.avi"));
    EXPECT_EQ(form->H1->Max(), 5);
    EXPECT_EQ(form->H1->SmallChange(), 1);
    EXPECT_EQ(messages.messages, QStringList {QStringLiteral("Invalid property value")});

    messages.messages.clear();
    graphs.next.duration = 0.4;
    form->CurrentFile = QStringLiteral("/films/blink.avi");
    form->LoadCommFile();
    EXPECT_EQ(form->H1->Max(), 5);
    EXPECT_TRUE(messages.messages.contains(
        QStringLiteral("Invalid property value. Max property must be larger than Min property.")));
    EXPECT_TRUE(callsOf(2).contains(QStringLiteral("Run")));
}

TEST_F(Form1Test, TitleFollowsTheEntryBeingPlayed)
{
    load(QStringLiteral("/films/one.avi"));
    EXPECT_EQ(form->Label1->Caption(), QStringLiteral("KAVEL Player"));
    form->Text4.setText(QStringLiteral("/films/one.avi"));
    EXPECT_EQ(form->Label1->Caption(), QStringLiteral("KAVEL Player :one.avi"));
    EXPECT_EQ(form->Label1->toolTip(), QStringLiteral("/films/one.avi"));
}

TEST_F(Form1Test, ClockWritesElapsedAndRemainingTimes)
{
    load(QStringLiteral("/films/one.avi"));
    const auto graph = graphs.last.lock();
    graph->reach(59.6);
    ASSERT_TRUE(waitFor([&] { return form->Label3->Caption() == QStringLiteral("00:00:59"); }));
    EXPECT_EQ(form->H1->Value(), 60);
    EXPECT_EQ(form->Text1.text(), QStringLiteral("00:00:35"));
}

TEST_F(Form1Test, EndOfASingleFileStopsAndRewinds)
{
    load(QStringLiteral("/films/one.avi"));
    const auto graph = graphs.last.lock();
    graphs.log.clear();
    graph->reach(95.0);
    ASSERT_TRUE(waitFor([&] { return graphs.log.contains(QStringLiteral("#1 Stop")); }));
    EXPECT_TRUE(graphs.log.contains(QStringLiteral("#1 CurrentPosition 0")));
    EXPECT_EQ(graph->position, 0);
    // The tick after the rewind is the one that would move on to a next entry.
    ASSERT_TRUE(waitFor([&] { return form->Text1.text() == QStringLiteral("00:01:35"); }));
    EXPECT_EQ(callsOf(2), QStringList()) << "no playlist entry is selected: nothing else is opened";
    EXPECT_TRUE(form->MediaControl);
}

TEST_F(Form1Test, NewFilePlaysAtTheBarsVolumeAndBalance)
{
    load(QStringLiteral("/films/one.avi"));
    form->V1->setValue(-2000);
    Q_EMIT form->V1->Scroll();
    form->CurrentFile = QStringLiteral("/films/two.avi");
    form->LoadCommFile();
    const QStringList calls = callsOf(2);
    const qsizetype rendered = calls.indexOf(QStringLiteral("RenderFile /films/two.avi"));
    ASSERT_GE(rendered, 0);
    EXPECT_GT(calls.indexOf(QStringLiteral("Volume -2000")), rendered);
    EXPECT_GT(calls.indexOf(QStringLiteral("Balance 0")), rendered);
    EXPECT_LT(calls.indexOf(QStringLiteral("Volume -2000")), calls.indexOf(QStringLiteral("Run")));
}

TEST_F(Form1Test, FullScreenCarriesOverToTheNextFile)
{
    load(QStringLiteral("/films/one.avi"));
    form->ToggleFS();
    ASSERT_EQ(form->FullScreen, -1);
    form->CurrentFile = QStringLiteral("/films/two.avi");
    form->LoadCommFile();
    EXPECT_TRUE(callsOf(2).contains(QStringLiteral("FullScreenMode 1")));
    EXPECT_EQ(form->FullScreen, -1);

    form->ToggleFS();
    form->CurrentFile = QStringLiteral("/films/three.avi");
    form->LoadCommFile();
    EXPECT_FALSE(callsOf(3).contains(QStringLiteral("FullScreenMode 1")));
    EXPECT_FALSE(callsOf(3).contains(QStringLiteral("FullScreenMode 0")));
}

TEST_F(Form1Test, BalanceBarIsNeverShown)
{
    load();
    form->resize(1000, 600);
    EXPECT_FALSE(form->H2->isVisible());
    EXPECT_TRUE(form->Picture1->isVisible());
}

TEST_F(Form1Test, OpenDialogCancelledKeepsWhatPlays)
{
    load(QStringLiteral("/films/one.avi"));
    answerNextFileDialog(QString());
    form->LoadFile();
    EXPECT_EQ(form->CurrentFile, QString());
    EXPECT_FALSE(graphs.log.contains(QStringLiteral("#1 released")));
    EXPECT_TRUE(form->MediaControl);
}

TEST_F(Form1Test, OpenDialogTellsPlaylistsByTheirExactEnding)
{
    load();
    const QString clip = file(QStringLiteral("clip.avi"));
    const QString upper = file(QStringLiteral("list.PLS"), (clip + QStringLiteral("\r\n")).toUtf8());
    const QString mixed = file(QStringLiteral("list.Pls"), (clip + QStringLiteral("\r\n")).toUtf8());

    answerNextFileDialog(mixed);
    form->LoadFile();
    EXPECT_EQ(callsOf(1).value(0), QStringLiteral("RenderFile ") + mixed);
    EXPECT_FALSE(form->hasPlaylistWindow());

    answerNextFileDialog(upper);
    form->LoadFile();
    ASSERT_TRUE(form->hasPlaylistWindow());
    EXPECT_EQ(form->playlistWindow().List1->ListCount(), 1);
    EXPECT_EQ(form->playlistWindow().List1->List(0), clip);
    EXPECT_TRUE(form->playlistWindow().isVisible());
    EXPECT_EQ(form->PlaylistMode, -1);
    EXPECT_TRUE(form->playlistWindow().plscomm);
    // Docked under the main window.
    EXPECT_EQ(form->playlistWindow().frameGeometry().top(), form->frameGeometry().bottom() + 1);
}
