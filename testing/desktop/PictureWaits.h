// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Look.h"

#include <QElapsedTimer>

#include <functional>
#include <optional>

// Waiting for what an area of the screen shows.
namespace desktop {

// The area, where a window has one, shows a picture now.
bool showsPictureIn(xcb_connection_t *c, const std::optional<QRect> &area);

// Polls the area as fast as the server answers until accept takes what it shows; the
// milliseconds from since until the look that was taken, nothing at the deadline.
// area says where to look each time: a window may still move.
std::optional<double> waitForLook(xcb_connection_t *c, const std::function<std::optional<QRect>()> &area,
                                  const QElapsedTimer &since, const std::function<bool(const Look &)> &accept,
                                  int timeoutMs);

// Waits until the area shows a picture that stands still (two looks 200 ms apart that
// hardly differ), and gives that picture's look.
std::optional<Look> waitForStillPicture(xcb_connection_t *c, const QRect &area, int timeoutMs);

// True when the area changes no more than noise between two looks apart by ms.
bool standsStill(xcb_connection_t *c, const QRect &area, int ms);

} // namespace desktop
