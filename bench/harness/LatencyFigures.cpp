// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bench.h"
#include "Figures.h"
#include "Stats.h"
#include "Subject.h"
#include "desktop/ClientWindows.h"
#include "desktop/PictureWaits.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QThread>

#include <array>
#include <functional>

// The times from a command to what it brings on screen, each program alone on
// the first desk, the two taking turns run by run.

namespace {

using Program = Subject::Program;

constexpr std::array Programs = {Program::Player, Program::Mpv};
constexpr int StartTimeoutMs = 20000;
constexpr int AnswerTimeoutMs = 10000;
// Another picture than the one before: clearly apart, cell by cell.
constexpr double OtherPicture = 20.0;
// Time for the player's playlist timers to have started the first entry for good.
constexpr int PlaylistSettleMs = 1500;

// A start costs half a second and varies most with what else the machine does: twice the runs and one.
int startRuns(const Bench &bench)
{
    return bench.runs() * 2 + 1;
}

struct Timings {
    std::array<std::vector<double>, 2> ms;
    std::array<int, 2> failures {};
};

void waitUntilGone(const Desk &desk)
{
    QDeadlineTimer deadline(AnswerTimeoutMs);
    while (!deadline.hasExpired()
           && (desktop::shownWindow(desk.connection(), QStringLiteral("kavel-player"))
               || desktop::shownWindow(desk.connection(), QStringLiteral("mpv"))))
        QThread::msleep(50);
}

// A figure's runs: each run gives the milliseconds of one program, or nothing when it failed.
Timings timeRuns(Bench &bench, const QString &what, int runs,
                 const std::function<std::optional<double>(Desk &, Program)> &once)
{
    Timings timings;
    Desk *desk = bench.desk(0);
    if (!desk)
        return timings;
    for (int run = 0; run < runs; ++run) {
        for (std::size_t p = 0; p < Programs.size(); ++p) {
            bench.log(
                QStringLiteral("%1, run %2 of %3: %4").arg(what).arg(run + 1).arg(runs).arg(programName(Programs[p])));
            const std::optional<double> ms = once(*desk, Programs[p]);
            if (ms)
                timings.ms[p].push_back(*ms);
            else
                ++timings.failures[p];
            // The next run starts on an empty screen.
            waitUntilGone(*desk);
        }
    }
    return timings;
}

Row rowOf(const QString &figure, const Timings &timings, const QString &target, std::optional<bool> met)
{
    const std::optional<double> p = median(timings.ms[0]);
    const std::optional<double> m = median(timings.ms[1]);
    QString verdict = cells::verdict(met);
    if (timings.failures[0] || timings.failures[1])
        verdict += QStringLiteral(" (failed runs: %1 / %2)").arg(timings.failures[0]).arg(timings.failures[1]);
    return {figure,
            cells::number(p, 0, QStringLiteral("ms")),
            cells::number(m, 0, QStringLiteral("ms")),
            cells::ratio(p, m),
            target,
            verdict};
}

std::optional<bool> ratioMet(const Timings &timings, double limit)
{
    const std::optional<double> p = median(timings.ms[0]);
    const std::optional<double> m = median(timings.ms[1]);
    if (!p || !m)
        return std::nullopt;
    return *p / *m <= limit;
}

// A program started on its media, showing a still picture of the first file.
struct Started {
    std::unique_ptr<Subject> subject;
    // Where and what it shows.
    QRect area;
    std::optional<desktop::Look> first;
};

Started startOn(Bench &bench, Desk &desk, Program program, const QString &playerPath, const QStringList &mpvFiles)
{
    Started started {launch(program, desk, bench.setup(), playerPath, mpvFiles), {}, {}};
    if (!started.subject->waitForWindow(StartTimeoutMs))
        return started;
    if (program == Program::Player)
        QThread::msleep(PlaylistSettleMs);
    if (const std::optional<QRect> area = started.subject->lookArea()) {
        started.area = *area;
        started.first = desktop::waitForStillPicture(desk.connection(), *area, StartTimeoutMs);
    }
    return started;
}

} // namespace

