// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1Fixture.h"
#include "QtPrinters.h"
#include "desktop/WaitFor.h"

#include "controls/ButtonEx/ButtonEx.h"
#include "runtime/GraphicalButton.h"

#include <QAccessible>
#include <QElapsedTimer>

using Form1PlaylistTest = Form1Fixture;

TEST_F(Form1PlaylistTest, CommandLinePlaylistStartsItsFirstEntryAfterTheHandOver)
{
    const QString path = playlistOf({QStringLiteral("/films/a.avi"), QStringLiteral("/films/b.avi")});
    QElapsedTimer clock;
    clock.start();
    form->Form_Load(QStringLiteral("\"") + path + QStringLiteral("\""));
    ASSERT_TRUE(form->hasPlaylistWindow());
    frmWrite &window = form->playlistWindow();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(form->PlaylistMode, -1);
    EXPECT_EQ(list().ListCount(), 2);
    EXPECT_TRUE(window.plscomm);
    EXPECT_TRUE(rendered().isEmpty()) << "nothing plays before the first entry is selected";

    ASSERT_TRUE(waitFor([&] { return !rendered().isEmpty(); }, 5000));
    EXPECT_GE(clock.elapsed(), 450);
    EXPECT_EQ(rendered(), QStringList {QStringLiteral("/films/a.avi")});
    EXPECT_EQ(list().ListIndex(), 0);
    EXPECT_FALSE(window.plscomm);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("  KAVEL Playlist:a.avi"));
    EXPECT_EQ(form->Label1->Caption(), QStringLiteral("KAVEL Player :a.avi"));
}

TEST_F(Form1PlaylistTest, UnreadablePlaylistOnTheCommandLineLeavesTheListAsItWas)
{
    form->Form_Load(dir.filePath(QStringLiteral("missing.pls")));
    EXPECT_EQ(list().ListCount(), 0);
    EXPECT_TRUE(rendered().isEmpty());
    EXPECT_TRUE(messages.messages.isEmpty()) << "the command line goes on silently";
}

TEST_F(Form1PlaylistTest, NextAndPreviousWrapRoundAndRetitle)
{
    form->Form_Load(QString());
    list().AddItems({QStringLiteral("/films/a.avi"), QStringLiteral("/films/b.avi"), QStringLiteral("/films/c.avi")});
    list().setSelected(2, true);

    form->ButtonEx6->click(); // next, past the end
    EXPECT_EQ(list().ListIndex(), 0);
    EXPECT_EQ(rendered().last(), QStringLiteral("/films/a.avi"));
    EXPECT_EQ(form->Text4.text(), QStringLiteral("/films/a.avi"));
    EXPECT_EQ(form->playlistWindow().windowTitle(), QStringLiteral("  KAVEL Playlist:a.avi"));

    form->ButtonEx7->click(); // previous, past the start
    EXPECT_EQ(list().ListIndex(), 2);
    EXPECT_EQ(rendered().last(), QStringLiteral("/films/c.avi"));
    EXPECT_EQ(form->Label1->Caption(), QStringLiteral("KAVEL Player :c.avi"));
}

TEST_F(Form1PlaylistTest, NextWithNothingSelectedDoesNothing)
{
    form->Form_Load(QStringLiteral("/films/one.avi"));
    list().AddItems({QStringLiteral("/films/a.avi")});
    graphs.log.clear();
    form->ButtonEx6->click();
    EXPECT_TRUE(graphs.log.isEmpty());
}

TEST_F(Form1PlaylistTest, EndOfTheLastEntryGoesOnWithTheFirst)
{
    form->Form_Load(QString());
    list().AddItems({QStringLiteral("/films/a.avi"), QStringLiteral("/films/b.avi")});
    list().setSelected(1, true);
    form->playlistWindow().List1_dblclick();
    EXPECT_EQ(rendered(), QStringList {QStringLiteral("/films/b.avi")});
    const auto graph = graphs.last.lock();
    ASSERT_TRUE(graph);
    graph->reach(95.0); // the end: the elapsed text reaches the total text
    ASSERT_TRUE(waitFor([&] { return rendered().size() == 2; }));
    EXPECT_EQ(rendered().last(), QStringLiteral("/films/a.avi"));
    EXPECT_EQ(list().ListIndex(), 0);
}

TEST_F(Form1PlaylistTest, AnEntryThatFailsAfterTheEndKeepsTheLastElapsedTime)
{
    form->Form_Load(QString());
    list().AddItems({QStringLiteral("/films/a.avi"), QStringLiteral("/films/broken.avi")});
    list().setSelected(0, true);
    form->playlistWindow().List1_dblclick();
    const auto graph = graphs.last.lock();
    ASSERT_TRUE(graph);
    graphs.next.renders = false;
    graph->reach(95.0);
    ASSERT_TRUE(waitFor([&] { return rendered().size() == 2; }));
    QCoreApplication::processEvents();
    // Nothing plays to be read: the times stay as the last file left them.
    EXPECT_EQ(form->Label3->Caption(), QStringLiteral("00:01:35"));
    EXPECT_EQ(form->Label4->Caption(), QStringLiteral("00:01:35"));
}

