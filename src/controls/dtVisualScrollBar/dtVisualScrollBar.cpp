// SPDX-License-Identifier: GPL-3.0-or-later
#include "dtVisualScrollBar.h"

#include "ScrollBarAccessible.h"
#include "ScrollBarBox.h"
#include "ScrollBarPictures.h"
#include "runtime/Units.h"

#include <QAccessible>
#include <QEvent>
#include <QLocale>

#include <algorithm>

namespace {

constexpr double LargestRange = 2147483647.0;

const QString DifferenceMessage
    = QStringLiteral("Invalid property value. Difference between Min and Max values cannot exceed ");

} // namespace

dtVisualScrollBar::dtVisualScrollBar(QWidget *parent)
    : QWidget(parent)
    , m_picBG(new ScrollBarBox(QStringLiteral("picBG"), 0xC0C0C0, this))
    , m_picTHUMB(new ScrollBarBox(QStringLiteral("picTHUMB"), 0x000000, m_picBG))
    , m_picUP(new ScrollBarBox(QStringLiteral("picUP"), 0x808080, m_picBG))
    , m_picDN(new ScrollBarBox(QStringLiteral("picDN"), 0x808080, m_picBG))
    , m_picLeft(new ScrollBarBox(QStringLiteral("picLeft"), 0xFF8080, m_picBG))
    , m_picRight(new ScrollBarBox(QStringLiteral("picRight"), 0xFF8080, m_picBG))
{
    using ScrollBarPictures::Arrow;
    m_picTHUMB->setPicture(ScrollBarPictures::thumb());
    m_picUP->setPicture(ScrollBarPictures::arrow(Arrow::Up));
    m_picDN->setPicture(ScrollBarPictures::arrow(Arrow::Down));
    m_picLeft->setPicture(ScrollBarPictures::arrow(Arrow::Left));
    m_picRight->setPicture(ScrollBarPictures::arrow(Arrow::Right));
    for (ScrollBarBox *b : {m_picBG, m_picTHUMB, m_picUP, m_picDN, m_picLeft, m_picRight})
        b->installEventFilter(this);
    ScrollBarAccessible::install();
}

dtVisualScrollBar::~dtVisualScrollBar() = default;

double dtVisualScrollBar::scaleWidth() const
{
    return runtime::Units::pixelsToTwipsX(width());
}

double dtVisualScrollBar::scaleHeight() const
{
    return runtime::Units::pixelsToTwipsY(height());
}

void dtVisualScrollBar::resizeControl(double widthTwips, double heightTwips)
{
    const QSize wanted = QSize(runtime::Units::twipsToPixelsX(widthTwips), runtime::Units::twipsToPixelsY(heightTwips))
                             .expandedTo(minimumSize())
                             .boundedTo(maximumSize());
    if (wanted == size() || m_ownResize)
        return;
    // Lay out here rather than from the resize event, which a hidden widget
    // only receives when it is shown. The layout run from here resizes
    // nothing itself: the one that called us goes on with the new size.
    m_ownResize = true;
    resize(wanted);
    layoutControl();
    m_ownResize = false;
}

void dtVisualScrollBar::resizeEvent(QResizeEvent *)
{
    if (!m_ownResize)
        layoutControl();
}

void dtVisualScrollBar::reportInvalid(const QString &text)
{
    m_reporter->showMessage(this, QStringLiteral("Error"), text, runtime::MessageReporter::Icon::Critical);
}

void dtVisualScrollBar::notifyAccessibleValue()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent event(this, m_value);
    QAccessible::updateAccessibility(&event);
}

void dtVisualScrollBar::setAutoSize(bool NewValue)
{
    m_autoSize = NewValue;
    m_picBG->setAutoSize(NewValue);
    layoutControl();
    Q_EMIT propertyChanged(QStringLiteral("AutoSize"));
}

void dtVisualScrollBar::setButtonsVisible(bool NewValue)
{
    m_buttonsVisible = NewValue;
    for (ScrollBarBox *arrow : {m_picUP, m_picDN, m_picLeft, m_picRight})
        arrow->setVisible(false);
    if (vertical()) {
        m_picUP->setVisible(NewValue);
        m_picDN->setVisible(NewValue);
    } else {
        m_picRight->setVisible(NewValue);
        m_picLeft->setVisible(NewValue);
    }
    layoutControl();
    Q_EMIT propertyChanged(QStringLiteral("ButtonsVisible"));
}

