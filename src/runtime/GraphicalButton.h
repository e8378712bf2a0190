// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Picture.h"

#include <QAbstractButton>

// A command button in its graphical style: it shows Picture, and DownPicture
// while pressed, and no caption. Its tool tip is also its accessible name, so
// a screen reader can name and press it.

namespace runtime {

class GraphicalButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit GraphicalButton(QWidget *parent = nullptr);

    void setPicture(const Picture &picture);
    void setDownPicture(const Picture &picture);
    void setToolTipText(const QString &text);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Picture m_picture;
    Picture m_downPicture;
};

} // namespace runtime
