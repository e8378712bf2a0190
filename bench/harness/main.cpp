// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the player next to bare mpv on displays of its own and prints the
// results as a Markdown table; progress goes to standard error.
//
//   kavel_bench --media FOLDER [--runs N] [--only playback,idle,start,next,seek,soak,lists]
//               [--player BINARY]

#include "Bench.h"
#include "Figures.h"
#include "platform/GlRendererProbe.h"
#include "player/VideoOutput.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <functional>

int main(int argc, char **argv)
{
    // The output the player chooses here, asked as the player asks: before any thread runs.
    GlRendererProbe glProbe;
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption mediaOption(QStringLiteral("media"), QStringLiteral("Folder of the clips."),
                                         QStringLiteral("folder"));
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Runs of each figure (at least 5)."),
                                        QStringLiteral("n"), QStringLiteral("5"));
    const QCommandLineOption onlyOption(QStringLiteral("only"), QStringLiteral("Only these figures, comma-separated."),
                                        QStringLiteral("names"));
    const QCommandLineOption playerOption(QStringLiteral("player"),
                                          QStringLiteral("The player to measure (another build of it)."),
                                          QStringLiteral("binary"), QStringLiteral(KAVEL_PLAYER_BINARY));
    parser.addOptions({mediaOption, runsOption, onlyOption, playerOption});
    parser.process(app);
    QTextStream err(stderr);
    if (!parser.isSet(mediaOption)) {
        err << "kavel_bench: --media is needed" << Qt::endl;
        return 2;
    }

    Setup setup;
    setup.playerBinary = parser.value(playerOption);
    setup.playlistLoadBinary = QStringLiteral(KAVEL_PLAYLIST_LOAD_BINARY);
    setup.addAllBinary = QStringLiteral(KAVEL_ADD_ALL_BINARY);
    const VideoOutput output
        = chooseVideoOutput(qEnvironmentVariable("KAVEL_VIDEO_OUTPUT"), [&glProbe] { return glProbe.renderer(3000); });
    setup.playerOutput = output == VideoOutput::Gpu ? QStringLiteral("gpu") : QStringLiteral("x11");
    setup.mpvOptions = engineOptions(output);
    Bench bench(setup, parser.value(mediaOption), std::max(1, parser.value(runsOption).toInt()));
    bench.log(QStringLiteral("mpv runs with %1").arg(bench.setup().mpvOptions.join(u' ')));
    if (!calibrate(bench)) {
        err << "kavel_bench: the player's window did not show" << Qt::endl;
        return 1;
    }
    if (!chooseCheapestOutput(bench)) {
        err << "kavel_bench: bare mpv played with no output" << Qt::endl;
        return 1;
    }

    const QStringList only = parser.value(onlyOption).split(u',', Qt::SkipEmptyParts);
    const std::pair<const char *, std::function<QList<Row>(Bench &)>> figures[] = {
        {"playback", playbackFigures}, {"idle", idleFigures}, {"start", startFigures}, {"next", nextFigures},
        {"seek", seekFigures},         {"soak", soakFigures}, {"lists", listFigures},
    };
    QList<Row> rows;
    QList<Row> memory;
    for (const auto &[name, measure] : figures) {
        if (!only.isEmpty() && !only.contains(QLatin1String(name)))
            continue;
        QList<Row> produced = measure(bench);
        if (produced.isEmpty())
            err << "kavel_bench: " << name << " could not be measured" << Qt::endl;
        // Peak memory comes with playback, but stands after the times in the table.
        if (qstrcmp(name, "playback") == 0 && !produced.isEmpty())
            memory.append(produced.takeLast());
        rows += produced;
    }
    qsizetype at = 0;
    while (at < rows.size() && !rows[at].figure.startsWith(QStringLiteral("soak"))
           && !rows[at].figure.startsWith(QStringLiteral("large")))
        ++at;
    for (const Row &row : memory)
        rows.insert(at++, row);
    QTextStream(stdout) << tableOf(rows);
    return 0;
}
