// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bench.h"
#include "DisplayCounts.h"
#include "Figures.h"
#include "ProcStats.h"
#include "Subject.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <array>

// 300 files opened one after another by Next every 0.5 s, then one end of file
// that moves on by itself; the player and bare mpv at once, each on a display of
// its own.

namespace {

using Program = Subject::Program;

constexpr std::array Programs = {Program::Player, Program::Mpv};
constexpr int Files = 300;
constexpr int EarlyFile = 20;
constexpr int NextEveryMs = 500;
// Opening a file takes well under this.
constexpr int SampleAfterMs = 250;
// A 10 s clip ends and the next one opens.
constexpr int AdvanceTimeoutMs = 30000;
// For a program to work through the clicks given to it.
constexpr int CatchUpTimeoutMs = 60000;
constexpr double MiB = 1024.0;

struct Sample {
    double rssMiB = 0;
    int threads = 0;
    int files = 0;
    int windows = 0;
    int clients = 0;
    QString playing;
};

struct Slot {
    Program program;
    Desk *desk = nullptr;
    std::unique_ptr<Subject> subject;
    Sample early;
    Sample last;
    // From the last Next until it showed the last file; -1 when it never did.
    qint64 caughtUpMs = -1;
    bool advanced = false;
};

Sample sampleOf(Slot &slot)
{
    const qint64 pid = slot.subject->pid();
    return {double(procstats::statusKiB(pid, "VmRSS")) / MiB,
            procstats::threads(pid),
            procstats::openFiles(pid),
            displaycounts::windowCount(*slot.desk),
            displaycounts::clientCount(*slot.desk),
            slot.subject->playing()};
}

QString entryName(int file)
{
    return QStringLiteral("entry-%1.avi").arg(file, 3, 10, QLatin1Char('0'));
}

bool waitUntilPlaying(Subject &subject, const QString &name, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (subject.playing() == name)
            return true;
        QThread::msleep(200);
    }
    return false;
}

QString change(int from, int to)
{
    return QStringLiteral("%1 -> %2").arg(from).arg(to);
}

} // namespace

