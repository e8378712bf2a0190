// SPDX-License-Identifier: GPL-3.0-or-later
#include "Setup.h"

#include "player/EngineOptions.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSet>

namespace {

QSet<QString> optionsMpvKnows()
{
    QProcess mpv;
    mpv.start(QStringLiteral("mpv"), {QStringLiteral("--list-options")});
    mpv.waitForFinished(10000);
    static const QRegularExpression name(QStringLiteral(R"re(^\s*--([a-z0-9-]+))re"),
                                         QRegularExpression::MultilineOption);
    QSet<QString> known;
    for (const QRegularExpressionMatch &match : name.globalMatch(QString::fromUtf8(mpv.readAllStandardOutput())))
        known.insert(match.captured(1));
    return known;
}

} // namespace

QStringList engineOptions(VideoOutput output)
{
    const QSet<QString> known = optionsMpvKnows();
    QStringList options;
    const auto add = [&](const char *name, const char *value) {
        if (known.contains(QLatin1String(name)))
            options.append(QStringLiteral("--%1=%2").arg(QLatin1String(name), QLatin1String(value)));
    };
    for (const auto &[name, value] : kEngineOptions)
        add(name, value);
    for (const LaterEngineOption &option : kLaterEngineOptions)
        add(option.name, option.value);
    for (const auto &[name, value] : videoOutputOptions(output))
        add(name, value);
    return options;
}
