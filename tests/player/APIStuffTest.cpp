// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/APIStuff.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using platform::WM_WINDOWPOSCHANGING;

// One message through the procedure: what was proposed and what the window's
// own procedure is handed.
struct Step {
    platform::MessageId message;
    std::int32_t cx, cy;
    std::int32_t expectedCx, expectedCy;
};

struct AspectCase {
    const char *name;
    std::vector<Step> steps;
    bool ratioSet;
    float ratio;
};

void PrintTo(const AspectCase &c, std::ostream *os)
{
    *os << c.name;
}

constexpr platform::MessageId WM_WINDOWPOSCHANGED = 0x47;

const AspectCase AspectCases[] = {
    {"FirstSizeFixesTheRatio", {{WM_WINDOWPOSCHANGING, 408, 374, 408, 374}}, true, float(408.0 / 374.0)},
    {"WiderGetsATallerHeight",
     {{WM_WINDOWPOSCHANGING, 400, 300, 400, 300}, {WM_WINDOWPOSCHANGING, 500, 300, 500, 375}},
     true,
     float(4.0 / 3.0)},
    {"NarrowerGetsAnAdjustedWidth",
     {{WM_WINDOWPOSCHANGING, 400, 300, 400, 300}, {WM_WINDOWPOSCHANGING, 400, 400, 533, 400}},
     true,
     float(4.0 / 3.0)},
    {"TallerGetsAWiderWidth",
     {{WM_WINDOWPOSCHANGING, 400, 300, 400, 300}, {WM_WINDOWPOSCHANGING, 400, 360, 480, 360}},
     true,
     float(4.0 / 3.0)},
    {"SameProportionsStay",
     {{WM_WINDOWPOSCHANGING, 400, 300, 400, 300}, {WM_WINDOWPOSCHANGING, 800, 600, 800, 600}},
     true,
     float(4.0 / 3.0)},
    {"HeightHalvesRoundToEven",
     {{WM_WINDOWPOSCHANGING, 200, 100, 200, 100},
      {WM_WINDOWPOSCHANGING, 5, 1, 5, 2}, // 2.5
      {WM_WINDOWPOSCHANGING, 7, 1, 7, 4}}, // 3.5
     true,
     2.0F},
    {"WidthHalvesRoundToEven",
     {{WM_WINDOWPOSCHANGING, 5, 2, 5, 2},
      {WM_WINDOWPOSCHANGING, 1, 1, 2, 1}, // 2.5
      {WM_WINDOWPOSCHANGING, 1, 3, 8, 3}}, // 7.5
     true,
     2.5F},
    {"RatioIsHeldAsA32BitFloat",
     {{WM_WINDOWPOSCHANGING, 408, 374, 408, 374}, {WM_WINDOWPOSCHANGING, 1, 1000000000, 1090909123, 1000000000}},
     true,
     float(408.0 / 374.0)},
    // 1.090909133 lies above the ratio but is the same 32-bit float.
    {"CurrentIsComparedAsA32BitFloat",
     {{WM_WINDOWPOSCHANGING, 408, 374, 408, 374},
      {WM_WINDOWPOSCHANGING, 1090909133, 1000000000, 1090909123, 1000000000}},
     true,
     float(408.0 / 374.0)},
    {"NoHeightPassesUntouchedAndFixesNothing",
     {{WM_WINDOWPOSCHANGING, 300, 0, 300, 0}, {WM_WINDOWPOSCHANGING, 300, -5, 300, -5}},
     false,
     0.0F},
    {"FirstSizeWithAHeightFixesTheRatio",
     {{WM_WINDOWPOSCHANGING, 300, 0, 300, 0},
      {WM_WINDOWPOSCHANGING, 400, 300, 400, 300},
      {WM_WINDOWPOSCHANGING, 500, 300, 500, 375}},
     true,
     float(4.0 / 3.0)},
    {"RatioIsNeverReset",
     {{WM_WINDOWPOSCHANGING, 400, 300, 400, 300},
      {WM_WINDOWPOSCHANGING, 100, 100, 133, 100},
      {WM_WINDOWPOSCHANGING, 1000, 500, 1000, 750}},
     true,
     float(4.0 / 3.0)},
    {"OtherMessagesPassUntouched",
     {{WM_WINDOWPOSCHANGED, 400, 300, 400, 300}, {WM_WINDOWPOSCHANGING, 300, 300, 300, 300}},
     true,
     1.0F},
    // The answer would not fit a 32-bit side: the proposal stays as it was.
    {"OverflowKeepsTheProposal",
     {{WM_WINDOWPOSCHANGING, 1, 1000, 1, 1000}, {WM_WINDOWPOSCHANGING, 2000000000, 1, 2000000000, 1}},
     true,
     0.001F},
};

class AspectWindowProcTest : public ::testing::TestWithParam<AspectCase>
{
};

TEST_P(AspectWindowProcTest, ProposedSizeReachesTheWindowInProportion)
{
    const AspectCase &c = GetParam();
    std::vector<platform::WINDOWPOS> seen;
    AspectState state;
    state.PrevWndProc = [&](platform::MessageId, platform::WParam, platform::LParam lParam) -> platform::LResult {
        seen.push_back(*reinterpret_cast<const platform::WINDOWPOS *>(lParam));
        return 7;
    };
    for (const Step &step : c.steps) {
        platform::WINDOWPOS pos {11, 22, step.cx, step.cy, 0x4};
        EXPECT_EQ(AspectWindowProc(state, step.message, 0, reinterpret_cast<platform::LParam>(&pos)), 7);
        ASSERT_FALSE(seen.empty());
        const platform::WINDOWPOS &handed = seen.back();
        EXPECT_EQ(handed.cx, step.expectedCx) << step.cx << "x" << step.cy;
        EXPECT_EQ(handed.cy, step.expectedCy) << step.cx << "x" << step.cy;
        EXPECT_EQ(handed.x, 11);
        EXPECT_EQ(handed.y, 22);
        EXPECT_EQ(handed.flags, 0x4U);
    }
    EXPECT_EQ(seen.size(), c.steps.size());
    EXPECT_EQ(state.AspectRatio.RatioSet, c.ratioSet ? -1 : 0);
    EXPECT_EQ(state.AspectRatio.Ratio, c.ratio);
}

INSTANTIATE_TEST_SUITE_P(Cases, AspectWindowProcTest, ::testing::ValuesIn(AspectCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
