#include "Setup.h"

#include <QFile>
#include <QRegularExpression>

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
    QStringList options;
    for (const QRegularExpressionMatch &match : pair.globalMatch(source.mid(start, end - start)))
        options.append(QStringLiteral("--%1=%2").arg(match.captured(1), match.captured(2)));
    return options;
}
