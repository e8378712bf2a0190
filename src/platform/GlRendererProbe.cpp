// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlRendererProbe.h"

#include "GlX11.h"

#include <QByteArray>
#include <QDeadlineTimer>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

// Last: Xlib's macros (Bool, Status) would break the Qt headers.
#include <X11/Xlib.h>

namespace {

// Runs in the child: the renderer's name on fd, or nothing. GL is started only where it may be a
// graphics card's: elsewhere it would be a tenth of a second of CPU and more to learn nothing.
void reportRenderer(int fd)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display || !glx11::offersDirectRendering(display))
        return;
    const std::optional<QByteArray> name = glx11::rendererOf(display);
    if (!name)
        return;
    for (qsizetype written = 0; written < name->size();) {
        const ssize_t n = write(fd, name->constData() + written, std::size_t(name->size() - written));
        if (n <= 0)
            return;
        written += n;
    }
}

} // namespace

GlRendererProbe::GlRendererProbe()
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return;
    m_child = fork();
    if (m_child == 0) {
        close(fds[0]);
        reportRenderer(fds[1]);
        // Nothing of the parent's may run here: no exit handlers, no buffers flushed twice.
        _exit(0);
    }
    close(fds[1]);
    if (m_child < 0) {
        close(fds[0]);
        return;
    }
    m_answer = fds[0];
}

GlRendererProbe::~GlRendererProbe()
{
    finish();
}

void GlRendererProbe::collectWhenDone()
{
    if (m_answer < 0 || m_notifier)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(m_answer, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { readAnswer(0); });
}

std::optional<QString> GlRendererProbe::renderer(int timeoutMs)
{
    if (!m_asked) {
        m_asked = true;
        // No answer in time is taken as no GL, which every display can show.
        readAnswer(timeoutMs);
        finish();
    }
    if (!m_complete || m_answerBytes.isEmpty())
        return std::nullopt;
    return QString::fromUtf8(m_answerBytes);
}

bool GlRendererProbe::readAnswer(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (m_answer >= 0) {
        pollfd wait {m_answer, POLLIN, 0};
        const int ready = poll(&wait, 1, int(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        char buffer[256];
        const ssize_t n = read(m_answer, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_complete = true;
            finish();
            break;
        }
        m_answerBytes.append(buffer, n);
    }
    return m_complete;
}

void GlRendererProbe::finish()
{
    // Kept, not deleted: it may be its own signal that brought the end.
    if (m_notifier)
        m_notifier->setEnabled(false);
    if (m_answer >= 0) {
        close(m_answer);
        m_answer = -1;
    }
    if (m_child > 0) {
        // A driver stuck in its start is not waited for.
        kill(m_child, SIGKILL);
        while (waitpid(m_child, nullptr, 0) < 0 && errno == EINTR) { }
        m_child = -1;
    }
}
