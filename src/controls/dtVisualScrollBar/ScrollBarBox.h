// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/Colour.h"
#include "runtime/Picture.h"

#include <QWidget>

#include <optional>

// One picture box of the scroll bar's face: it shows its picture unscaled from
// its top-left corner on its back colour, and sizes itself to a new picture
// while auto-size is on. Its place is kept in twips, fractions included, and
// the widget follows in whole pixels; the parent clips it.

class ScrollBarBox : public QWidget
{
    Q_OBJECT
public:
    ScrollBarBox(const QString &name, runtime::OleColor backColour, QWidget *parent);

    // Nothing when the box shows no picture.
    const std::optional<runtime::Picture> &picture() const { return m_picture; }
    void setPicture(const runtime::Picture &picture);
    void removePicture();

    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);

    runtime::OleColor backColour() const { return m_backColour; }
    void setBackColour(runtime::OleColor colour);

    double left() const { return m_left; }
    double top() const { return m_top; }
    double boxWidth() const { return m_width; }
    double boxHeight() const { return m_height; }

    void moveTo(double left, double top);
    void setBox(double left, double top, double width, double height);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void sizeToPicture();
    void followTwips();

    std::optional<runtime::Picture> m_picture;
    runtime::OleColor m_backColour;
    bool m_autoSize = true;
    // Single precision, as the form runtime keeps a box's place.
    float m_left = 0;
    float m_top = 0;
    float m_width = 0;
    float m_height = 0;
};
