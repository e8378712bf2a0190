// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/FormatTime.h"
#include "player/VideoFit.h"

#include <gtest/gtest.h>

TEST(FormatTime, WholeSecondsAsHoursMinutesSeconds)
{
    const struct {
        double seconds;
        const char *text;
        double truncated;
    } cases[] = {
        {0, "00:00:00", 0},
        {0.99, "00:00:00", 0},
        {-3, "00:00:00", -3},
        {1, "00:00:01", 1},
        {59.6, "00:00:59", 59},
        {95, "00:01:35", 95},
        {3725, "01:02:05", 3725},
        {86399, "23:59:59", 86399},
        {24 * 3600 + 5 * 60, "24:05:00", 24 * 3600 + 5 * 60},
        {25 * 3600 + 61, "24:59:59", 25 * 3600 + 61},
    };
    for (const auto &c : cases) {
        double seconds = c.seconds;
        EXPECT_EQ(FormatTime(seconds).toStdString(), c.text) << c.seconds;
        EXPECT_EQ(seconds, c.truncated) << "the caller's value is truncated in place";
    }
}

TEST(VideoFit, LargestCentredSizeThatKeepsTheProportions)
{
    const struct {
        int boxW, boxH, videoW, videoH;
        QRect place;
    } cases[] = {
        {400, 300, 640, 480, {0, 0, 400, 300}},    {500, 300, 640, 480, {50, 0, 400, 300}},
        {408, 334, 720, 576, {0, 4, 408, 326}},    {640, 480, 640, 480, {0, 0, 640, 480}},
        {1024, 576, 1024, 576, {0, 0, 1024, 576}}, {408, 334, 1024, 576, {0, 52, 408, 229}},
        {300, 1, 640, 480, {150, 0, 1, 1}}, // never smaller than one pixel
    };
    for (const auto &c : cases)
        EXPECT_EQ(fitVideo(c.boxW, c.boxH, c.videoW, c.videoH), c.place) << c.boxW << "x" << c.boxH;
}

TEST(VideoFit, NothingWithoutAVideoSize)
{
    EXPECT_FALSE(fitVideo(400, 300, 0, 0).has_value());
    EXPECT_FALSE(fitVideo(400, 300, 640, 0).has_value());
}
