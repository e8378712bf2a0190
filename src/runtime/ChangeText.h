// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

// A text that other code writes and reacts to through Change, raised only when
// the text really changes. The hidden text boxes of the windows are these: the
// user never sees or types into them.

namespace runtime {

class ChangeText : public QObject
{
    Q_OBJECT
public:
    explicit ChangeText(QString text = {}, QObject *parent = nullptr);

    const QString &text() const { return m_text; }
    void setText(const QString &text);

Q_SIGNALS:
    void Change();

private:
    QString m_text;
};

} // namespace runtime
