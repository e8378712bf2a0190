// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcStats.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace procstats {

namespace {

QByteArray procFile(qint64 pid, const char *name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint64 statusField(qint64 pid, const char *field)
{
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : procFile(pid, "status").split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

} // namespace

double cpuSeconds(qint64 pid)
{
    const QByteArray stat = procFile(pid, "stat");
    // The command name in parentheses may hold blanks: count the fields after it.
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return -1;
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    // utime, stime, cutime and cstime are fields 14 to 17 of the whole line, 12 to 15 after the
    // name: a program's cost includes the children it has waited for (the player's GL probe).
    if (fields.size() < 15)
        return -1;
    const qint64 ticks
        = fields[11].toLongLong() + fields[12].toLongLong() + fields[13].toLongLong() + fields[14].toLongLong();
    return double(ticks) / double(sysconf(_SC_CLK_TCK));
}

qint64 statusKiB(qint64 pid, const char *field)
{
    return statusField(pid, field);
}

int threads(qint64 pid)
{
    return int(statusField(pid, "Threads"));
}

int openFiles(qint64 pid)
{
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    return fds.exists() ? int(fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size()) : -1;
}

} // namespace procstats
