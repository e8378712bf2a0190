// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <functional>

namespace desktop {

// A program started for a desktop of a test's or the bench's own, running for as long as the
// object lives: asked to end (SIGTERM) when it goes, and killed when it does not end within a
// few seconds. Its output goes nowhere unless KAVEL_DESKTOP_VERBOSE is set.
class Program
{
public:
    // serving, where given, tells when the started program is at work.
    Program(const QString &program, const QStringList &arguments,
            const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
            const std::function<bool()> &serving = {});
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // Started, and at work where the caller said how to tell.
    bool ready() const { return m_ready; }
    bool running() const { return m_process.state() == QProcess::Running; }
    qint64 pid() const { return m_process.processId(); }
    // Asks the program to end and waits until it has.
    void stop();

private:
    QProcess m_process;
    bool m_ready = false;
};

} // namespace desktop