QList<Row> startFigures(Bench &bench)
{
    const QString clip = bench.media(QStringLiteral("play-640x480.avi"));
    // When the window first showed, to tell the program's own start from the engine's.
    std::array<std::vector<double>, 2> windowMs;
    const Timings timings
        = timeRuns(bench, QStringLiteral("start to first frame"), startRuns(bench), [&](Desk &desk, Program program) {
              QElapsedTimer since;
              since.start();
              const std::unique_ptr<Subject> subject = launch(program, desk, bench.setup(), clip, {clip});
              std::optional<double> shown;
              const std::optional<double> ms = desktop::waitForLook(
                  desk.connection(),
                  [&] {
                      const std::optional<QRect> area = subject->lookArea();
                      if (area && !shown)
                          shown = double(since.nsecsElapsed()) / 1e6;
                      return area;
                  },
                  since, &desktop::Look::showsPicture, StartTimeoutMs);
              if (ms && shown)
                  windowMs[program == Program::Player ? 0 : 1].push_back(*shown);
              return ms;
          });
    Row row = rowOf(QStringLiteral("start to first frame (exec to picture, file on the command line)"), timings,
                    QStringLiteral("ratio <= 1.2"), ratioMet(timings, 1.2));
    row.player += QStringLiteral(" (window %1)").arg(cells::number(median(windowMs[0]), 0, QStringLiteral("ms")));
    row.mpv += QStringLiteral(" (window %1)").arg(cells::number(median(windowMs[1]), 0, QStringLiteral("ms")));
    return {row};
}

QList<Row> nextFigures(Bench &bench)
{
    const QStringList files {bench.media(QStringLiteral("look-a.avi")), bench.media(QStringLiteral("look-b.avi"))};
    const QString list = bench.media(QStringLiteral("next.pls"));
    const Timings timings = timeRuns(
        bench, QStringLiteral("next entry"), bench.runs(), [&](Desk &desk, Program program) -> std::optional<double> {
            const Started started = startOn(bench, desk, program, list, files);
            Subject *subject = started.subject.get();
            const std::optional<desktop::Look> &first = started.first;
            if (!first) {
                bench.log(QStringLiteral("no still picture of the first file"));
                return std::nullopt;
            }
            subject->prepareNext();
            QElapsedTimer since;
            since.start();
            subject->next();
            const std::optional<double> ms = desktop::waitForLook(
                desk.connection(), [&] { return std::optional(started.area); }, since,
                [&](const desktop::Look &look) { return look.showsPicture() && look.distance(*first) > OtherPicture; },
                AnswerTimeoutMs);
            // The other picture must be the next file's.
            const QString playing = subject->playing();
            if (!ms || playing != QStringLiteral("look-b.avi")) {
                bench.log(QStringLiteral("no picture of the next file: %1 plays").arg(playing));
                return std::nullopt;
            }
            return ms;
        });
    return {rowOf(QStringLiteral("next entry (Next to the next file's first frame)"), timings,
                  QStringLiteral("ratio <= 1.5"), ratioMet(timings, 1.5))};
}

QList<Row> seekFigures(Bench &bench)
{
    // Its first half shows colour bars, its second half a test card: a seek to three quarters
    // shows the test card.
    const QString clip = bench.media(QStringLiteral("seek.avi"));
    const Timings timings = timeRuns(
        bench, QStringLiteral("seek"), bench.runs(), [&](Desk &desk, Program program) -> std::optional<double> {
            const Started started = startOn(bench, desk, program, clip, {clip});
            Subject *subject = started.subject.get();
            const std::optional<desktop::Look> &first = started.first;
            if (!first || !subject->prepareSeek()) {
                bench.log(first ? QStringLiteral("no thumb to drag") : QStringLiteral("no still picture of the clip"));
                return std::nullopt;
            }
            // Grabbing the thumb alone must not seek, or the clock would start late.
            const std::optional<desktop::Look> grabbed = desktop::lookAt(desk.connection(), started.area);
            if (!grabbed || grabbed->distance(*first) > OtherPicture) {
                subject->finishSeek();
                bench.log(QStringLiteral("the picture changed before the drag"));
                return std::nullopt;
            }
            QElapsedTimer since;
            since.start();
            subject->seek(0.75);
            const std::optional<double> ms = desktop::waitForLook(
                desk.connection(), [&] { return std::optional(started.area); }, since,
                [&](const desktop::Look &look) { return look.showsPicture() && look.distance(*first) > OtherPicture; },
                AnswerTimeoutMs);
            subject->finishSeek();
            if (!ms)
                bench.log(QStringLiteral("no picture of the new place"));
            return ms;
        });
    const std::optional<double> p = median(timings.ms[0]);
    return {rowOf(QStringLiteral("seek (thumb drag to the new frame; mpv: seek command)"), timings,
                  QStringLiteral("under 100 ms"), p ? std::optional(*p < 100) : std::nullopt)};
}
