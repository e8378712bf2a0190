// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bench.h"
#include "Figures.h"
#include "Pointer.h"
#include "ProcStats.h"
#include "Stats.h"
#include "Subject.h"
#include "desktop/PictureWaits.h"

#include <QElapsedTimer>
#include <QThread>

#include <array>

namespace {

using Program = Subject::Program;

enum class State { NoMedia, Paused, OnCaptionButton };

struct Case {
    State state;
    Program program;
};

// All five at once, each on a display of its own: idle programs hardly meet.
constexpr std::array Cases = {Case {State::NoMedia, Program::Player}, Case {State::Paused, Program::Player},
                              Case {State::OnCaptionButton, Program::Player}, Case {State::NoMedia, Program::Mpv},
                              Case {State::Paused, Program::Mpv}};
constexpr int IdleMs = 30000;
constexpr int SettleMs = 2000;
// Away from every window.
constexpr QPoint Corner(4, 1019);

struct Slot {
    Case what;
    Desk *desk = nullptr;
    std::unique_ptr<Subject> subject;
    bool ready = false;
    // Where a paused picture shows.
    std::optional<QRect> area;
    double clientStart = 0;
    double serverStart = 0;
};

bool bringAbout(Slot &slot)
{
    if (!slot.subject->waitForWindow(20000))
        return false;
    if (slot.what.state == State::Paused) {
        QElapsedTimer since;
        since.start();
        const auto lookArea = [&] {
            return slot.subject->lookArea();
        };
        if (!desktop::waitForLook(slot.desk->connection(), lookArea, since, &desktop::Look::showsPicture, 20000))
            return false;
        slot.subject->pause();
        slot.area = slot.subject->lookArea();
    }
    if (slot.what.state == State::OnCaptionButton)
        return slot.subject->restOnExitButton();
    pointer::moveTo(*slot.desk, Corner);
    pointer::sync(*slot.desk);
    return true;
}

} // namespace

QList<Row> idleFigures(Bench &bench)
{
    // [case] percent of one core, client and X server together
    std::array<std::vector<double>, Cases.size()> percent;
    std::array<int, Cases.size()> failures {};
    int stillFailures = 0;
    for (int run = 0; run < bench.runs(); ++run) {
        bench.log(QStringLiteral("idle run %1 of %2: five programs at once for %3 s")
                      .arg(run + 1)
                      .arg(bench.runs())
                      .arg(IdleMs / 1000));
        std::array<Slot, Cases.size()> places;
        for (std::size_t i = 0; i < Cases.size(); ++i) {
            places[i].what = Cases[i];
            places[i].desk = bench.desk(int(i));
            if (!places[i].desk)
                return {};
            const QString media
                = Cases[i].state == State::Paused ? bench.media(QStringLiteral("play-640x480.avi")) : QString();
            places[i].subject = launch(Cases[i].program, *places[i].desk, bench.setup(), media,
                                       media.isEmpty() ? QStringList() : QStringList {media});
        }
        for (Slot &slot : places)
            slot.ready = bringAbout(slot);
        QThread::msleep(SettleMs);
        for (Slot &slot : places) {
            slot.clientStart = procstats::cpuSeconds(slot.subject->pid());
            slot.serverStart = procstats::cpuSeconds(slot.desk->serverPid());
        }
        QThread::msleep(IdleMs);
        for (std::size_t i = 0; i < places.size(); ++i) {
            Slot &slot = places[i];
            const double used = procstats::cpuSeconds(slot.subject->pid()) - slot.clientStart
                + procstats::cpuSeconds(slot.desk->serverPid()) - slot.serverStart;
            if (!slot.ready || !slot.subject->running()) {
                ++failures[i];
                continue;
            }
            percent[i].push_back(used / (IdleMs / 1000.0) * 100);
            if (slot.what.state == State::Paused
                && (!slot.area || !desktop::standsStill(slot.desk->connection(), *slot.area, 300)))
                ++stillFailures;
        }
        for (Slot &slot : places)
            slot.subject->stop();
    }

    const auto row = [&](const QString &figure, std::size_t player, std::optional<std::size_t> mpv, double limit) {
        const std::optional<double> p = median(percent[player]);
        const std::optional<double> m = mpv ? median(percent[*mpv]) : std::nullopt;
        QString verdict = cells::verdict(p ? std::optional(*p <= limit) : std::nullopt);
        const int failed = failures[player] + (mpv ? failures[*mpv] : 0);
        if (failed)
            verdict += QStringLiteral(" (%1 runs could not be set up)").arg(failed);
        return Row {figure,
                    cells::number(p, 2, QStringLiteral("%")),
                    cells::number(m, 2, QStringLiteral("%")),
                    cells::ratio(p, m),
                    QStringLiteral("<= %1 % of one core").arg(limit),
                    verdict};
    };
    QList<Row> rows {row(QStringLiteral("idle CPU, 30 s, no media (client + X server)"), 0, 3, 0.3),
                     row(QStringLiteral("idle CPU, 30 s, media paused"), 1, 4, 0.5),
                     row(QStringLiteral("idle CPU, 30 s, pointer resting on the exit button"), 2, std::nullopt, 1.0)};
    if (stillFailures)
        rows[1].verdict += QStringLiteral(" (%1 runs where the picture still moved)").arg(stillFailures);
    return rows;
}
