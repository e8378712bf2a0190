// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/NotifyIconDataA.h"
#include "platform/NotifyIconHost.h"

#include <QList>

#include <functional>

// A notification area that records every call, and sends activity on an icon
// as a test tells it to.
class FakeNotifyIconHost final : public NotifyIconHost
{
public:
    struct Call {
        std::uint32_t message;
        QByteArray data;
        NotifyIconDataA record() const { return *NotifyIconDataA::fromBytes(data); }
    };

    bool notifyIcon(std::uint32_t message, QByteArrayView data) override
    {
        calls.append({message, data.toByteArray()});
        if (onCall)
            onCall(message);
        return result;
    }
    bool isAvailable() const override { return available; }

    // The notification area comes or goes.
    void setAvailable(bool now)
    {
        available = now;
        emit availabilityChanged(now);
    }

    // The notification area's callback for an icon: its message, its identifier and the mouse message.
    void activity(const NotifyIconDataA &icon, std::uint32_t mouseMessage)
    {
        emit windowMessage(icon.hWnd, icon.uCallbackMessage, icon.uID, mouseMessage);
    }

    QList<std::uint32_t> messages() const
    {
        QList<std::uint32_t> list;
        for (const Call &call : calls)
            list.append(call.message);
        return list;
    }

    QList<Call> calls;
    std::function<void(std::uint32_t message)> onCall;
    bool result = true;
    bool available = true;
};
