// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

// One line of the results table.
struct Row {
    QString figure;
    QString player;
    QString mpv;
    QString ratio;
    QString target;
    QString verdict;
    // Bare mpv with the cheapest output, where a row measures it.
    QString cheapest = QStringLiteral("-");
};

// The cells as the table shows them.
namespace cells {

// "-" where a figure has no value.
QString number(std::optional<double> value, int decimals, const QString &unit = {});
QString ratio(std::optional<double> player, std::optional<double> mpv);
QString verdict(std::optional<bool> met);

} // namespace cells

// The table in Markdown.
QString tableOf(const QList<Row> &rows);
