// SPDX-License-Identifier: GPL-3.0-or-later
#include "dtVisualScrollBar.h"

#include "ScrollBarBox.h"
#include "ScrollBarGeometry.h"

// Where the boxes of the face go: the background over the whole control, the
// arrows at the ends of the bar (just beyond them when hidden) and the thumb
// at the place that stands for Value.

namespace {

QSizeF boxSize(const ScrollBarBox *box)
{
    return {box->boxWidth(), box->boxHeight()};
}

} // namespace

void dtVisualScrollBar::layoutControl()
{
    if (m_firstLayout) {
        initLayout();
        showArrowButtons();
    }
    if (m_autoSize && m_picBG->picture() && m_picBG->picture()->handle())
        resizeControl(m_picBG->boxWidth(), m_picBG->boxHeight());
    const double sw = scaleWidth();
    const double sh = scaleHeight();
    m_picBG->setBox(0, 0, sw, sh);

    ScrollBarBox *nearArrow = vertical() ? m_picUP : m_picLeft;
    ScrollBarBox *farArrow = vertical() ? m_picDN : m_picRight;
    const std::optional<ScrollBarGeometry::ArrowPlaces> places = ScrollBarGeometry::arrowPlaces(
        vertical(), m_thumbAlignment, m_buttonsVisible, {sw, sh}, boxSize(nearArrow), boxSize(farArrow));
    // An alignment of the other orientation (only a saved face can hold one)
    // leaves arrows and thumb where they are.
    if (!places)
        return;
    nearArrow->moveTo(places->nearArrow.x(), places->nearArrow.y());
    farArrow->moveTo(places->farArrow.x(), places->farArrow.y());
    placeThumb();
}

void dtVisualScrollBar::placeThumb()
{
    const double sw = scaleWidth();
    const double sh = scaleHeight();
    const ScrollBarBox *thumb = m_picTHUMB;
    if (vertical()) {
        const double start = m_buttonsVisible ? m_picUP->boxHeight() : 0.0;
        const double end = m_buttonsVisible ? m_picDN->top() - thumb->boxHeight() : sh - thumb->boxHeight();
        const double top = ScrollBarGeometry::thumbLeading(m_value, m_min, m_max, start, end);
        const double left
            = ScrollBarGeometry::across(true, m_thumbAlignment, sw, thumb->boxWidth()).value_or(thumb->left());
        m_picTHUMB->moveTo(left, top);
    } else {
        const double start = m_buttonsVisible ? m_picLeft->boxWidth() : 0.0;
        const double end = m_buttonsVisible ? m_picRight->left() - thumb->boxWidth() : sw - thumb->boxWidth();
        const double left = ScrollBarGeometry::thumbLeading(m_value, m_min, m_max, start, end);
        const double top
            = ScrollBarGeometry::across(false, m_thumbAlignment, sh, thumb->boxHeight()).value_or(thumb->top());
        m_picTHUMB->moveTo(left, top);
    }
}

void dtVisualScrollBar::showArrowButtons()
{
    for (ScrollBarBox *arrow : {m_picRight, m_picLeft, m_picUP, m_picDN})
        arrow->setVisible(false);
    m_picTHUMB->setVisible(true);
    if (!m_buttonsVisible)
        return;
    if (m_orientation == Vertical) {
        m_picUP->setVisible(true);
        m_picDN->setVisible(true);
    } else if (m_orientation == Horizontal) {
        m_picRight->setVisible(true);
        m_picLeft->setVisible(true);
    }
}

void dtVisualScrollBar::initLayout()
{
    // 315 twips is the thickness of the built-in arrows and thumb.
    constexpr double Thickness = 315;
    m_firstLayout = false;
    const double sw = scaleWidth();
    const double sh = scaleHeight();
    m_orientation = sh >= sw ? Vertical : Horizontal;
    m_picBG->setBox(0, 0, sw, sh);
    showArrowButtons();
    if (vertical()) {
        m_thumbAlignment = 1;
        resizeControl(Thickness, sh);
    } else {
        m_thumbAlignment = 4;
        resizeControl(sw, Thickness);
    }
}
