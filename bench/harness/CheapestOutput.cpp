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

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

// Long enough for the cost of starting to weigh little.
constexpr int PlayMs = 12000;
constexpr int Runs = 2;

struct Candidate {
    QString name;
    QStringList options;
    std::vector<double> totals;
};

bool offersXVideo(const Desk &desk)
{
    const char name[] = "XVideo";
    xcb_query_extension_reply_t *reply = xcb_query_extension_reply(
        desk.connection(), xcb_query_extension(desk.connection(), std::strlen(name), name), nullptr);
    const bool present = reply && reply->present;
    std::free(reply);
    return present;
}

// mpv as a user runs it. Where no sound device opens, bare mpv drops the sound track and decodes
// none of it, while the player plays it into a null output; on a user's desktop both decode it.
// So bare mpv gets the null output too, which changes nothing where a device opens.
QStringList userOptions()
{
    return {QStringLiteral("--no-config"), QStringLiteral("--audio-fallback-to-null=yes")};
}

} // namespace

bool chooseCheapestOutput(Bench &bench)
{
    Desk *first = bench.desk(0);
    if (!first)
        return false;
    // GL as bare mpv draws with it where it accepts the renderer it finds, and the outputs
    // that draw without GL.
    std::vector<Candidate> candidates {
        {QStringLiteral("gpu"), {QStringLiteral("--vo=gpu"), QStringLiteral("--gpu-sw=yes")}, {}},
        {QStringLiteral("x11"), {QStringLiteral("--vo=x11")}, {}},
    };
    if (offersXVideo(*first))
        candidates.push_back({QStringLiteral("xv"), {QStringLiteral("--vo=xv")}, {}});

    const QString clip = bench.media(QStringLiteral("play-640x480.avi"));
    Setup setup = bench.setup();
    for (int run = 0; run < Runs; ++run) {
        struct Place {
            Candidate *candidate;
            Desk *desk;
            double serverStart;
            std::unique_ptr<Subject> subject;
        };
        std::vector<Place> places;
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            Desk *desk = bench.desk(int((i + std::size_t(run)) % candidates.size()));
            if (!desk)
                return false;
            setup.cheapestMpvOptions = userOptions() + candidates[i].options;
            places.push_back({&candidates[i], desk, procstats::cpuSeconds(desk->serverPid()),
                              launch(Subject::Program::MpvCheapest, *desk, setup, clip, {clip})});
        }
        QThread::msleep(PlayMs);
        for (Place &place : places) {
            const double total = procstats::cpuSeconds(place.subject->pid())
                + procstats::cpuSeconds(place.desk->serverPid()) - place.serverStart;
            // An output that did not start (an XVideo without adaptors, say) costs nothing and
            // shows nothing: it is no candidate.
            auto *mpv = static_cast<MpvSubject *>(place.subject.get());
            const QString output = mpv->property(QStringLiteral("current-vo")).value_or(QJsonValue()).toString();
            if (output == place.candidate->name && desktop::showsPictureIn(place.desk->connection(), mpv->lookArea()))
                place.candidate->totals.push_back(total);
            place.subject->stop();
        }
    }
    const Candidate *cheapest = nullptr;
    for (const Candidate &candidate : candidates) {
        const std::optional<double> total = median(candidate.totals);
        bench.log(total ? QStringLiteral("mpv with --vo=%1: %2 s of CPU in %3 s")
                              .arg(candidate.name)
                              .arg(*total, 0, 'f', 2)
                              .arg(PlayMs / 1000)
                        : QStringLiteral("mpv with --vo=%1: shows no picture here").arg(candidate.name));
        if (total && (!cheapest || *total < *median(cheapest->totals)))
            cheapest = &candidate;
    }
    if (!cheapest)
        return false;
    bench.setup().cheapestOutput = cheapest->name;
    // Kept open at the end, as the other programs are, so that its memory can be read there.
    bench.setup().cheapestMpvOptions
        = userOptions() + QStringList {QStringLiteral("--keep-open=yes")} + cheapest->options;
    return true;
}
