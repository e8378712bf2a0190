// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bench.h"
#include "Figures.h"
#include "Stats.h"

#include <QProcess>
#include <QRegularExpression>

// The playlist window's own benchmarks, run on a desk as the player's window would be.

namespace {

constexpr double LimitMs = 1000;

// The total a benchmark prints ("... in 123 ms ..."), nothing when it failed.
std::optional<double> runOnce(const Desk &desk, const QString &program)
{
    QProcess process;
    QProcessEnvironment env = desk.environment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(env);
    process.start(program, {});
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    static const QRegularExpression total(QStringLiteral(R"( in (\d+) ms)"));
    const QRegularExpressionMatch match = total.match(QString::fromLocal8Bit(process.readAllStandardOutput()));
    return match.hasMatch() ? std::optional(match.captured(1).toDouble()) : std::nullopt;
}

Row rowOf(Bench &bench, Desk &desk, const QString &figure, const QString &program)
{
    std::vector<double> ms;
    int failures = 0;
    for (int run = 0; run < bench.runs(); ++run) {
        bench.log(QStringLiteral("%1, run %2 of %3").arg(figure).arg(run + 1).arg(bench.runs()));
        if (const std::optional<double> once = runOnce(desk, program))
            ms.push_back(*once);
        else
            ++failures;
    }
    const std::optional<double> m = median(ms);
    QString verdict = cells::verdict(m ? std::optional(*m < LimitMs) : std::nullopt);
    if (failures)
        verdict += QStringLiteral(" (failed runs: %1)").arg(failures);
    return {figure,
            cells::number(m, 0, QStringLiteral("ms")),
            QStringLiteral("-"),
            QStringLiteral("-"),
            QStringLiteral("under 1 s"),
            verdict};
}

} // namespace

QList<Row> listFigures(Bench &bench)
{
    Desk *desk = bench.desk(0);
    if (!desk)
        return {};
    return {rowOf(bench, *desk, QStringLiteral("large playlist: 100,000-entry .pls into the playlist window"),
                  bench.setup().playlistLoadBinary),
            rowOf(bench, *desk, QStringLiteral("large playlist: \"Add All\" in a folder of 10,000 files"),
                  bench.setup().addAllBinary)};
}
