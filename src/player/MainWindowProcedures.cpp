// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowProcedures.h"

#include "platform/WindowManagerHints.h"

#include <utility>

MainWindowProcedures::MainWindowProcedures(WindowManagerHints &windowManager, std::function<void()> doEvents,
                                           std::function<void()> toggleFullScreen, platform::WindowProc own)
    : m_windowManager(windowManager)
    , m_window(std::move(own))
{
    m_hotKey.doEvents = std::move(doEvents);
    m_hotKey.toggleFullScreen = std::move(toggleFullScreen);
}

void MainWindowProcedures::installAspectProcedure()
{
    m_aspect.PrevWndProc
        = m_window.setWindowProc([this](platform::MessageId message, platform::WParam wParam, platform::LParam lParam) {
              return AspectWindowProc(m_aspect, message, wParam, lParam);
          });
}

void MainWindowProcedures::installHotKeyProcedure()
{
    m_hotKey.PrevWndProcHotKey
        = m_window.setWindowProc([this](platform::MessageId message, platform::WParam wParam, platform::LParam lParam) {
              return HotKeyWindowProc(m_hotKey, message, wParam, lParam);
          });
}

void MainWindowProcedures::restoreOwnProcedure()
{
    m_window.setWindowProc(m_aspect.PrevWndProc);
}

platform::LResult MainWindowProcedures::sendMessage(platform::MessageId message, platform::WParam wParam,
                                                    platform::LParam lParam)
{
    return m_window.sendMessage(message, wParam, lParam);
}

QRect MainWindowProcedures::windowPosChanging(const QRect &proposed)
{
    const bool wasSet = m_aspect.AspectRatio.RatioSet;
    platform::WINDOWPOS pos {proposed.x(), proposed.y(), proposed.width(), proposed.height(), 0};
    sendMessage(platform::WM_WINDOWPOSCHANGING, 0, reinterpret_cast<platform::LParam>(&pos));
    if (!wasSet && m_aspect.AspectRatio.RatioSet)
        m_windowManager.setAspectRatio(proposed.size());
    return {pos.x, pos.y, pos.cx, pos.cy};
}

QRect MainWindowProcedures::maximizedGeometry(const QRect &workArea)
{
    // The procedure only ever lengthens a side. Where the work area's own
    // proportions make it lengthen one past the screen, propose the other side
    // alone, so that the lengthened one is the one that fits.
    const QRect answer = windowPosChanging(workArea);
    if (answer.height() > workArea.height())
        return windowPosChanging({workArea.topLeft(), QSize(0, workArea.height())});
    if (answer.width() > workArea.width())
        return windowPosChanging({workArea.topLeft(), QSize(workArea.width(), 1)});
    return answer;
}