namespace {

// A message box as the user meets it: it runs the event loop until it is dismissed.
class ModalReporter final : public runtime::MessageReporter
{
public:
    void showMessage(QWidget *, const QString &, const QString &text, Icon) override
    {
        ++depth;
        deepest = std::max(deepest, depth);
        messages.append(text);
        QElapsedTimer open;
        open.start();
        while (open.elapsed() < 300)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        --depth;
    }

    QStringList messages;
    int depth = 0;
    int deepest = 0;
};

} // namespace

TEST_F(Form1PlaylistTest, ShortClipsPlayInTurnEachAfterItsMessage)
{
    ModalReporter boxes;
    form->setMessageReporter(&boxes);
    graphs.next.duration = 5.0; // a step of 0.5 s: the position bar refuses it with a message
    form->Form_Load(QString());
    list().AddItems({QStringLiteral("/films/a.avi"), QStringLiteral("/films/b.avi"), QStringLiteral("/films/c.avi")});
    // The playlist window selects the first entry of a fresh list by itself.
    ASSERT_TRUE(waitFor([&] { return !form->playlistWindow().Timer1->isActive(); }));
    form->playlistWindow().List1_dblclick();
    for (qsizetype played = 1; played < 4; ++played) {
        ASSERT_EQ(rendered().size(), played);
        const auto graph = graphs.last.lock();
        ASSERT_TRUE(graph);
        graph->reach(5.0);
        ASSERT_TRUE(waitFor([&] { return rendered().size() > played; }, 5000));
        ASSERT_TRUE(waitFor([&] { return boxes.depth == 0; }, 5000));
    }
    EXPECT_EQ(rendered().mid(0, 4),
              (QStringList {QStringLiteral("/films/a.avi"), QStringLiteral("/films/b.avi"),
                            QStringLiteral("/films/c.avi"), QStringLiteral("/films/a.avi")}));
    EXPECT_EQ(boxes.deepest, 1) << "a box opened behind another";
    EXPECT_EQ(boxes.messages.size(), rendered().size());
}

TEST_F(Form1PlaylistTest, DoubleClickedEntryStopsWhatPlaysThenPlaysIt)
{
    form->Form_Load(QStringLiteral("/films/one.avi"));
    list().AddItems({QStringLiteral("/films/a.avi"), QString()});
    list().setSelected(0, true);
    graphs.log.clear();
    form->playlistWindow().List1_dblclick();
    ASSERT_GE(graphs.log.size(), 3);
    EXPECT_EQ(graphs.log.mid(0, 2), (QStringList {QStringLiteral("#1 Stop"), QStringLiteral("#1 CurrentPosition 0")}));
    EXPECT_EQ(rendered(), QStringList {QStringLiteral("/films/a.avi")});

    // An empty entry stops the current media and starts nothing.
    list().setSelected(1, true);
    graphs.log.clear();
    form->playlistWindow().List1_dblclick();
    EXPECT_EQ(graphs.log, (QStringList {QStringLiteral("#2 Stop"), QStringLiteral("#2 CurrentPosition 0")}));
}

TEST_F(Form1PlaylistTest, PlaylistButtonShowsAndHidesTheWindow)
{
    form->Form_Load(QString());
    Q_EMIT form->ButtonEx5->Click();
    EXPECT_TRUE(form->playlistWindow().isVisible());
    EXPECT_EQ(form->PlaylistMode, -1);
    Q_EMIT form->ButtonEx5->Click();
    EXPECT_FALSE(form->playlistWindow().isVisible());
    EXPECT_EQ(form->PlaylistMode, 0);
}

TEST_F(Form1PlaylistTest, ScreenReadersReadTheTimesAndPressTheButtons)
{
    form->Form_Load(QStringLiteral("/films/one.avi"));
    QAccessibleInterface *total = QAccessible::queryAccessibleInterface(form->Label4);
    ASSERT_NE(total, nullptr);
    EXPECT_EQ(total->text(QAccessible::Name), QStringLiteral("00:01:35"));

    QAccessibleInterface *stop = QAccessible::queryAccessibleInterface(form->Command2);
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->text(QAccessible::Name), QStringLiteral("Stop"));
    ASSERT_NE(stop->actionInterface(), nullptr);
    graphs.log.clear();
    stop->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    // A pressed button clicks after its short animation.
    ASSERT_TRUE(waitFor([&] { return !graphs.log.isEmpty(); }));
    EXPECT_EQ(graphs.log, (QStringList {QStringLiteral("#1 Stop"), QStringLiteral("#1 CurrentPosition 0")}));
}
