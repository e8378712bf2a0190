#pragma once

#include "MessageReporter.h"

#include <QStringList>

// Keeps the messages a window would have shown, so a test can read them and
// nothing waits for a click.
class RecordingReporter final : public runtime::MessageReporter
{
public:
    void showMessage(QWidget *, const QString &, const QString &text, Icon) override { messages.append(text); }

    QStringList messages;
};