QList<Row> soakFigures(Bench &bench)
{
    bench.log(QStringLiteral("soak: %1 files by Next every %2 ms, then one end of file").arg(Files).arg(NextEveryMs));
    QStringList entries;
    for (int file = 1; file <= Files; ++file)
        entries.append(bench.media(QStringLiteral("soak/") + entryName(file)));
    std::array<Slot, Programs.size()> places;
    for (std::size_t p = 0; p < Programs.size(); ++p) {
        places[p].program = Programs[p];
        places[p].desk = bench.desk(int(p));
        if (!places[p].desk)
            return {};
        places[p].subject = launch(Programs[p], *places[p].desk, bench.setup(),
                                   bench.media(QStringLiteral("soak/soak.pls")), entries);
    }
    for (Slot &slot : places) {
        if (!slot.subject->waitForWindow(20000) || !waitUntilPlaying(*slot.subject, entryName(1), 20000)) {
            bench.log(QStringLiteral("soak: %1 did not start playing the list").arg(programName(slot.program)));
            return {};
        }
    }

    QElapsedTimer clock;
    clock.start();
    qint64 due = 0;
    for (int file = 2; file <= Files; ++file) {
        due += NextEveryMs;
        if (const qint64 early = due - clock.elapsed(); early > 0)
            QThread::msleep(early);
        for (Slot &slot : places) {
            slot.subject->prepareNext();
            slot.subject->next();
        }
        if (file == EarlyFile) {
            // Before the 21st, once the 20th has opened.
            QThread::msleep(SampleAfterMs);
            // Each is sampled as it gets there: the one that is ahead could move on by itself.
            std::array<bool, Programs.size()> sampled {};
            QDeadlineTimer deadline(CatchUpTimeoutMs);
            while (!deadline.hasExpired() && !std::all_of(sampled.begin(), sampled.end(), [](bool b) { return b; })) {
                for (std::size_t p = 0; p < places.size(); ++p) {
                    if (!sampled[p] && places[p].subject->playing() == entryName(EarlyFile)) {
                        places[p].early = sampleOf(places[p]);
                        sampled[p] = true;
                    }
                }
                QThread::msleep(50);
            }
            for (std::size_t p = 0; p < places.size(); ++p) {
                if (sampled[p])
                    continue;
                places[p].early = sampleOf(places[p]);
                bench.log(QStringLiteral("soak: %1 does not show the 20th file but \"%2\"%3")
                              .arg(programName(places[p].program), places[p].early.playing,
                                   places[p].subject->running() ? QString() : QStringLiteral(", and has ended")));
            }
            // The ticks go on from here.
            due = clock.elapsed();
        }
        if (file % 50 == 0) {
            QStringList state;
            for (Slot &slot : places)
                state.append(
                    QStringLiteral("%1 plays %2, RSS %3 MiB")
                        .arg(programName(slot.program),
                             slot.subject->running() ? slot.subject->playing() : QStringLiteral("nothing (ended)"))
                        .arg(double(procstats::statusKiB(slot.subject->pid(), "VmRSS")) / MiB, 0, 'f', 1));
            bench.log(QStringLiteral("soak: %1 Nexts given; %2").arg(file - 1).arg(state.join(QStringLiteral("; "))));
        }
    }
    const qint64 lastNext = clock.elapsed();
    // Each program may still be working through the clicks; then the last entry plays to its
    // end and the list goes round to the first: one end of file.
    QDeadlineTimer deadline(CatchUpTimeoutMs + AdvanceTimeoutMs);
    while (!deadline.hasExpired()) {
        bool waiting = false;
        for (Slot &slot : places) {
            if (slot.advanced)
                continue;
            waiting = true;
            const QString playing = slot.subject->playing();
            if (slot.caughtUpMs < 0 && playing == entryName(Files))
                slot.caughtUpMs = clock.elapsed() - lastNext;
            if (slot.caughtUpMs >= 0 && playing == entryName(1)) {
                slot.advanced = true;
                QThread::msleep(SampleAfterMs);
                slot.last = sampleOf(slot);
            }
        }
        if (!waiting)
            break;
        QThread::msleep(100);
    }
    for (Slot &slot : places) {
        if (!slot.advanced)
            slot.last = sampleOf(slot);
        bench.log(QStringLiteral("soak: %1 showed the last file %2 ms after the last Next")
                      .arg(programName(slot.program))
                      .arg(slot.caughtUpMs));
    }

    QList<Row> rows;
    const auto growth = [](const Slot &slot) {
        return slot.last.rssMiB - slot.early.rssMiB;
    };
    QString verdict = cells::verdict(places[0].subject->running() && growth(places[0]) <= 5.0);
    for (const Slot &slot : places) {
        if (!slot.subject->running())
            verdict += QStringLiteral(" (%1 ended during the soak)").arg(programName(slot.program));
    }
    for (const Slot &slot : places) {
        if (slot.early.playing != entryName(EarlyFile) || !slot.advanced)
            verdict += QStringLiteral(" (%1 played %2 at the 20th file, %3 at the end)")
                           .arg(programName(slot.program), slot.early.playing, slot.last.playing);
        if (slot.caughtUpMs > NextEveryMs)
            verdict += QStringLiteral(" (%1 showed the last file %2 s after the last Next)")
                           .arg(programName(slot.program))
                           .arg(slot.caughtUpMs / 1000.0, 0, 'f', 1);
    }
    const auto rss = [](const Slot &slot) {
        return QStringLiteral("%1 MiB (%2 -> %3)")
            .arg(slot.last.rssMiB - slot.early.rssMiB, 0, 'f', 1)
            .arg(slot.early.rssMiB, 0, 'f', 1)
            .arg(slot.last.rssMiB, 0, 'f', 1);
    };
    rows.append({QStringLiteral("soak: RSS growth from the 20th file to after the last and one end of file"),
                 rss(places[0]), rss(places[1]), QStringLiteral("-"), QStringLiteral("<= 5 MiB"), verdict});
    const auto counts = [](const Slot &slot) {
        return QStringLiteral("threads %1, fds %2, X windows %3, X clients %4")
            .arg(change(slot.early.threads, slot.last.threads), change(slot.early.files, slot.last.files),
                 change(slot.early.windows, slot.last.windows), change(slot.early.clients, slot.last.clients));
    };
    const Sample &e = places[0].early;
    const Sample &l = places[0].last;
    const bool steady = places[0].subject->running() && l.threads <= e.threads && l.files <= e.files
        && l.windows <= e.windows && l.clients <= e.clients;
    rows.append({QStringLiteral("soak: threads, file descriptors, X windows (20th file -> end)"), counts(places[0]),
                 counts(places[1]), QStringLiteral("-"), QStringLiteral("no growth"), cells::verdict(steady)});
    return rows;
}
