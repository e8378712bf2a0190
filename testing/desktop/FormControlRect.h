// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>

namespace desktop {

// Where a control of a window's built-in face stands in the window, in pixels: read from the
// program's own form file (resources/forms) by the program's own reader and placed as the
// program places it. Needs the application object; a form or control that is not there ends
// the process.
QRect formControlRect(const QString &control, const QString &formName = QStringLiteral("Form1"));

} // namespace desktop
