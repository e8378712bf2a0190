// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDialogDriver.h"
#include "Form1Fixture.h"
#include "QtPrinters.h"
#include "desktop/WaitFor.h"

#include "controls/ButtonEx/ButtonEx.h"
#include "controls/ShellIcon/ShellIcon.h"
#include "dialogs/frmAbout.h"
#include "platform/GlobalHotKeys.h"
#include "runtime/GraphicalButton.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>

#include <functional>

namespace {

// Hot keys as the desktop delivers them: queued from the event loop.
class FakeHotKeys final : public GlobalHotKeys
{
public:
    bool registerHotKey(int id, Qt::Key, bool) override
    {
        registered.append(id);
        return true;
    }
    void press(int id) { Q_EMIT hotKeyPressed(id); }

    QList<int> registered;
};

// Tells when the window it watches is hidden.
class WindowHidden final : public QObject
{
public:
    explicit WindowHidden(std::function<void()> hidden)
        : m_hidden(std::move(hidden))
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Hide)
            m_hidden();
        return false;
    }

private:
    std::function<void()> m_hidden;
};

class Form1CommandsTest : public Form1Fixture
{
protected:
    // The notification area's report of mouse activity on the window's icon.
    void iconActivity(std::initializer_list<std::uint32_t> mouseMessages)
    {
        ASSERT_FALSE(tray.calls.isEmpty());
        const NotifyIconDataA icon = tray.calls.first().record();
        for (std::uint32_t message : mouseMessages)
            tray.activity(icon, message);
    }
    void doubleClickIcon() { iconActivity({0x201, 0x202, 0x203, 0x202}); }

    QList<frmAbout *> aboutBoxes() const
    {
        QList<frmAbout *> boxes;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<frmAbout *>(window); box && box->isVisible())
                boxes.append(box);
        }
        return boxes;
    }
};

} // namespace

TEST_F(Form1CommandsTest, PopupMenuHoldsItsItemsInOrder)
{
    QStringList items;
    for (const QAction *action : form->mnuPopup->actions()) {
        items.append(QStringLiteral("%1 %2%3").arg(action->objectName(),
                                                   action->isSeparator() ? QStringLiteral("-") : action->text(),
                                                   action->isVisible() ? QString() : QStringLiteral(" (hidden)")));
    }
    EXPECT_EQ(items,
              (QStringList {"mnuShow Show KAVEL Player", "mnuspace2 -", "mnuOpen Open File", "mnuspace6 -",
                            "mnuPlay Play", "mnuPause Pause", "mnuStop Stop", "mnuspace4 -", "mnuNext Next",
                            "mnuPrev Previous", "mnuspace3 -", "mnuspace - (hidden)", "mnuHelp Help", "mnuExit Exit"}));
}

TEST_F(Form1CommandsTest, TransportCommandsAndHotKeysReachTheGraph)
{
    FakeHotKeys hotKeys;
    form->setHotKeys(&hotKeys);
    load(QStringLiteral("/films/one.avi"));
    EXPECT_EQ(hotKeys.registered, (QList<int> {0, 1, 2, 3, 4, 5, 6}));
    const struct {
        const char *source;
        std::function<void()> command;
        QStringList calls;
    } rows[] = {
        {"Command1 (play)", [&] { form->Command1->click(); }, {"Run"}},
        {"mnuPlay", [&] { form->mnuPlay->trigger(); }, {"Run"}},
        {"Command4 (pause)", [&] { form->Command4->click(); }, {"Pause"}},
        {"mnuPause", [&] { form->mnuPause->trigger(); }, {"Pause"}},
        {"Command2 (stop)", [&] { form->Command2->click(); }, {"Stop", "CurrentPosition 0"}},
        {"mnuStop", [&] { form->mnuStop->trigger(); }, {"Stop", "CurrentPosition 0"}},
        {"ButtonEx4 (full screen)", [&] { Q_EMIT form->ButtonEx4->Click(); }, {"FullScreenMode 1", "Run"}},
        {"hot key 2 (Alt+Enter)", [&] { hotKeys.press(2); }, {"FullScreenMode 0", "Run"}},
        {"hot keys 0, 1, 3 to 6",
         [&] {
             for (int id : {0, 1, 3, 4, 5, 6})
                 hotKeys.press(id);
         },
         {}},
    };
    for (const auto &row : rows) {
        graphs.log.clear();
        row.command();
        QCoreApplication::processEvents(); // hot keys arrive queued
        EXPECT_EQ(callsOf(1), row.calls) << row.source;
    }
}

TEST_F(Form1CommandsTest, MenuOpensNextAndPreviousAsTheButtonsDo)
{
    load();
    const QString clip = file(QStringLiteral("clip.avi"));
    answerNextFileDialog(clip);
    form->mnuOpen->trigger();
    EXPECT_EQ(rendered(), QStringList {clip});

    list().AddItems({QStringLiteral("/films/a.avi"), QStringLiteral("/films/b.avi")});
    list().setSelected(0, true);
    form->mnuNext->trigger();
    EXPECT_EQ(rendered().last(), QStringLiteral("/films/b.avi"));
    form->mnuPrev->trigger();
    EXPECT_EQ(rendered().last(), QStringLiteral("/films/a.avi"));
}

