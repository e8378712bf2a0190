// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

// A program the harness started. It is asked to end (SIGTERM) when the object
// goes, and killed when it does not end within a few seconds; its output goes
// nowhere unless KAVEL_BENCH_VERBOSE is set.
class Child
{
public:
    Child(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment);
    ~Child();
    Child(const Child &) = delete;
    Child &operator=(const Child &) = delete;

    bool running() const { return m_process.state() == QProcess::Running; }
    qint64 pid() const { return m_process.processId(); }
    // Asks the program to end and waits until it has.
    void stop();

private:
    QProcess m_process;
};
