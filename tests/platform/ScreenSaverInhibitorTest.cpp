// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ScreenSaverInhibitor.h"

#include "ScreenSaverStandIn.h"
#include "desktop/WaitFor.h"

#include <QElapsedTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

// The desktop's services are played by a stand-in on the test's own session bus
// (dbus-run-session), answering from a thread of its own.

namespace {

const QString Application = QStringLiteral("KAVEL Player");
const QString Reason = QStringLiteral("Playing a film");
const QString PortalInhibit = QStringLiteral("portal Inhibit window= flags=12 reason=Playing a film");
const QString ScreenSaverInhibit = QStringLiteral("screensaver Inhibit KAVEL Player, Playing a film");

QString portalClose(int request)
{
    return QStringLiteral("portal Close ") + QLatin1String(ScreenSaverStandIn::PortalRequests)
        + QString::number(request);
}

// What the program says on its own while a test runs, from whichever thread.
QMutex saying;
QStringList said;

void listen(QtMsgType, const QMessageLogContext &, const QString &message)
{
    const QMutexLocker lock(&saying);
    said.append(message);
}

} // namespace

class ScreenSaverInhibitorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "no session bus: run under dbus-run-session";
    }

    std::unique_ptr<ScreenSaverInhibitor> inhibitor(const QDBusConnection &bus = QDBusConnection::sessionBus())
    {
        return std::make_unique<ScreenSaverInhibitor>(bus, &window, Application, Reason);
    }

    std::unique_ptr<ScreenSaverStandIn> desktop(int offers)
    {
        auto standIn = std::make_unique<ScreenSaverStandIn>(qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"), offers);
        EXPECT_TRUE(standIn->isReady());
        return standIn;
    }

    // Offscreen, the window has no X11 id to name.
    QWidget window;
};

TEST_F(ScreenSaverInhibitorTest, ThePortalIsAskedFirstAndTheScreenSaverServiceWhereThereIsNone)
{
    const struct {
        const char *desktop;
        int offers;
        QStringList calls;
    } cases[] = {
        {"both", ScreenSaverStandIn::Portal | ScreenSaverStandIn::ScreenSaver, {PortalInhibit, portalClose(1)}},
        {"screen saver service only",
         ScreenSaverStandIn::ScreenSaver,
         {ScreenSaverInhibit, QStringLiteral("screensaver UnInhibit 1")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.desktop);
        const auto services = desktop(c.offers);
        const auto awake = inhibitor();
        awake->setInhibited(true);
        EXPECT_TRUE(waitFor([&] { return services->held() == 1; }));
        awake->setInhibited(false);
        EXPECT_TRUE(waitFor([&] { return services->held() == 0; }));
        EXPECT_EQ(services->calls(), c.calls);
        EXPECT_EQ(services->mostHeld(), 1);
    }
}

TEST_F(ScreenSaverInhibitorTest, WithoutABusOrAServiceThatKeepsTheScreenAwakeNothingHappensAndNothingIsSaid)
{
    said.clear();
    const QtMessageHandler previous = qInstallMessageHandler(listen);
    const QString noBusName = QStringLiteral("no bus");
    {
        const auto none
            = inhibitor(QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), noBusName));
        none->setInhibited(true);
        none->setInhibited(false);
        none->setInhibited(true);
    }
    QDBusConnection::disconnectFromBus(noBusName);
    {
        // Each service refuses a wish once, however often it is repeated; the next wish asks again.
        const auto refusing
            = desktop(ScreenSaverStandIn::Portal | ScreenSaverStandIn::ScreenSaver | ScreenSaverStandIn::Refusing);
        const auto awake = inhibitor();
        awake->setInhibited(true);
        EXPECT_TRUE(waitFor([&] { return refusing->calls().size() == 2; }));
        const auto repeatedWishAsks = [&] {
            awake->setInhibited(true);
            return refusing->calls().size() > 2;
        };
        EXPECT_FALSE(waitFor(repeatedWishAsks, 300));
        awake->setInhibited(false);
        awake->setInhibited(true);
        EXPECT_TRUE(waitFor([&] { return refusing->calls().size() == 4; }));
        EXPECT_EQ(refusing->calls(),
                  (QStringList {PortalInhibit, ScreenSaverInhibit, PortalInhibit, ScreenSaverInhibit}));
    }

    // With no service on the bus the wish goes unanswered; a service that comes later serves the next one.
    const auto awake = inhibitor();
    awake->setInhibited(true);
    const auto services = desktop(ScreenSaverStandIn::ScreenSaver);
    awake->setInhibited(false);
    awake->setInhibited(true);
    EXPECT_TRUE(waitFor([&] { return services->held() == 1; }));
    qInstallMessageHandler(previous);
    const QMutexLocker lock(&saying);
    EXPECT_EQ(said, QStringList());
    EXPECT_EQ(services->mostHeld(), 1);
}

