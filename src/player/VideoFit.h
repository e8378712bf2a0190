// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

#include <optional>

// Where a video of videoWidth x videoHeight goes in a box of boxWidth x
// boxHeight: the largest size that keeps its proportions, centred, never
// smaller than 1 x 1. Nothing when the video size is unknown.
std::optional<QRect> fitVideo(double boxWidth, double boxHeight, int videoWidth, int videoHeight);
