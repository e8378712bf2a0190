// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// The modal message boxes a control or window shows. Controls hold a reporter
// so that a test can see the messages instead of a box waiting for a click.

namespace runtime {

class MessageReporter
{
public:
    enum class Icon { None, Critical, Warning, Information };

    virtual ~MessageReporter() = default;
    virtual void showMessage(QWidget *parent, const QString &title, const QString &text, Icon icon) = 0;

    // Modal message boxes with one OK button.
    static MessageReporter &modalBoxes();
};

} // namespace runtime
