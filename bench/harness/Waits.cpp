// SPDX-License-Identifier: GPL-3.0-or-later
#include "Waits.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {

constexpr double PictureLit = 0.25;
// Two looks of the same still picture differ by scaling noise only.
constexpr double StillDistance = 2.0;

} // namespace

bool showsPicture(const Look &look)
{
    return look.lit >= PictureLit;
}

bool showsPictureIn(const Desk &desk, const std::optional<QRect> &area)
{
    const std::optional<Look> look = area ? lookAt(desk, *area) : std::nullopt;
    return look && showsPicture(*look);
}

std::optional<double> waitForLook(const Desk &desk, const std::function<std::optional<QRect>()> &area,
                                  const QElapsedTimer &since, const std::function<bool(const Look &)> &accept,
                                  int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const std::optional<QRect> where = area();
        const std::optional<Look> look = where ? lookAt(desk, *where) : std::nullopt;
        // The time the look was taken at: the server answers in order.
        const double ms = double(since.nsecsElapsed()) / 1e6;
        if (look && accept(*look))
            return ms;
        QThread::usleep(1000);
    }
    return std::nullopt;
}

std::optional<Look> waitForStillPicture(const Desk &desk, const QRect &area, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    std::optional<Look> last;
    while (!deadline.hasExpired()) {
        const std::optional<Look> now = lookAt(desk, area);
        if (now && last && showsPicture(*now) && now->distance(*last) < StillDistance)
            return now;
        last = now;
        QThread::msleep(200);
    }
    return std::nullopt;
}

bool standsStill(const Desk &desk, const QRect &area, int ms)
{
    const std::optional<Look> before = lookAt(desk, area);
    QThread::msleep(ms);
    const std::optional<Look> after = lookAt(desk, area);
    return before && after && before->distance(*after) < StillDistance;
}
