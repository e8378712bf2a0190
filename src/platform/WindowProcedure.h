// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

// A window's message procedure in the shape the desktop's window system gives
// it: a message number and two parameters in, a result out. A window has one
// procedure at a time; a program subclasses the window by installing its own
// and passing what it does not handle on to the one it replaced.
//
// The names follow the window system's own, so they live in a namespace where
// they cannot meet its headers.
namespace platform {

using MessageId = std::uint32_t;
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;
using WindowProc = std::function<LResult(MessageId message, WParam wParam, LParam lParam)>;

// Sent before the window takes a new place or size; lParam points to the
// proposed WINDOWPOS, which a procedure may change.
inline constexpr MessageId WM_WINDOWPOSCHANGING = 0x46;
// A global hot key was pressed; wParam is its identifier.
inline constexpr MessageId WM_HOTKEY = 0x312;

struct WINDOWPOS {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    std::uint32_t flags = 0;
};

// Hands a message to a procedure; no procedure answers 0.
LResult callWindowProc(const WindowProc &procedure, MessageId message, WParam wParam, LParam lParam);

// The procedure slot of one window.
class WindowProcedureChain
{
public:
    // own: the window's own procedure, the end of every chain.
    explicit WindowProcedureChain(WindowProc own);

    // Makes procedure the window's procedure and returns the one it replaces.
    WindowProc setWindowProc(WindowProc procedure);

    // Delivers a message to the window's current procedure.
    LResult sendMessage(MessageId message, WParam wParam, LParam lParam) const;

private:
    WindowProc m_procedure;
};

} // namespace platform
