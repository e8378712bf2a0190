// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/modHotKey.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Records what the hot-key procedure and OnHotKey set in motion, in order.
struct Recorder {
    QStringList calls;

    HotKeyState state()
    {
        HotKeyState state;
        state.PrevWndProcHotKey = [this](platform::MessageId message, platform::WParam wParam,
                                         platform::LParam lParam) -> platform::LResult {
            calls << QStringLiteral("next %1 %2 %3").arg(message).arg(wParam).arg(lParam);
            return 42;
        };
        state.doEvents = [this] {
            calls << QStringLiteral("events");
        };
        state.toggleFullScreen = [this] {
            calls << QStringLiteral("toggle");
        };
        return state;
    }
};

struct HotKeyCase {
    platform::WParam id;
    QStringList expected;
};

class HotKeyWindowProcTest : public ::testing::TestWithParam<HotKeyCase>
{
};

TEST_P(HotKeyWindowProcTest, HotKeyIsTakenAndOnlyAltEnterActs)
{
    Recorder recorder;
    HotKeyState state = recorder.state();
    EXPECT_EQ(HotKeyWindowProc(state, platform::WM_HOTKEY, GetParam().id, 99), 1);
    EXPECT_EQ(recorder.calls, GetParam().expected);
}

const QStringList EventsOnly = {QStringLiteral("events")};

INSTANTIATE_TEST_SUITE_P(Ids, HotKeyWindowProcTest,
                         ::testing::Values(HotKeyCase {0, EventsOnly}, HotKeyCase {1, EventsOnly},
                                           // Pending events run before the toggle.
                                           HotKeyCase {2, {QStringLiteral("events"), QStringLiteral("toggle")}},
                                           HotKeyCase {3, EventsOnly}, HotKeyCase {4, EventsOnly},
                                           HotKeyCase {5, EventsOnly}, HotKeyCase {6, EventsOnly},
                                           HotKeyCase {255, EventsOnly},
                                           // Not a byte: no key of ours, though its low byte is 2.
                                           HotKeyCase {258, {}}));

TEST(HotKeyWindowProc, OtherMessagesGoOnUnchangedWithTheirResult)
{
    Recorder recorder;
    HotKeyState state = recorder.state();
    EXPECT_EQ(HotKeyWindowProc(state, platform::WM_WINDOWPOSCHANGING, 2, 1234), 42);
    EXPECT_EQ(HotKeyWindowProc(state, 0x311, 2, -5), 42);
    EXPECT_EQ(recorder.calls, QStringList({QStringLiteral("next 70 2 1234"), QStringLiteral("next 785 2 -5")}));
}

} // namespace
