// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// The engine's audio controls for the graph's decibel-based volume and balance.

// Volume in hundredths of a decibel (0 loudest) to the engine's volume
// property, whose scale is cubic: 100 * 10^(volume / 6000) is exact in decibels.
double mpvVolume(int volume);

// Balance in hundredths of a decibel (-10000 left only .. 10000 right only) to
// an audio filter chain that lowers the other side; 0 needs no filter and
// gives an empty chain.
QByteArray mpvBalanceFilter(int balance);
