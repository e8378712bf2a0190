// SPDX-License-Identifier: GPL-3.0-or-later
#include "Line.h"

#include "FormControls.h"
#include "Units.h"

#include <QPainter>

#include <algorithm>

namespace runtime {

Line::Line(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    place();
}

void Line::setEnds(QPoint from, QPoint to)
{
    m_from = from;
    m_to = to;
    place();
}

void Line::setBorderColor(OleColor NewValue)
{
    m_borderColor = NewValue;
    update();
}

void Line::setBorderWidth(int NewValue)
{
    m_borderWidth = std::max(1, NewValue);
    place();
}

void Line::readProperties(const FormObject &block)
{
    applyControlProperties(this, block);
    const PropertyBag &bag = block.properties;
    const auto x = [&bag](const char *name) {
        return Units::twipsToPixelsX(bag.ReadProperty(QLatin1String(name), 0).toDouble());
    };
    const auto y = [&bag](const char *name) {
        return Units::twipsToPixelsY(bag.ReadProperty(QLatin1String(name), 0).toDouble());
    };
    m_from = QPoint(x("X1"), y("Y1"));
    m_to = QPoint(x("X2"), y("Y2"));
    m_borderColor = static_cast<OleColor>(
        bag.ReadProperty(QStringLiteral("BorderColor"), qint64(SystemColour::WindowText)).toLongLong());
    m_borderWidth = std::max(1, bag.ReadProperty(QStringLiteral("BorderWidth"), 1).toInt());
    place();
}

void Line::place()
{
    // A wide line is centred on the points between its ends.
    const int before = (m_borderWidth - 1) / 2;
    const int after = m_borderWidth - 1 - before;
    const QPoint topLeft(std::min(m_from.x(), m_to.x()), std::min(m_from.y(), m_to.y()));
    const QPoint bottomRight(std::max(m_from.x(), m_to.x()), std::max(m_from.y(), m_to.y()));
    setGeometry(QRect(topLeft, bottomRight).adjusted(-before, -before, after, after));
    update();
}

void Line::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor colour = resolveColour(m_borderColor, palette());
    const QPoint origin = geometry().topLeft();
    if (m_from.x() == m_to.x() || m_from.y() == m_to.y()) {
        // Level and upright lines fill their rectangle exactly, ends included.
        painter.fillRect(rect(), colour);
        return;
    }
    painter.setPen(QPen(colour, m_borderWidth, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(m_from - origin, m_to - origin);
}

} // namespace runtime