void dtVisualScrollBar::setValue(qint64 NewValue)
{
    if (m_min <= NewValue && NewValue <= m_max)
        m_value = static_cast<qint32>(NewValue);
    else if (NewValue < m_min)
        m_value = m_min;
    else
        m_value = m_max;
    placeThumb();
    notifyAccessibleValue();
    Q_EMIT Change();
    Q_EMIT propertyChanged(QStringLiteral("Value"));
}

void dtVisualScrollBar::setSmallChange(qint64 NewValue)
{
    if (NewValue < 1 || NewValue > 32767) {
        reportInvalid(QStringLiteral("Invalid property value"));
        NewValue = 1;
    }
    m_smallChange = static_cast<qint32>(NewValue);
    Q_EMIT propertyChanged(QStringLiteral("SmallChange"));
}

void dtVisualScrollBar::setLargeChange(qint64 NewValue)
{
    if (NewValue < 1 || NewValue > 32767) {
        reportInvalid(QStringLiteral("Invalid property value"));
        NewValue = 1;
    }
    m_largeChange = static_cast<qint32>(NewValue);
    Q_EMIT propertyChanged(QStringLiteral("LargeChange"));
}

void dtVisualScrollBar::mapAlignmentToOrientation()
{
    if (m_orientation != Horizontal) {
        if (m_thumbAlignment >= 3 && m_thumbAlignment <= 5)
            m_thumbAlignment -= 3;
    } else if (m_thumbAlignment >= 0 && m_thumbAlignment <= 2) {
        m_thumbAlignment += 3;
    }
}

void dtVisualScrollBar::setThumbAlignment(qint32 NewValue)
{
    m_thumbAlignment = NewValue;
    mapAlignmentToOrientation();
    layoutControl();
}

runtime::OleColor dtVisualScrollBar::BackColor() const
{
    return m_picBG->backColour();
}

void dtVisualScrollBar::setBackColor(runtime::OleColor NewValue)
{
    m_picBG->setBackColour(NewValue);
    layoutControl();
}

void dtVisualScrollBar::setOrientation(qint32 NewValue)
{
    m_orientation = NewValue;
    mapAlignmentToOrientation();
    // Both pairs are switched on and off here whatever ButtonsVisible says:
    // hidden arrows are laid out beyond the bar's ends.
    const bool upright = NewValue != Horizontal;
    m_picUP->setVisible(upright);
    m_picDN->setVisible(upright);
    m_picRight->setVisible(!upright);
    m_picLeft->setVisible(!upright);
    layoutControl();
}

ScrollBarBox *dtVisualScrollBar::box(PictureSlot slot) const
{
    switch (slot) {
    case PictureSlot::Background:
        return m_picBG;
    case PictureSlot::Thumb:
        return m_picTHUMB;
    case PictureSlot::Up:
        return m_picUP;
    case PictureSlot::Down:
        return m_picDN;
    case PictureSlot::Left:
        return m_picLeft;
    case PictureSlot::Right:
        return m_picRight;
    }
    return m_picBG;
}

void dtVisualScrollBar::setPicture(PictureSlot slot, const std::optional<runtime::Picture> &picture)
{
    ScrollBarBox *b = box(slot);
    if (!picture) {
        b->removePicture();
        if (slot == PictureSlot::Left || slot == PictureSlot::Down)
            b->setBox(b->left(), b->top(), 0, 0);
    } else if (picture->handle()) {
        b->setPicture(*picture);
        if (slot == PictureSlot::Background)
            resizeControl(m_picBG->boxWidth(), m_picBG->boxHeight());
    } else if (slot == PictureSlot::Background) {
        b->setBox(b->left(), b->top(), scaleWidth(), scaleHeight());
    } else {
        // A square of the bar's thickness.
        const double side = std::min(scaleHeight(), scaleWidth());
        b->setBox(b->left(), b->top(), side, side);
    }
    showArrowButtons();
}

std::optional<runtime::Picture> dtVisualScrollBar::PictureBackground() const
{
    return m_picBG->picture();
}

