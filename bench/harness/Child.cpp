// SPDX-License-Identifier: GPL-3.0-or-later
#include "Child.h"

Child::Child(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    m_process.setProcessEnvironment(environment);
    if (qEnvironmentVariableIsEmpty("KAVEL_BENCH_VERBOSE")) {
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
    } else {
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    }
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.start(program, arguments);
    m_process.waitForStarted(10000);
}

Child::~Child()
{
    stop();
}

void Child::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (m_process.waitForFinished(5000))
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
}
