// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Colour.h"

#include <QPoint>
#include <QWidget>

// The form runtime's line: a straight line between two points of its window,
// drawn in BorderColor, both ends included. It covers only the rectangle
// around its ends and takes no input, so what lies beside it stays usable.

namespace runtime {

struct FormObject;

class Line : public QWidget
{
    Q_OBJECT
public:
    explicit Line(QWidget *parent = nullptr);

    // The ends, in pixels of the parent's client area.
    QPoint from() const { return m_from; }
    QPoint to() const { return m_to; }
    void setEnds(QPoint from, QPoint to);

    OleColor BorderColor() const { return m_borderColor; }
    void setBorderColor(OleColor NewValue);
    // In pixels.
    int BorderWidth() const { return m_borderWidth; }
    void setBorderWidth(int NewValue);

    // X1, Y1, X2 and Y2 (twips), BorderColor, BorderWidth and the properties
    // every control has, from a form file block.
    void readProperties(const FormObject &block);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void place();

    QPoint m_from;
    QPoint m_to;
    OleColor m_borderColor = SystemColour::WindowText;
    int m_borderWidth = 1;
};

} // namespace runtime
