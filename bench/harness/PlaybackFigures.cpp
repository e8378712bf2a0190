// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bench.h"
#include "Figures.h"
#include "MpvSubject.h"
#include "ProcStats.h"
#include "Stats.h"
#include "Subject.h"
#include "desktop/PictureWaits.h"

#include <QJsonValue>
#include <QThread>

#include <array>

namespace {

using Program = Subject::Program;

struct Case {
    const char *clip;
    const char *what;
    bool fullScreen;
};

// The player's window shows a 400x300 picture as it is and scales the larger ones down; full
// screen scales it up to 1280x960.
constexpr std::array Cases = {
    Case {"play-400x300.avi", "400x300", false},
    Case {"play-640x480.avi", "640x480", false},
    Case {"play-1280x720.avi", "1280x720", false},
    Case {"play-400x300.avi", "400x300 full screen (1280x1024)", true},
};
constexpr std::array Programs = {Program::Player, Program::Mpv, Program::MpvCheapest};
// The clips last 30 s; the rest lets each program reach the end.
constexpr int PlayMs = 34000;
// When the picture should be up, to check that each one plays, and the programs have settled:
// starting is measured on its own, and what a film costs is what it costs from then on.
constexpr int SettledMs = 6000;
constexpr int MeasuredMs = 20000;
constexpr int WindowTimeoutMs = 20000;
constexpr double MiB = 1024.0;

struct Series {
    std::vector<double> client;
    std::vector<double> server;
    std::vector<double> total;
    std::vector<double> peakMiB;
    // What is resident at the end, as private memory and as pages of mapped files (shared
    // libraries above all), which tells where a difference in the peak lies.
    std::vector<double> anonMiB;
    std::vector<double> fileMiB;
    int withoutPicture = 0;
    int framesDropped = 0;
    int unfinished = 0;
};

using CaseSeries = std::array<Series, Programs.size()>;

struct Slot {
    std::size_t program;
    Desk *desk;
    std::unique_ptr<Subject> subject;
    double clientStart = 0;
    double serverStart = 0;
};

QString peak(const Series &series)
{
    const std::optional<double> peakMiB = median(series.peakMiB);
    if (!peakMiB)
        return QStringLiteral("-");
    return QStringLiteral("%1 MiB (at the end: anonymous %2, files %3)")
        .arg(*peakMiB, 0, 'f', 1)
        .arg(median(series.anonMiB).value_or(0), 0, 'f', 1)
        .arg(median(series.fileMiB).value_or(0), 0, 'f', 1);
}

QString usage(const Series &series, const QString &output)
{
    const std::optional<double> total = median(series.total);
    if (!total)
        return QStringLiteral("-");
    return QStringLiteral("%1 s (%2 + X %3), %4")
        .arg(*total, 0, 'f', 2)
        .arg(*median(series.client), 0, 'f', 2)
        .arg(*median(series.server), 0, 'f', 2)
        .arg(output);
}

// One run of a case: the three programs at once, each on a display of its own.
bool runOnce(Bench &bench, const Case &c, int run, CaseSeries &series)
{
    std::vector<Slot> places;
    for (std::size_t program = 0; program < Programs.size(); ++program) {
        // The programs change displays from run to run.
        Desk *desk = bench.desk(int((program + std::size_t(run)) % Programs.size()));
        if (!desk)
            return false;
        places.push_back({program, desk, nullptr});
    }
    const QString path = bench.media(QLatin1String(c.clip));
    for (Slot &slot : places)
        slot.subject = launch(Programs[slot.program], *slot.desk, bench.setup(), path, {path});
    if (c.fullScreen) {
        for (Slot &slot : places) {
            if (slot.subject->waitForWindow(WindowTimeoutMs))
                slot.subject->toggleFullScreen();
        }
    }
    QThread::msleep(SettledMs);
    for (Slot &slot : places) {
        if (!desktop::showsPictureIn(slot.desk->connection(), slot.subject->lookArea()))
            ++series[slot.program].withoutPicture;
        slot.clientStart = procstats::cpuSeconds(slot.subject->pid());
        slot.serverStart = procstats::cpuSeconds(slot.desk->serverPid());
    }
    QThread::msleep(MeasuredMs);
    for (Slot &slot : places) {
        Series &s = series[slot.program];
        const double client = procstats::cpuSeconds(slot.subject->pid()) - slot.clientStart;
        const double server = procstats::cpuSeconds(slot.desk->serverPid()) - slot.serverStart;
        s.client.push_back(client);
        s.server.push_back(server);
        s.total.push_back(client + server);
    }
    QThread::msleep(PlayMs - SettledMs - MeasuredMs);
    for (Slot &slot : places) {
        Series &s = series[slot.program];
        s.peakMiB.push_back(double(procstats::statusKiB(slot.subject->pid(), "VmHWM")) / MiB);
        s.anonMiB.push_back(double(procstats::statusKiB(slot.subject->pid(), "RssAnon")) / MiB);
        s.fileMiB.push_back(double(procstats::statusKiB(slot.subject->pid(), "RssFile")) / MiB);
        if (auto *mpv = dynamic_cast<MpvSubject *>(slot.subject.get())) {
            s.framesDropped += mpv->property(QStringLiteral("frame-drop-count")).value_or(QJsonValue(0)).toInt();
            s.unfinished += !mpv->property(QStringLiteral("eof-reached")).value_or(QJsonValue(false)).toBool();
        }
    }
    for (Slot &slot : places)
        slot.subject->stop();
    return true;
}

Row rowOf(const Bench &bench, const Case &c, const CaseSeries &series)
{
    const Setup &setup = bench.setup();
    const std::optional<double> player = median(series[0].total);
    const std::optional<double> same = median(series[1].total);
    const std::optional<double> cheapest = median(series[2].total);
    QString verdict = cells::verdict(player && cheapest ? std::optional(*player / *cheapest <= 1.05) : std::nullopt);
    verdict += QStringLiteral(" (%1 of mpv with the player's options)").arg(cells::ratio(player, same));
    const auto withoutPicture = [&series](std::size_t p) {
        return series[p].withoutPicture;
    };
    if (withoutPicture(0) || withoutPicture(1) || withoutPicture(2))
        verdict += QStringLiteral(" (runs without a picture: %1 / %2 / %3)")
                       .arg(withoutPicture(0))
                       .arg(withoutPicture(1))
                       .arg(withoutPicture(2));
    for (std::size_t p : {std::size_t(1), std::size_t(2)}) {
        if (series[p].framesDropped || series[p].unfinished)
            verdict += QStringLiteral(" (%1: %2 frames dropped, %3 runs not at the end)")
                           .arg(programName(Programs[p]))
                           .arg(series[p].framesDropped)
                           .arg(series[p].unfinished);
    }
    Row row {QStringLiteral("playback CPU, 20 s of a 30 s %1 MPEG-4/MP3 once settled (client + X server)")
                 .arg(QLatin1String(c.what)),
             usage(series[0], setup.playerOutput),
             usage(series[1], setup.playerOutput),
             cells::ratio(player, cheapest),
             QStringLiteral("ratio to the cheapest <= 1.05"),
             verdict};
    row.cheapest = usage(series[2], setup.cheapestOutput);
    return row;
}

} // namespace

