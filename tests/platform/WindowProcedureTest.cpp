// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowProcedure.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace platform;

// A procedure that notes its name and passes on to the one kept in previous,
// as a subclassing procedure does with the one it replaced.
WindowProc passingOn(std::string &trace, const char *name, const WindowProc &previous)
{
    return [&trace, name, &previous](MessageId message, WParam wParam, LParam lParam) {
        trace += name;
        return callWindowProc(previous, message, wParam, lParam) + 1;
    };
}

TEST(WindowProcedureChain, NewestProcedureRunsFirstAndPassesOnToTheOneItReplaced)
{
    std::string trace;
    WindowProcedureChain window([&trace](MessageId message, WParam wParam, LParam lParam) -> LResult {
        trace += "own";
        return LResult(message + wParam) + lParam;
    });
    EXPECT_EQ(window.sendMessage(1, 2, 3), 6);

    WindowProc beforeA;
    WindowProc beforeB;
    beforeA = window.setWindowProc(passingOn(trace, "a>", beforeA));
    beforeB = window.setWindowProc(passingOn(trace, "b>", beforeB));
    trace.clear();
    EXPECT_EQ(window.sendMessage(1, 2, 3), 8);
    EXPECT_EQ(trace, "b>a>own");

    // Putting the first one back removes both.
    window.setWindowProc(beforeA);
    trace.clear();
    EXPECT_EQ(window.sendMessage(1, 2, 3), 6);
    EXPECT_EQ(trace, "own");
}

TEST(WindowProcedureChain, NoProcedureAnswersZero)
{
    WindowProcedureChain window({});
    EXPECT_EQ(window.sendMessage(WM_HOTKEY, 2, 0), 0);
    EXPECT_EQ(callWindowProc({}, WM_HOTKEY, 2, 0), 0);
}

// A procedure may replace itself while it runs, as unloading inside a hot key
// does, and still read its own state afterwards (the sanitizer run catches a
// procedure destroyed under its own feet).
TEST(WindowProcedureChain, ProcedureReplacedWhileItRunsFinishes)
{
    WindowProcedureChain window([](MessageId, WParam, LParam) -> LResult { return 1; });
    const std::string state = "still here";
    window.setWindowProc([&window, state](MessageId, WParam, LParam) -> LResult {
        window.setWindowProc([](MessageId, WParam, LParam) -> LResult { return 2; });
        return LResult(state.size());
    });
    EXPECT_EQ(window.sendMessage(0, 0, 0), 10);
    EXPECT_EQ(window.sendMessage(0, 0, 0), 2);
}

} // namespace
