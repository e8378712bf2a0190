// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Report.h"

class Bench;

// Each measurement, run the bench's number of times; each gives its rows of the table.

// Finds where the player puts its window, which bare mpv's window then copies.
bool calibrate(Bench &bench);
// Which output bare mpv plays with at least cost here (client and X server), for the baseline.
bool chooseCheapestOutput(Bench &bench);
// CPU to play the 400x300, the 640x480 and the 1280x720 clip to the end, and the first in full
// screen; the peak memory of the 1280x720 clip.
QList<Row> playbackFigures(Bench &bench);
// CPU while nothing happens: no media, media paused, the pointer on a caption button.
QList<Row> idleFigures(Bench &bench);
// From exec to the first frame on screen.
QList<Row> startFigures(Bench &bench);
// From the Next command to the next file's first frame.
QList<Row> nextFigures(Bench &bench);
// From a drag of the position bar's thumb to the new frame.
QList<Row> seekFigures(Bench &bench);
// 300 files opened one after another, then one end of file: what grows.
QList<Row> soakFigures(Bench &bench);
// A 100,000-entry playlist into the playlist window, and "Add All" in a folder of 10,000 files.
QList<Row> listFigures(Bench &bench);
