// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureWaits.h"

#include <QDeadlineTimer>
#include <QThread>

namespace desktop {

namespace {

// Two looks of the same still picture differ by scaling noise only.
constexpr double StillDistance = 2.0;

} // namespace

bool showsPictureIn(xcb_connection_t *c, const std::optional<QRect> &area)
{
    const std::optional<Look> look = area ? lookAt(c, *area) : std::nullopt;
    return look && look->showsPicture();
}

std::optional<double> waitForLook(xcb_connection_t *c, const std::function<std::optional<QRect>()> &area,
                                  const QElapsedTimer &since, const std::function<bool(const Look &)> &accept,
                                  int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const std::optional<QRect> where = area();
        const std::optional<Look> look = where ? lookAt(c, *where) : std::nullopt;
        // The time the look was taken at: the server answers in order.
        const double ms = double(since.nsecsElapsed()) / 1e6;
        if (look && accept(*look))
            return ms;
        QThread::usleep(1000);
    }
    return std::nullopt;
}

std::optional<Look> waitForStillPicture(xcb_connection_t *c, const QRect &area, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    std::optional<Look> last;
    while (!deadline.hasExpired()) {
        const std::optional<Look> now = lookAt(c, area);
        if (now && last && now->showsPicture() && now->distance(*last) < StillDistance)
            return now;
        last = now;
        QThread::msleep(200);
    }
    return std::nullopt;
}

bool standsStill(xcb_connection_t *c, const QRect &area, int ms)
{
    const std::optional<Look> before = lookAt(c, area);
    QThread::msleep(ms);
    const std::optional<Look> after = lookAt(c, area);
    return before && after && before->distance(*after) < StillDistance;
}

} // namespace desktop