QList<Row> playbackFigures(Bench &bench)
{
    std::array<CaseSeries, Cases.size()> series;
    for (int run = 0; run < bench.runs(); ++run) {
        for (std::size_t c = 0; c < Cases.size(); ++c) {
            bench.log(QStringLiteral("playback run %1 of %2, %3: the three programs at once, each on a display "
                                     "of its own")
                          .arg(run + 1)
                          .arg(bench.runs())
                          .arg(QLatin1String(Cases[c].what)));
            if (!runOnce(bench, Cases[c], run, series[c]))
                return {};
        }
    }

    QList<Row> rows;
    for (std::size_t c = 0; c < Cases.size(); ++c)
        rows.append(rowOf(bench, Cases[c], series[c]));
    // The peak of the largest clip, beside bare mpv's with the same output.
    const CaseSeries &largest = series[2];
    const std::optional<double> playerPeak = median(largest[0].peakMiB);
    const std::optional<double> mpvPeak = median(largest[1].peakMiB);
    QString verdict
        = cells::verdict(playerPeak && mpvPeak ? std::optional(*playerPeak <= *mpvPeak + 20) : std::nullopt);
    if (playerPeak && mpvPeak)
        verdict += QStringLiteral(" (%1%2 MiB)")
                       .arg(*playerPeak >= *mpvPeak ? "+" : "")
                       .arg(*playerPeak - *mpvPeak, 0, 'f', 1);
    Row memory {QStringLiteral("peak memory (VmHWM) playing the 1280x720 clip"),
                peak(largest[0]),
                peak(largest[1]),
                cells::ratio(playerPeak, mpvPeak),
                QStringLiteral("<= mpv with the same output + 20 MiB"),
                verdict};
    memory.cheapest = peak(largest[2]);
    rows.append(memory);
    return rows;
}
