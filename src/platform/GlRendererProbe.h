// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSocketNotifier>
#include <QString>

#include <memory>
#include <optional>
#include <sys/types.h>

// Asks the X display which GL renderer a program gets there, as the engine's GL output would
// get it (EGL on the X11 display). GL drivers take a tenth of a second and more to start, keep
// 50 MiB of code resident once loaded, and a broken one may crash: so the question is put in a
// child process, forked as the probe is made, while the program goes on starting.
//
// Make it while the process has no threads yet (before QApplication).
class GlRendererProbe
{
public:
    GlRendererProbe();
    ~GlRendererProbe();

    GlRendererProbe(const GlRendererProbe &) = delete;
    GlRendererProbe &operator=(const GlRendererProbe &) = delete;

    // Once the application's event loop runs: the answer is taken in and the child collected as
    // soon as it comes, so that no finished child lingers while no file is opened.
    void collectWhenDone();

    // The renderer's name, nothing where the display offers no GL a program renders with directly
    // (or the child did not answer within timeoutMs). Waits for the answer the first time only.
    std::optional<QString> renderer(int timeoutMs);

private:
    // Takes in what the child wrote within timeoutMs; true once it has said all.
    bool readAnswer(int timeoutMs);
    void finish();

    pid_t m_child = -1;
    int m_answer = -1;
    QByteArray m_answerBytes;
    bool m_complete = false;
    bool m_asked = false;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
