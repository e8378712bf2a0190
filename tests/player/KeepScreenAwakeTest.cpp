// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1Fixture.h"
#include "QtPrinters.h"
#include "ScreenSaverStandIn.h"
#include "desktop/WaitFor.h"

#include "player/KeepScreenAwake.h"
#include "runtime/GraphicalButton.h"

#include <functional>

// The main window over fake graphs, with the desktop's services played by a stand-in on the
// test's own session bus (dbus-run-session).

class KeepScreenAwakeTest : public Form1Fixture
{
protected:
    void SetUp() override
    {
        Form1Fixture::SetUp();
        load();
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "no session bus: run under dbus-run-session";
        ASSERT_TRUE(desktop.isReady());
        keepAwake = std::make_unique<KeepScreenAwake>(*form, QDBusConnection::sessionBus());
    }

    ScreenSaverStandIn desktop {qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"),
                                ScreenSaverStandIn::Portal | ScreenSaverStandIn::ScreenSaver};
    std::unique_ptr<KeepScreenAwake> keepAwake;
};

TEST_F(KeepScreenAwakeTest, HeldWhileAFilmPlaysAndLetGoWhenItPausesStopsEndsFailsOrTheProgramEnds)
{
    const QString film = file(QStringLiteral("film.avi"));
    const auto open = [&](FakeMedia media) {
        return [&, media] {
            graphs.next = media;
            form->openFile(film);
        };
    };
    const FakeMedia picture;
    const FakeMedia broken {.renders = false};
    const struct {
        const char *what;
        std::function<void()> act;
        int held;
    } steps[] = {
        {"a film opens and plays", open(picture), 1},
        {"pause", [&] { form->Command4->click(); }, 0},
        {"play", [&] { form->Command1->click(); }, 1},
        {"stop", [&] { form->Command2->click(); }, 0},
        {"play again", [&] { form->Command1->click(); }, 1},
        {"the end of the file", [&] { graphs.last.lock()->reach(*picture.duration); }, 0},
        {"another film", open(picture), 1},
        {"a file that fails", open(broken), 0},
        {"a film", open(picture), 1},
        {"the program ends", [&] { form->exitProgram(); }, 0},
    };
    int inhibits = 0;
    for (const auto &step : steps) {
        SCOPED_TRACE(step.what);
        const int before = desktop.held();
        step.act();
        EXPECT_TRUE(waitFor([&] { return desktop.held() == step.held; }));
        inhibits += step.held > before;
    }

    // Each film held the screen once and let it go before the next one took it; nothing else was asked.
    QStringList expected;
    for (int request = 1; request <= inhibits; ++request) {
        expected
            << QStringLiteral("portal Inhibit window= flags=12 reason=Playing a film")
            << QStringLiteral("portal Close %1%2").arg(QLatin1String(ScreenSaverStandIn::PortalRequests)).arg(request);
    }
    EXPECT_EQ(inhibits, 5);
    EXPECT_EQ(desktop.calls(), expected);
    EXPECT_EQ(desktop.mostHeld(), 1);
}

TEST(ShowsAMovingPicture, OnlyAFileWithAPictureThatRunsShortOfItsEnd)
{
    using State = MediaGraph::GraphState;
    const FakeMedia picture;
    const struct {
        const char *what;
        FakeMedia media;
        State state;
        double position;
        bool moving;
    } cases[] = {
        {"running", picture, State::Running, 30, true},
        {"paused", picture, State::Paused, 30, false},
        {"stopped", picture, State::Stopped, 0, false},
        {"at its end, the last picture held", picture, State::Running, *picture.duration, false},
        {"sound alone", {.width = std::nullopt, .height = std::nullopt}, State::Running, 30, false},
        {"a file that failed", {.renders = false}, State::Running, 30, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        FakeGraph graph(1, nullptr, c.media);
        graph.RenderFile(QStringLiteral("film.avi"));
        graph.turn(c.state);
        graph.reach(c.position);
        EXPECT_EQ(showsAMovingPicture(graph), c.moving);
    }
}
