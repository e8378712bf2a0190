// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1Fixture.h"
#include "QtPrinters.h"
#include "desktop/WaitFor.h"

#include "controls/ButtonEx/ButtonEx.h"
#include "controls/dtVisualScrollBar/dtVisualScrollBar.h"
#include "player/PlayerInput.h"
#include "runtime/GraphicalButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <functional>

namespace {

class PlayerInputTest : public Form1Fixture
{
protected:
    void SetUp() override
    {
        Form1Fixture::SetUp();
        input = std::make_unique<PlayerInput>(*form);
    }

    // A film that plays, 40 s in, at a volume below the loudest.
    void playAFilm()
    {
        load(QStringLiteral("/films/one.avi"));
        standAt(40, -2000);
    }

    // Where the film and the volume stand, as the bars show them.
    void standAt(int seconds, int volume)
    {
        form->Command1->click();
        graphs.last.lock()->reach(seconds);
        ASSERT_TRUE(waitFor([&] { return form->H1->Value() == seconds; }));
        form->V1->setValue(volume);
    }

    static void turnWheel(QWidget *widget, int notches)
    {
        const QPointF centre = QRectF(widget->rect()).center();
        QWheelEvent wheel(centre, widget->mapToGlobal(centre), QPoint(),
                          QPoint(0, notches * QWheelEvent::DefaultDeltasPerStep), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &wheel);
    }

    std::unique_ptr<PlayerInput> input;
};

} // namespace

TEST_F(PlayerInputTest, EachKeyWheelAndDoubleClickRunsItsCommand)
{
    playAFilm();
    const int at = form->H1->Value();
    const int level = form->V1->Value();
    const int seek = PlayerInput::SeekStep;
    const int step = PlayerInput::VolumeStep;
    const auto seekTo = [](int seconds) {
        return QStringLiteral("CurrentPosition %1").arg(seconds);
    };
    const auto volume = [](int hundredths) {
        return QStringLiteral("Volume %1").arg(hundredths);
    };
    const auto press = [this](Qt::Key key) {
        return std::function<void()>([this, key] { QTest::keyClick(form.get(), key); });
    };
    const auto wheel = [](QWidget *widget, int notches) {
        return std::function<void()>([=] { turnWheel(widget, notches); });
    };
    const std::function<void()> doubleClick = [this] {
        QTest::mouseDClick(form->Picture1, Qt::LeftButton);
    };
    const std::function<void()> pause = [this] {
        form->Command4->click();
    };
    const std::function<void()> stop = [this] {
        form->Command2->click();
    };
    const std::function<void()> fullScreen = [this] {
        form->ToggleFS();
    };
    const std::function<void()> none;
    const struct {
        const char *input;
        std::function<void()> before;
        std::function<void()> send;
        QStringList calls;
    } rows[] = {
        {"Right", none, press(Qt::Key_Right), {seekTo(at + seek)}},
        {"Left", none, press(Qt::Key_Left), {seekTo(at - seek)}},
        {"Up", none, press(Qt::Key_Up), {volume(level + step)}},
        {"Down", none, press(Qt::Key_Down), {volume(level - step)}},
        {"wheel up over the picture", none, wheel(form->Picture1, 1), {volume(level + step)}},
        {"wheel down over the volume bar", none, wheel(form->V1, -1), {volume(level - step)}},
        {"two notches up over the position bar", none, wheel(form->H1, 2), {seekTo(at + 2 * seek)}},
        {"Space while playing", none, press(Qt::Key_Space), {"Pause"}},
        {"Space while paused", pause, press(Qt::Key_Space), {"Run"}},
        {"Space while stopped", stop, press(Qt::Key_Space), {"Run"}},
        {"F", none, press(Qt::Key_F), {"FullScreenMode 1", "Run"}},
        {"F in full screen", fullScreen, press(Qt::Key_F), {"FullScreenMode 0", "Run"}},
        {"Esc in full screen", fullScreen, press(Qt::Key_Escape), {"FullScreenMode 0", "Run"}},
        {"double click on the picture", none, doubleClick, {"FullScreenMode 1", "Run"}},
        {"double click on the picture in full screen", fullScreen, doubleClick, {"FullScreenMode 0", "Run"}},
    };
    for (const auto &row : rows) {
        standAt(at, level);
        if (row.before)
            row.before();
        graphs.log.clear();
        row.send();
        EXPECT_EQ(callsOf(1), row.calls) << row.input;
        if (form->FullScreen)
            form->ToggleFS();
    }
}

TEST_F(PlayerInputTest, FocusedControlsLeaveSpaceToTheWindow)
{
    playAFilm();
    // The image button has no key of its own; the Play button's own Space would play.
    for (QWidget *control : {static_cast<QWidget *>(form->ButtonEx4), static_cast<QWidget *>(form->Command1)}) {
        form->Command1->click();
        control->setFocus();
        graphs.log.clear();
        QTest::keyClick(control, Qt::Key_Space);
        EXPECT_EQ(callsOf(1), QStringList {"Pause"}) << control->objectName().toStdString();
    }
}

TEST_F(PlayerInputTest, KeysThatAreNotThePlayersHereDoNothing)
{
    playAFilm();
    const struct {
        const char *input;
        QWidget *target;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool repeated;
    } rows[] = {
        {"Esc in the window", form.get(), Qt::Key_Escape, Qt::NoModifier, false},
        {"Space in the playlist window", form->playlistWindow().List1, Qt::Key_Space, Qt::NoModifier, false},
        {"Alt+Up, a global key", form.get(), Qt::Key_Up, Qt::AltModifier, false},
        {"Space held down", form.get(), Qt::Key_Space, Qt::NoModifier, true},
        {"F held down", form.get(), Qt::Key_F, Qt::NoModifier, true},
    };
    for (const auto &row : rows) {
        graphs.log.clear();
        QKeyEvent press(QEvent::KeyPress, row.key, row.modifiers, QString(), row.repeated);
        QApplication::sendEvent(row.target, &press);
        EXPECT_EQ(callsOf(1), QStringList()) << row.input;
    }
    EXPECT_FALSE(form->FullScreen);
}

TEST_F(PlayerInputTest, KeysWaitWhileAFileOpens)
{
    load();
    graphs.next.loadMs = 1000;
    bool sent = false;
    QTimer::singleShot(100, [&] {
        QTest::keyClick(form.get(), Qt::Key_F);
        sent = true;
    });
    form->openFile(QStringLiteral("/films/slow.avi"));
    ASSERT_TRUE(sent);
    EXPECT_FALSE(form->FullScreen);
    EXPECT_FALSE(callsOf(1).contains(QStringLiteral("FullScreenMode 1")));
}

TEST_F(PlayerInputTest, KeysWaitWhileAMessageIsUp)
{
    playAFilm();
    QMessageBox box(QMessageBox::Warning, QStringLiteral("KAVEL Player"), QStringLiteral("A message"), QMessageBox::Ok,
                    form.get());
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    graphs.log.clear();
    QTest::keyClick(form.get(), Qt::Key_Space);
    EXPECT_EQ(callsOf(1), QStringList());
}
