#include "Bench.h"
#include "Figures.h"
#include "MpvSubject.h"
#include "ProcStats.h"
#include "Stats.h"
#include "Subject.h"
#include "Waits.h"

#include <QJsonValue>
#include <QThread>

#include <array>

namespace {

constexpr std::array Clips = {"play-640x480.avi", "play-1280x720.avi"};
constexpr std::array Sizes = {"640x480", "1280x720"};
constexpr std::array Programs = {Subject::Program::Player, Subject::Program::Mpv};
// The clips last 30 s; the rest is for starting, which counts too.
constexpr int PlayMs = 34000;
// When the picture should be up, to check that each one plays.
constexpr int PictureCheckMs = 6000;
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

struct Slot {
    std::size_t clip;
    std::size_t program;
    Desk *desk;
    double serverStart = 0;
    std::unique_ptr<Subject> subject;
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

QString usage(const Series &series)
{
    const std::optional<double> total = median(series.total);
    if (!total)
        return QStringLiteral("-");
    return QStringLiteral("%1 s (%2 + X %3)")
        .arg(*total, 0, 'f', 2)
        .arg(*median(series.client), 0, 'f', 2)
        .arg(*median(series.server), 0, 'f', 2);
}

} // namespace

QList<Row> playbackFigures(Bench &bench)
{
    std::array<std::array<Series, 2>, 2> series; // [clip][program]
    for (int run = 0; run < bench.runs(); ++run) {
        bench.log(QStringLiteral("playback run %1 of %2: both clips in both programs at once, each on a display "
                                 "of its own")
                      .arg(run + 1)
                      .arg(bench.runs()));
        std::vector<Slot> places;
        for (std::size_t clip = 0; clip < Clips.size(); ++clip) {
            for (std::size_t program = 0; program < Programs.size(); ++program) {
                // The programs change displays from run to run.
                Desk *desk = bench.desk(int(clip * 2 + (program + std::size_t(run)) % 2));
                if (!desk)
                    return {};
                places.push_back({clip, program, desk, 0, nullptr});
            }
        }
        for (Slot &slot : places) {
            const QString path = bench.media(QLatin1String(Clips[slot.clip]));
            slot.serverStart = procstats::cpuSeconds(slot.desk->serverPid());
            slot.subject = launch(Programs[slot.program], *slot.desk, bench.setup(), path, {path});
        }
        QThread::msleep(PictureCheckMs);
        for (Slot &slot : places) {
            const std::optional<QRect> area = slot.subject->lookArea();
            const std::optional<Look> look = area ? lookAt(*slot.desk, *area) : std::nullopt;
            if (!look || !showsPicture(*look))
                ++series[slot.clip][slot.program].withoutPicture;
        }
        QThread::msleep(PlayMs - PictureCheckMs);
        for (Slot &slot : places) {
            Series &s = series[slot.clip][slot.program];
            const double client = procstats::cpuSeconds(slot.subject->pid());
            const double server = procstats::cpuSeconds(slot.desk->serverPid()) - slot.serverStart;
            s.client.push_back(client);
            s.server.push_back(server);
            s.total.push_back(client + server);
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
    }

    QList<Row> rows;
    for (std::size_t clip = 0; clip < Clips.size(); ++clip) {
        const Series &player = series[clip][0];
        const Series &mpv = series[clip][1];
        const std::optional<double> p = median(player.total);
        const std::optional<double> m = median(mpv.total);
        QString verdict = cells::verdict(p && m ? std::optional(*p / *m <= 1.05) : std::nullopt);
        if (player.withoutPicture || mpv.withoutPicture)
            verdict += QStringLiteral(" (runs without a picture: %1 / %2)")
                           .arg(player.withoutPicture)
                           .arg(mpv.withoutPicture);
        if (mpv.framesDropped || mpv.unfinished)
            verdict += QStringLiteral(" (mpv: %1 frames dropped, %2 runs not at the end)")
                           .arg(mpv.framesDropped)
                           .arg(mpv.unfinished);
        rows.append(
            {QStringLiteral("playback CPU, 30 s %1 MPEG-4/MP3 (client + X server)").arg(QLatin1String(Sizes[clip])),
             usage(player), usage(mpv), cells::ratio(p, m), QStringLiteral("ratio <= 1.05"), verdict});
    }
    const std::optional<double> playerPeak = median(series[1][0].peakMiB);
    const std::optional<double> mpvPeak = median(series[1][1].peakMiB);
    QString verdict
        = cells::verdict(playerPeak && mpvPeak ? std::optional(*playerPeak <= *mpvPeak + 20) : std::nullopt);
    if (playerPeak && mpvPeak)
        verdict += QStringLiteral(" (%1%2 MiB)")
                       .arg(*playerPeak >= *mpvPeak ? "+" : "")
                       .arg(*playerPeak - *mpvPeak, 0, 'f', 1);
    rows.append({QStringLiteral("peak memory (VmHWM) playing the 1280x720 clip"), peak(series[1][0]),
                 peak(series[1][1]), cells::ratio(playerPeak, mpvPeak), QStringLiteral("<= mpv + 20 MiB"), verdict});
    return rows;
}
