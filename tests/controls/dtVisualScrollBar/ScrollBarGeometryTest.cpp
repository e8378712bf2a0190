// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/dtVisualScrollBar/ScrollBarGeometry.h"

#include <gtest/gtest.h>

#include <limits>

using namespace ScrollBarGeometry;

struct AcrossCase {
    bool vertical;
    int alignment;
    double bar;
    double box;
    std::optional<double> expected;
};

class Across : public ::testing::TestWithParam<AcrossCase>
{
};

TEST_P(Across, PlacesTheBoxAcrossTheBar)
{
    const AcrossCase &c = GetParam();
    EXPECT_EQ(across(c.vertical, c.alignment, c.bar, c.box), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Alignments, Across,
                         ::testing::Values(AcrossCase {true, 0, 400, 315, 0.0}, AcrossCase {true, 2, 400, 315, 85.0},
                                           // Vertical centring is nearest(free) \ 2, on whole twips.
                                           AcrossCase {true, 1, 316, 315, 0.0}, AcrossCase {true, 1, 318, 315, 1.0},
                                           AcrossCase {true, 1, 315.5, 315, 0.0}, AcrossCase {true, 1, 320, 315, 2.0},
                                           // A box wider than the bar: the quotient truncates toward zero.
                                           AcrossCase {true, 1, 300, 315, -7.0},
                                           // Horizontal centring keeps the half.
                                           AcrossCase {false, 3, 316, 315, 0.0}, AcrossCase {false, 4, 316, 315, 0.5},
                                           AcrossCase {false, 5, 316, 315, 1.0},
                                           // Alignments of the other orientation, or none at all, place nothing.
                                           AcrossCase {true, 4, 316, 315, std::nullopt},
                                           AcrossCase {false, 1, 316, 315, std::nullopt},
                                           AcrossCase {false, 6, 316, 315, std::nullopt},
                                           AcrossCase {true, -1, 316, 315, std::nullopt}));

TEST(ArrowPlaces, HorizontalShownAndHidden)
{
    const QSizeF bar(3000, 315);
    const QSizeF arrow(240, 315);
    const auto shown = arrowPlaces(false, 4, true, bar, arrow, arrow);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->nearArrow, QPointF(0, 0));
    EXPECT_EQ(shown->farArrow, QPointF(2760, 0));
    const auto hidden = arrowPlaces(false, 5, false, QSizeF(3000, 400), arrow, arrow);
    ASSERT_TRUE(hidden);
    EXPECT_EQ(hidden->nearArrow, QPointF(-240, 85));
    EXPECT_EQ(hidden->farArrow, QPointF(3000, 85));
}

TEST(ArrowPlaces, VerticalShownAndHidden)
{
    const QSizeF bar(345, 3000);
    const QSizeF arrow(315, 240);
    const auto shown = arrowPlaces(true, 1, true, bar, arrow, QSizeF(315, 200));
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->nearArrow, QPointF(15, 0));
    EXPECT_EQ(shown->farArrow, QPointF(15, 2800));
    const auto hidden = arrowPlaces(true, 2, false, bar, arrow, arrow);
    ASSERT_TRUE(hidden);
    EXPECT_EQ(hidden->nearArrow, QPointF(30, -240));
    EXPECT_EQ(hidden->farArrow, QPointF(30, 3000));
    EXPECT_FALSE(arrowPlaces(true, 3, true, bar, arrow, arrow));
}

struct LeadingCase {
    qint64 value;
    qint64 min;
    qint64 max;
    double start;
    double end;
    double expected;
};

class ThumbLeading : public ::testing::TestWithParam<LeadingCase>
{
};

TEST_P(ThumbLeading, MapsTheValueOntoTheTrack)
{
    const LeadingCase &c = GetParam();
    EXPECT_DOUBLE_EQ(thumbLeading(c.value, c.min, c.max, c.start, c.end), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ThumbLeading,
    ::testing::Values(LeadingCase {0, 0, 100, 240, 2445, 240}, LeadingCase {100, 0, 100, 240, 2445, 2445},
                      LeadingCase {50, 0, 100, 240, 2445, 1342.5}, LeadingCase {-2500, -5000, 0, 0, 2700, 1350},
                      // The widest range does not overflow.
                      LeadingCase {2147483647, -2147483647 - 1, 2147483647, 0, 1000, 1000},
                      // A thumb longer than its track runs backwards.
                      LeadingCase {100, 0, 100, 240, 140, 140},
                      // An empty or reversed range (only a saved face can hold one) keeps the thumb at the start.
                      LeadingCase {5, 5, 5, 240, 2445, 240}, LeadingCase {5, 10, 0, 240, 2445, 240},
                      // A saved value outside the range stays on the track.
                      LeadingCase {2000, 0, 100, 0, 1000, 1000}, LeadingCase {-50, 0, 100, 0, 1000, 0}));

TEST(DragPosition, HeldInTheTrackEndFirst)
{
    EXPECT_EQ(dragPosition(135, 0, 2700), 135);
    EXPECT_EQ(dragPosition(134.5, 0, 2700), 134); // half to even
    EXPECT_EQ(dragPosition(5000, 0, 2700), 2700);
    EXPECT_EQ(dragPosition(-40, 0, 2700), 0);
    // A track shorter than nothing leaves the thumb at its start.
    EXPECT_EQ(dragPosition(100, 240, 140), 240);
    EXPECT_EQ(dragPosition(1e300, 0, 10), 10);
}

TEST(DragValue, MapsTheEdgeBackToAValue)
{
    EXPECT_EQ(dragValue(135, 0, 2700, 0, 1000), 50);
    EXPECT_EQ(dragValue(2700, 0, 2700, 0, 1000), 1000);
    EXPECT_EQ(dragValue(0, 0, 2685, -5000, 0), -5000);
    EXPECT_EQ(dragValue(2685, 0, 2685, -5000, 0), 0);
    EXPECT_EQ(dragValue(3000, 0, 3000, -2147483647 - 1, 2147483647), 2147483647);
    // No track at all, or a negative one: Min, never a division by zero.
    EXPECT_EQ(dragValue(240, 240, 240, 7, 1000), 7);
    EXPECT_EQ(dragValue(240, 240, 140, 7, 1000), 7);
}

TEST(WholeTwips, RoundsHalfToEvenAndStaysInRange)
{
    EXPECT_EQ(wholeTwips(2.5), 2);
    EXPECT_EQ(wholeTwips(3.5), 4);
    EXPECT_EQ(wholeTwips(1e12), std::numeric_limits<int>::max());
    EXPECT_EQ(wholeTwips(-1e12), std::numeric_limits<int>::min());
    EXPECT_EQ(wholeTwips(std::numeric_limits<double>::quiet_NaN()), 0);
}
