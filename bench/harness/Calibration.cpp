// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bench.h"
#include "Figures.h"
#include "PlayerSubject.h"

bool calibrate(Bench &bench)
{
    Desk *desk = bench.desk(0);
    if (!desk)
        return false;
    PlayerSubject player(*desk, bench.setup(), {});
    if (!player.waitForWindow(20000))
        return false;
    bench.setup().playerWindow = player.window().size();
    const QRect w = player.window();
    bench.log(
        QStringLiteral("the player's window: %1x%2 at %3,%4").arg(w.width()).arg(w.height()).arg(w.x()).arg(w.y()));
    return true;
}
