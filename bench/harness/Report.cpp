// SPDX-License-Identifier: GPL-3.0-or-later
#include "Report.h"

#include <QStringList>

namespace cells {

QString number(std::optional<double> value, int decimals, const QString &unit)
{
    if (!value)
        return QStringLiteral("-");
    const QString text = QString::number(*value, 'f', decimals);
    return unit.isEmpty() ? text : text + u' ' + unit;
}

QString ratio(std::optional<double> player, std::optional<double> mpv)
{
    if (!player || !mpv || *mpv <= 0)
        return QStringLiteral("-");
    return QString::number(*player / *mpv, 'f', 2);
}

QString verdict(std::optional<bool> met)
{
    if (!met)
        return QStringLiteral("no data");
    return *met ? QStringLiteral("met") : QStringLiteral("**missed**");
}

} // namespace cells

QString tableOf(const QList<Row> &rows)
{
    QStringList lines {QStringLiteral("| figure | KAVEL Player | mpv, the player's options | mpv, cheapest output | "
                                      "ratio | target | result |"),
                       QStringLiteral("| --- | --- | --- | --- | --- | --- | --- |")};
    for (const Row &row : rows) {
        lines.append(QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 |")
                         .arg(row.figure, row.player, row.mpv, row.cheapest, row.ratio, row.target, row.verdict));
    }
    return lines.join(u'\n') + u'\n';
}