TEST_F(ScreenSaverInhibitorTest, ALetGoAskedForBeforeTheAnswerClosesWhatTheAnswerBrings)
{
    const struct {
        const char *wishes;
        std::vector<bool> steps;
        QStringList callsAnswered;
    } cases[] = {
        {"on, off", {true, false}, {PortalInhibit, portalClose(1)}},
        {"on, off, on", {true, false, true}, {PortalInhibit}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.wishes);
        const auto services = desktop(ScreenSaverStandIn::Portal);
        services->holdBackInhibitAnswers();
        auto awake = inhibitor();
        for (const bool wish : c.steps) {
            awake->setInhibited(wish);
            ASSERT_TRUE(waitFor([&] { return services->inhibitsWaiting() == 1; }));
        }
        services->answerInhibits();
        const int heldAnswered = c.steps.back() ? 1 : 0;
        EXPECT_TRUE(waitFor([&] { return services->calls() == c.callsAnswered && services->held() == heldAnswered; }));
        EXPECT_FALSE(waitFor([&] { return services->held() != heldAnswered; }, 300));
        awake.reset();
        EXPECT_EQ(services->calls(), (QStringList {PortalInhibit, portalClose(1)}));
        EXPECT_EQ(services->held(), 0);
        EXPECT_EQ(services->mostHeld(), 1);
    }
}

TEST_F(ScreenSaverInhibitorTest, GoingItLetsGoBeforeItIsGoneEvenOfAnAnswerOnItsWay)
{
    {
        const auto services = desktop(ScreenSaverStandIn::Portal);
        auto awake = inhibitor();
        awake->setInhibited(true);
        ASSERT_TRUE(waitFor([&] { return services->held() == 1; }));
        awake.reset();
        EXPECT_EQ(services->calls(), (QStringList {PortalInhibit, portalClose(1)})) << "held";
    }
    {
        const auto services = desktop(ScreenSaverStandIn::Portal);
        services->holdBackInhibitAnswers();
        auto awake = inhibitor();
        awake->setInhibited(true);
        ASSERT_TRUE(waitFor([&] { return services->inhibitsWaiting() == 1; }));
        // Answered, but not yet read by the event loop when the object goes.
        services->answerInhibits();
        awake.reset();
        EXPECT_EQ(services->calls(), (QStringList {PortalInhibit, portalClose(1)})) << "answer on its way";
        EXPECT_EQ(services->held(), 0);
    }
    {
        // A desktop that never answers does not hold up the end.
        const auto services = desktop(ScreenSaverStandIn::Portal);
        services->holdBackInhibitAnswers();
        auto awake = inhibitor();
        awake->setInhibited(true);
        ASSERT_TRUE(waitFor([&] { return services->inhibitsWaiting() == 1; }));
        QElapsedTimer going;
        going.start();
        awake.reset();
        EXPECT_LT(going.elapsed(), 5000);
    }
}
