// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConnectionWarnings.h"

#include <QString>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <cstring>

namespace {

QtMessageHandler g_previousHandler = nullptr;

void failOnConnectionWarning(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && context.category && std::strcmp(context.category, "qt.core.qobject.connect") == 0
        && message.contains(QLatin1String("Cannot queue arguments")))
        ADD_FAILURE() << "a queued handler that Qt drops: " << message.toStdString();
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

} // namespace

void failTestsOnConnectionWarnings()
{
    g_previousHandler = qInstallMessageHandler(failOnConnectionWarning);
}
