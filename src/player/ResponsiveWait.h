// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// Waits for the engine while the window stays alive: painting, timers and the
// engine's own events go on, but the user's input waits until the wait is
// over, so that nothing the user does can re-enter what is waiting. Returns
// whether done() came true before the timeout.
bool waitResponsively(const std::function<bool()> &done, int timeoutMs);
