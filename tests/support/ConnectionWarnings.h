// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Makes Qt's warning about arguments it cannot queue a failure of the running test. The controls'
// events hand their arguments by reference so that a handler can change them; over a queued
// connection Qt cannot pass a reference, drops the call and only warns, and the handler's work
// would be lost unnoticed.
void failTestsOnConnectionWarnings();
