// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowProcedure.h"

#include <utility>

namespace platform {

LResult callWindowProc(const WindowProc &procedure, MessageId message, WParam wParam, LParam lParam)
{
    return procedure ? procedure(message, wParam, lParam) : 0;
}

WindowProcedureChain::WindowProcedureChain(WindowProc own)
    : m_procedure(std::move(own))
{
}

WindowProc WindowProcedureChain::setWindowProc(WindowProc procedure)
{
    return std::exchange(m_procedure, std::move(procedure));
}

LResult WindowProcedureChain::sendMessage(MessageId message, WParam wParam, LParam lParam) const
{
    // A copy: the procedure may replace itself while it runs.
    const WindowProc current = m_procedure;
    return callWindowProc(current, message, wParam, lParam);
}

} // namespace platform
