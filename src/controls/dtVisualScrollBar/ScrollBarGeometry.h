// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QSizeF>
#include <QtGlobal>

#include <optional>

// The arithmetic of the scroll bar's face, free of widgets: where the arrows,
// the thumb and the track go, and which value a dragged thumb stands for. All
// lengths are twips; coordinates are the control's.

namespace ScrollBarGeometry {

// Alignments 0-2 belong to a vertical bar, 3-5 to a horizontal one.
bool alignmentFits(bool vertical, int alignment);

// The cross-axis place of a box of the given thickness on a bar of the given
// thickness; nothing when the alignment does not belong to the orientation.
std::optional<double> across(bool vertical, int alignment, double barThickness, double boxThickness);

struct ArrowPlaces {
    QPointF nearArrow; // up or left
    QPointF farArrow; // down or right
};

// Shown arrows sit at the ends of the bar, hidden ones just outside it so that
// the track spans the whole bar without a special case.
std::optional<ArrowPlaces> arrowPlaces(bool vertical, int alignment, bool shown, QSizeF bar, QSizeF nearBox,
                                       QSizeF farBox);

// The thumb's leading edge for a value: Min at the track start, Max at its end.
// A range that is empty or reversed keeps the thumb at the start, and a value
// outside the range is held at the nearer end.
double thumbLeading(qint64 value, qint64 min, qint64 max, double trackStart, double trackEnd);

// Where a dragged thumb may go: the proposed edge rounded and held in the track
// (at the start when the thumb is longer than the track).
int dragPosition(double proposed, int trackStart, int trackEnd);

// The value a dragged thumb's leading edge stands for; Min on a track of no length.
qint32 dragValue(double leading, int trackStart, int trackEnd, qint32 min, qint32 max);

// A double rounded half to even and held inside the 32-bit range.
int wholeTwips(double twips);

} // namespace ScrollBarGeometry
