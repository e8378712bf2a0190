// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

void fail(const char *check, const char *file, int line, const QString &detail)
{
    std::fprintf(stderr, "%s:%d: broken promise: %s\n  %s\n", file, line, check, qUtf8Printable(detail));
    std::abort();
}

void silenceQtMessages()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "Qt: %s\n", qUtf8Printable(message));
            std::abort();
        }
    });
}

QString scratchTemplate()
{
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    const QString folder = memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
    return folder + QStringLiteral("/kavel-fuzz-XXXXXX");
}

} // namespace fuzz
