// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/MessageReporter.h"

#include <QStringList>

// Keeps the messages a window would have shown in a box.
class RecordingReporter final : public runtime::MessageReporter
{
public:
    void showMessage(QWidget *, const QString &title, const QString &text, Icon) override
    {
        titles.append(title);
        messages.append(text);
    }

    QStringList titles;
    QStringList messages;
};
