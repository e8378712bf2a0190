// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChangeText.h"

#include <utility>

namespace runtime {

ChangeText::ChangeText(QString text, QObject *parent)
    : QObject(parent)
    , m_text(std::move(text))
{
}

void ChangeText::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    Q_EMIT Change();
}

} // namespace runtime