TEST_F(Form1CommandsTest, MaximizeTogglesAndTheTitleFollowsIntoTheIconsTip)
{
    load(QStringLiteral("/films/one.avi"));
    const QRect normal = form->geometry();
    const double proportions = double(normal.width()) / normal.height();
    Q_EMIT form->ButtonEx2->Click();
    // As large as the screen allows, in the window's own proportions.
    const QRect maximized = form->geometry();
    const QRect workArea = form->screen()->availableGeometry();
    EXPECT_TRUE(workArea.contains(maximized)) << maximized.width() << "x" << maximized.height();
    EXPECT_TRUE(maximized.width() == workArea.width() || maximized.height() == workArea.height())
        << maximized.width() << "x" << maximized.height();
    EXPECT_NEAR(double(maximized.width()) / maximized.height(), proportions, 0.01);
    Q_EMIT form->ButtonEx2->Click();
    EXPECT_EQ(form->geometry(), normal);

    EXPECT_TRUE(form->ShellIcon1->ToolTipText().startsWith(QStringLiteral("KAVEL Player")));
    form->Text4.setText(QStringLiteral("/films/one.avi"));
    EXPECT_TRUE(form->ShellIcon1->ToolTipText().startsWith(QStringLiteral("KAVEL Player :one.avi")));
    EXPECT_TRUE(tray.calls.last().record().tip().startsWith("KAVEL Player :one.avi"));
}

TEST_F(Form1CommandsTest, MinimizeHidesBothWindowsAndTheIconBringsThemBack)
{
    load();
    ASSERT_EQ(tray.messages().value(0), NotifyIconHost::NIM_ADD);
    Q_EMIT form->ButtonEx5->Click(); // the playlist shown: PlaylistMode
    Q_EMIT form->ButtonEx1->Click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->playlistWindow().isVisible());

    doubleClickIcon();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->playlistWindow().isVisible());

    // Shown, a double click hides the main window only.
    doubleClickIcon();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->playlistWindow().isVisible());

    form->mnuShow->trigger();
    EXPECT_TRUE(form->isVisible());
}

TEST_F(Form1CommandsTest, WithoutANotificationAreaTheWindowIsNeverOutOfReach)
{
    load();
    Q_EMIT form->ButtonEx1->Click();
    ASSERT_FALSE(form->isVisible());
    tray.setAvailable(false);
    EXPECT_TRUE(form->isVisible()) << "the notification area went away with the window in it";

    Q_EMIT form->ButtonEx1->Click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->windowState() & Qt::WindowMinimized);
}

TEST_F(Form1CommandsTest, RightPressOnTheIconPopsUpTheMenuAndALeftClickDoesNot)
{
    load();
    iconActivity({0x201, 0x202});
    EXPECT_FALSE(form->mnuPopup->isVisible());
    iconActivity({0x204});
    EXPECT_TRUE(waitFor([&] { return form->mnuPopup->isVisible(); }));
    form->mnuPopup->close();
}

TEST_F(Form1CommandsTest, HelpShowsOneAboutBoxWithTheVersion)
{
    load();
    QCoreApplication::setApplicationVersion(QStringLiteral("2.3.17"));
    form->mnuHelp->trigger();
    form->mnuHelp->trigger();
    const QList<frmAbout *> boxes = aboutBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.first()->lblVersion->text(), QStringLiteral("Version 2.3.17"));
    EXPECT_EQ(boxes.first()->windowTitle(), QStringLiteral("About KAVEL Player"));
    EXPECT_EQ(boxes.first()->parentWidget(), nullptr) << "no owner: the player stays usable";
}

TEST_F(Form1CommandsTest, ExitReleasesTheGraphRemovesTheIconAndClosesEveryWindow)
{
    load(QStringLiteral("/films/one.avi"));
    Q_EMIT form->ButtonEx5->Click();
    form->mnuHelp->trigger();
    const QPointer<frmAbout> about = aboutBoxes().value(0);
    ASSERT_TRUE(about);
    QSignalSpy exit(form.get(), &Form1::exitRequested);
    // What goes, in the order it goes.
    QStringList gone;
    tray.onCall = [&](std::uint32_t message) {
        const bool graphReleased = !form->MediaControl && !form->BasicAudio && !form->MediaPosition;
        if (message == NotifyIconHost::NIM_DELETE)
            gone << (graphReleased ? QStringLiteral("graph") : QString()) << QStringLiteral("icon");
    };
    QObject::connect(about, &QObject::destroyed, [&] { gone << QStringLiteral("about box"); });
    QObject::connect(&form->playlistWindow(), &QObject::destroyed, [&] { gone << QStringLiteral("playlist"); });
    WindowHidden mainWindowHidden([&] { gone << QStringLiteral("main window"); });
    form->installEventFilter(&mainWindowHidden);

    form->mnuExit->trigger();
    EXPECT_EQ(tray.messages().last(), NotifyIconHost::NIM_DELETE);
    EXPECT_EQ(gone,
              QStringList({QStringLiteral("graph"), QStringLiteral("icon"), QStringLiteral("about box"),
                           QStringLiteral("playlist"), QStringLiteral("main window")}));
    EXPECT_EQ(exit.count(), 1);
}
