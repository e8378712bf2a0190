// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "player/VideoOutput.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

// What every measurement shares: the programs and where the picture shows.
struct Setup {
    QString playerBinary;
    // The in-process benchmarks of the playlist window.
    QString playlistLoadBinary;
    QString addAllBinary;
    // The engine options the player gives libmpv with the output it chooses on this machine, as
    // mpv command line options.
    QStringList mpvOptions;
    QString playerOutput;
    // Bare mpv as a user runs it, with the output that costs least here (measured).
    QStringList cheapestMpvOptions;
    QString cheapestOutput;
    // The size of the player's main window.
    QSize playerWindow;

    // Bare mpv's window: the player's picture area (below its 40-pixel title strip) where
    // the player means its window to be, in the middle of the 1280x1024 screen.
    QRect videoArea() const
    {
        const QPoint topLeft((1280 - playerWindow.width()) / 2, (1024 - playerWindow.height()) / 2);
        return QRect(topLeft, playerWindow).adjusted(0, 40, 0, 0);
    }
};

// The options of libmpv that the player sets with that output, so that bare mpv runs with the
// same ones: each becomes --name=value. An option this mpv does not know is left out, as libmpv
// of the same version ignores it for the player.
QStringList engineOptions(VideoOutput output);
