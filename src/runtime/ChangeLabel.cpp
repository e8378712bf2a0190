// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChangeLabel.h"

namespace runtime {

ChangeLabel::ChangeLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void ChangeLabel::setCaption(const QString &caption)
{
    if (caption == text())
        return;
    setText(caption);
    Q_EMIT Change();
}

} // namespace runtime
