// SPDX-License-Identifier: GPL-3.0-or-later
#include "Program.h"

#include "WaitFor.h"

namespace desktop {

Program::Program(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment,
                 const std::function<bool()> &serving)
{
    m_process.setProcessEnvironment(environment);
    if (qEnvironmentVariableIsEmpty("KAVEL_DESKTOP_VERBOSE")) {
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
    } else {
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    }
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.start(program, arguments);
    m_ready = m_process.waitForStarted(10000) && (!serving || waitFor(serving, 20000));
}

Program::~Program()
{
    stop();
}

void Program::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (m_process.waitForFinished(10000))
        return;
    m_process.kill();
    m_process.waitForFinished(10000);
}

} // namespace desktop
