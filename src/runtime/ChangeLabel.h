// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A label whose caption raises Change when it really changes, as the labels
// of the windows do.

namespace runtime {

class ChangeLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ChangeLabel(QWidget *parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString &caption);

Q_SIGNALS:
    void Change();
};

} // namespace runtime