void dtVisualScrollBar::setPictureBackground(const std::optional<runtime::Picture> &NewValue)
{
    setPicture(PictureSlot::Background, NewValue);
    Q_EMIT propertyChanged(QStringLiteral("PictureBackground"));
}

std::optional<runtime::Picture> dtVisualScrollBar::PictureThumb() const
{
    return m_picTHUMB->picture();
}

void dtVisualScrollBar::setPictureThumb(const std::optional<runtime::Picture> &NewValue)
{
    setPicture(PictureSlot::Thumb, NewValue);
    Q_EMIT propertyChanged(QStringLiteral("PictureThumb"));
}

std::optional<runtime::Picture> dtVisualScrollBar::PictureUp() const
{
    return m_picUP->picture();
}

void dtVisualScrollBar::setPictureUp(const std::optional<runtime::Picture> &NewValue)
{
    setPicture(PictureSlot::Up, NewValue);
    Q_EMIT propertyChanged(QStringLiteral("PictureUp"));
}

std::optional<runtime::Picture> dtVisualScrollBar::PictureRight() const
{
    return m_picRight->picture();
}

void dtVisualScrollBar::setPictureRight(const std::optional<runtime::Picture> &NewValue)
{
    setPicture(PictureSlot::Right, NewValue);
    Q_EMIT propertyChanged(QStringLiteral("PictureRight"));
}

std::optional<runtime::Picture> dtVisualScrollBar::PictureLeft() const
{
    return m_picLeft->picture();
}

void dtVisualScrollBar::setPictureLeft(const std::optional<runtime::Picture> &NewValue)
{
    setPicture(PictureSlot::Left, NewValue);
    Q_EMIT propertyChanged(QStringLiteral("PictureLeft"));
}

std::optional<runtime::Picture> dtVisualScrollBar::PictureDown() const
{
    return m_picDN->picture();
}

void dtVisualScrollBar::setPictureDown(const std::optional<runtime::Picture> &NewValue)
{
    setPicture(PictureSlot::Down, NewValue);
    Q_EMIT propertyChanged(QStringLiteral("PictureDown"));
}

void dtVisualScrollBar::setMin(qint32 NewValue)
{
    if (static_cast<double>(m_max) - NewValue > LargestRange) {
        reportInvalid(DifferenceMessage + QLocale().toString(2147483647));
        return;
    }
    // The thumb's place is a fraction of Max - Min: an empty or reversed range
    // must not arise, so Min is held below Max as Max is held above Min.
    if (NewValue >= m_max) {
        reportInvalid(QStringLiteral("Invalid property value. Min property must be smaller than Max property."));
        return;
    }
    m_min = NewValue;
    setValue(m_value < m_min ? m_min : m_value);
    layoutControl();
    Q_EMIT propertyChanged(QStringLiteral("Min"));
}

void dtVisualScrollBar::setMax(qint32 NewValue)
{
    if (NewValue <= m_min) {
        reportInvalid(QStringLiteral("Invalid property value. Max property must be larger than Min property."));
        return;
    }
    if (static_cast<double>(NewValue) - m_min > LargestRange) {
        reportInvalid(DifferenceMessage + QStringLiteral("2147483647"));
        return;
    }
    m_max = NewValue;
    setValue(m_value > m_max ? m_max : m_value);
    layoutControl();
    Q_EMIT propertyChanged(QStringLiteral("Max"));
}

bool dtVisualScrollBar::Enabled() const
{
    return !testAttribute(Qt::WA_ForceDisabled);
}

void dtVisualScrollBar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        // A press that a disabled bar will never see released must not leave a drag behind.
        m_dragging = false;
        m_pressedArrow = nullptr;
        if (Enabled() != m_explicitlyEnabled) {
            m_explicitlyEnabled = Enabled();
            Q_EMIT propertyChanged(QStringLiteral("Enabled"));
        }
    }
    QWidget::changeEvent(event);
}

void dtVisualScrollBar::setContainerToolTip(const QString &text)
{
    setToolTip(text);
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void dtVisualScrollBar::scrollTo(qint64 value)
{
    m_value = static_cast<qint32>(std::clamp<qint64>(value, std::min(m_min, m_max), std::max(m_min, m_max)));
    placeThumb();
    notifyAccessibleValue();
    Q_EMIT Scroll();
    Q_EMIT Change();
}
