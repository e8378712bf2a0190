// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// What /proc says of a running process; nothing (a negative value) once it is gone.
namespace procstats {

// User and system CPU time of all its threads and of the children it has collected, in seconds.
double cpuSeconds(qint64 pid);
// A "Name:   1234 kB" line of /proc/<pid>/status (VmHWM, VmRSS), in KiB.
qint64 statusKiB(qint64 pid, const char *field);
int threads(qint64 pid);
int openFiles(qint64 pid);

} // namespace procstats
