#include "Setup.h"

#include <QFile>
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

QStringList engineOptionsFrom(const QString &sourceFile)
{
    QFile file(sourceFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString source = QString::fromUtf8(file.readAll());
    const qsizetype start = source.indexOf(QStringLiteral("kEngineOptions"));
    const qsizetype end = source.indexOf(QStringLiteral("};"), start);
    if (start < 0 || end < 0)
        return {};
    static const QRegularExpression pair(QStringLiteral(R"re(\{"([a-z0-9-]+)",\s*"([^"]*)"\})re"));
    const QSet<QString> known = optionsMpvKnows();
    QStringList options;
    for (const QRegularExpressionMatch &match : pair.globalMatch(source.mid(start, end - start)))
        if (known.contains(match.captured(1)))
            options.append(QStringLiteral("--%1=%2").arg(match.captured(1), match.captured(2)));
    return options;
}
