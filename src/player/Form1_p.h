// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the parts of the main window's implementation share.

#include <QString>

namespace form1 {

inline const QString ApplicationTitle = QStringLiteral("KAVEL Player");
inline const QString TitlePrefix = ApplicationTitle + QStringLiteral(" :");
inline const QString ZeroTime = QStringLiteral("00:00:00");

// The minimum outer size of the main window, in twips.
inline constexpr int MinimumWidthTwips = 6120;
inline constexpr int MinimumHeightTwips = 5610;
// The title strip above the video.
inline constexpr int TitleStripHeight = 40;
// How far in from the edges the window can be sized, in pixels.
inline constexpr int ResizeBorderWidth = 4;

} // namespace form1
