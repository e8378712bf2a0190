// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/MainWindowProcedures.h"

#include "QtPrinters.h"

#include "platform/WindowManagerHints.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QStringList>

#include <gtest/gtest.h>

#include <optional>

namespace {

using platform::WM_HOTKEY;
using platform::WM_WINDOWPOSCHANGING;

// Remembers what the window manager was told.
class RecordingHints : public WindowManagerHints
{
public:
    bool setAspectRatio(QSize ratio) override
    {
        ratios.append(ratio);
        return true;
    }
    bool requestBorderWithoutTitle() override { return true; }
    QMargins frameExtents() const override { return {}; }

    QList<QSize> ratios;
};

class MainWindowProceduresTest : public ::testing::Test
{
protected:
    // The window's own procedure: what reached the end of the chain.
    platform::LResult own(platform::MessageId message, platform::WParam wParam, platform::LParam lParam)
    {
        if (message == WM_WINDOWPOSCHANGING) {
            const auto *pos = reinterpret_cast<const platform::WINDOWPOS *>(lParam);
            calls << QStringLiteral("own pos %1x%2").arg(pos->cx).arg(pos->cy);
        } else {
            calls << QStringLiteral("own %1 %2").arg(message).arg(wParam);
        }
        return 5;
    }

    platform::LResult windowPosChanging(int cx, int cy)
    {
        platform::WINDOWPOS pos {0, 0, cx, cy, 0};
        return procedures.sendMessage(WM_WINDOWPOSCHANGING, 0, reinterpret_cast<platform::LParam>(&pos));
    }

    void loaded()
    {
        procedures.installAspectProcedure();
        procedures.installHotKeyProcedure();
    }

    QStringList calls;
    RecordingHints hints;
    MainWindowProcedures procedures {hints, [this] { calls << QStringLiteral("events"); },
                                     [this] { calls << QStringLiteral("toggle"); },
                                     [this](platform::MessageId m, platform::WParam w, platform::LParam l) {
                                         return own(m, w, l);
                                     }};
};

TEST_F(MainWindowProceduresTest, HotKeyProcedureSeesMessagesFirstAndAspectProcedureNext)
{
    loaded();
    EXPECT_EQ(procedures.sendMessage(WM_HOTKEY, 2, 0), 1);
    EXPECT_EQ(calls, QStringList({QStringLiteral("events"), QStringLiteral("toggle")})) << "not passed on";
    calls.clear();

    EXPECT_EQ(windowPosChanging(400, 300), 5);
    EXPECT_EQ(windowPosChanging(500, 300), 5);
    EXPECT_EQ(procedures.sendMessage(0x0010, 3, 0), 5);
    EXPECT_EQ(calls,
              QStringList(
                  {QStringLiteral("own pos 400x300"), QStringLiteral("own pos 500x375"), QStringLiteral("own 16 3")}));
}

TEST_F(MainWindowProceduresTest, BeforeTheHotKeyProcedureHotKeysReachTheWindow)
{
    procedures.installAspectProcedure();
    EXPECT_EQ(procedures.sendMessage(WM_HOTKEY, 2, 0), 5);
    EXPECT_EQ(calls, QStringList({QStringLiteral("own 786 2")}));
}

TEST_F(MainWindowProceduresTest, UnloadPutsTheWindowsOwnProcedureBack)
{
    loaded();
    windowPosChanging(400, 300);
    procedures.restoreOwnProcedure();
    calls.clear();

    EXPECT_EQ(procedures.sendMessage(WM_HOTKEY, 2, 0), 5);
    EXPECT_EQ(windowPosChanging(500, 300), 5);
    EXPECT_EQ(calls, QStringList({QStringLiteral("own 786 2"), QStringLiteral("own pos 500x300")}));
}

TEST_F(MainWindowProceduresTest, PendingEventsRunBeforeTheToggle)
{
    MainWindowProcedures window(
        hints, [] { QCoreApplication::processEvents(); }, [this] { calls << QStringLiteral("toggle"); });
    window.installAspectProcedure();
    window.installHotKeyProcedure();
    const auto pending = [this] {
        calls << QStringLiteral("pending");
    };
    QMetaObject::invokeMethod(qApp, pending, Qt::QueuedConnection);
    window.sendMessage(WM_HOTKEY, 2, 0);
    EXPECT_EQ(calls, QStringList({QStringLiteral("pending"), QStringLiteral("toggle")}));
}

TEST_F(MainWindowProceduresTest, ProgramsSizesPassTheChainAndTheFirstOneIsTheWindowManagersRatio)
{
    loaded();
    EXPECT_EQ(procedures.windowPosChanging({10, 20, 408, 374}), QRect(10, 20, 408, 374));
    EXPECT_EQ(hints.ratios, QList<QSize>({{408, 374}}));
    // The minimum-size snap of a window made too small: a taller height needs a wider width.
    EXPECT_EQ(procedures.windowPosChanging({10, 20, 300, 374}), QRect(10, 20, 408, 374));
    EXPECT_EQ(procedures.windowPosChanging({10, 20, 816, 374}), QRect(10, 20, 816, 748));
    EXPECT_EQ(hints.ratios.size(), 1) << "the ratio is told once";
    EXPECT_EQ(calls.size(), 3) << "each reached the window";
}

TEST_F(MainWindowProceduresTest, WithoutTheAspectProcedureSizesStayAndNothingIsTold)
{
    EXPECT_EQ(procedures.windowPosChanging({0, 0, 500, 300}), QRect(0, 0, 500, 300));
    EXPECT_TRUE(hints.ratios.isEmpty());
}

struct MaximizeCase {
    const char *name;
    QRect workArea;
    QRect expected;
};

class MaximizedGeometryTest : public MainWindowProceduresTest, public ::testing::WithParamInterface<MaximizeCase>
{
};

TEST_P(MaximizedGeometryTest, MaximizedWindowKeepsItsProportionsInsideTheWorkArea)
{
    loaded();
    procedures.windowPosChanging({100, 100, 408, 374});
    const MaximizeCase &c = GetParam();
    const QRect maximized = procedures.maximizedGeometry(c.workArea);
    EXPECT_EQ(maximized, c.expected);
    EXPECT_TRUE(c.workArea.contains(maximized));
}

// 408 x 374 is 12 : 11.
INSTANTIATE_TEST_SUITE_P(WorkAreas, MaximizedGeometryTest,
                         ::testing::Values(MaximizeCase {"Wider", {0, 0, 1280, 1024}, {0, 0, 1117, 1024}},
                                           MaximizeCase {"Taller", {0, 30, 768, 1300}, {0, 30, 768, 704}},
                                           MaximizeCase {"SameProportions", {5, 0, 1200, 1100}, {5, 0, 1200, 1100}}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
