// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/Colour.h"
#include "runtime/MessageReporter.h"
#include "runtime/Picture.h"

#include <QWidget>

#include <optional>

namespace runtime {
class PropertyBag;
}

// A skinnable scroll bar: one value inside [Min, Max], shown as a thumb that
// slides along a track between two arrows. Its face is six picture boxes whose
// pictures are its skin; it paints nothing itself. Dragging the thumb raises
// Scroll at each new place and Change once at the end; arrows and track
// presses step through Value and raise Change only.

class ScrollBarBox;

class dtVisualScrollBar : public QWidget
{
    Q_OBJECT
public:
    enum Orientations { Horizontal = 0, Vertical = 1 };

    explicit dtVisualScrollBar(QWidget *parent = nullptr);
    ~dtVisualScrollBar() override;

    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool NewValue);
    bool ButtonsVisible() const { return m_buttonsVisible; }
    void setButtonsVisible(bool NewValue);
    qint32 Value() const { return m_value; }
    // Takes any whole number: a value outside [Min, Max] is held at the nearer end.
    void setValue(qint64 NewValue);
    qint32 SmallChange() const { return m_smallChange; }
    void setSmallChange(qint64 NewValue);
    qint32 LargeChange() const { return m_largeChange; }
    void setLargeChange(qint64 NewValue);
    qint32 ThumbAlignment() const { return m_thumbAlignment; }
    void setThumbAlignment(qint32 NewValue);
    runtime::OleColor BackColor() const;
    void setBackColor(runtime::OleColor NewValue);
    qint32 Orientation() const { return m_orientation; }
    void setOrientation(qint32 NewValue);

    // Nothing stands for no picture object; an empty picture object resizes the
    // box to the bar's thickness and keeps its picture.
    std::optional<runtime::Picture> PictureBackground() const;
    void setPictureBackground(const std::optional<runtime::Picture> &NewValue);
    std::optional<runtime::Picture> PictureThumb() const;
    void setPictureThumb(const std::optional<runtime::Picture> &NewValue);
    std::optional<runtime::Picture> PictureUp() const;
    void setPictureUp(const std::optional<runtime::Picture> &NewValue);
    std::optional<runtime::Picture> PictureRight() const;
    void setPictureRight(const std::optional<runtime::Picture> &NewValue);
    std::optional<runtime::Picture> PictureLeft() const;
    void setPictureLeft(const std::optional<runtime::Picture> &NewValue);
    std::optional<runtime::Picture> PictureDown() const;
    void setPictureDown(const std::optional<runtime::Picture> &NewValue);

    qint32 Min() const { return m_min; }
    void setMin(qint32 NewValue);
    qint32 Max() const { return m_max; }
    void setMax(qint32 NewValue);

    // The control's own enabled switch (QWidget::setEnabled sets it); a disabled
    // bar takes no pointer input.
    bool Enabled() const;

    // Persistence, called by the container: a new instance placed on a form, an
    // instance created from its saved properties, and saving.
    void InitProperties();
    void ReadProperties(const runtime::PropertyBag &bag);
    void WriteProperties(runtime::PropertyBag &bag) const;

    // Moves the thumb to a value as a completed drag would: Scroll, then Change.
    // Assistive technology sets the value this way, so it seeks and sets the volume.
    void scrollTo(qint64 value);

    // The tool tip the container gives the control, which also names it to assistive technology.
    void setContainerToolTip(const QString &text);

    void setMessageReporter(runtime::MessageReporter *reporter) { m_reporter = reporter; }

    // The constituent boxes, whose places are twips in the control's coordinates.
    const ScrollBarBox *picBG() const { return m_picBG; }
    const ScrollBarBox *picTHUMB() const { return m_picTHUMB; }
    const ScrollBarBox *picUP() const { return m_picUP; }
    const ScrollBarBox *picDN() const { return m_picDN; }
    const ScrollBarBox *picLeft() const { return m_picLeft; }
    const ScrollBarBox *picRight() const { return m_picRight; }

Q_SIGNALS:
    void Change();
    void Scroll();
    // A persisted property changed, by its key name, so that a designer saves again.
    void propertyChanged(const QString &name);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class PictureSlot { Background, Thumb, Up, Down, Left, Right };

    bool vertical() const { return m_orientation == Vertical; }
    double scaleWidth() const;
    double scaleHeight() const;
    void resizeControl(double widthTwips, double heightTwips);
    void reportInvalid(const QString &text);
    void notifyAccessibleValue();

    void setPicture(PictureSlot slot, const std::optional<runtime::Picture> &picture);
    ScrollBarBox *box(PictureSlot slot) const;

    // Layout
    void layoutControl();
    void placeThumb();
    void showArrowButtons();
    void initLayout();
    void mapAlignmentToOrientation();

    // Pointer input
    double pointerAlong(const QWidget *box, const QPointF &position) const;
    double thumbLeading() const;
    void thumbPressed(double along);
    void thumbMoved(double along);
    void thumbReleased();
    void trackPressed(double along);

    ScrollBarBox *m_picBG;
    ScrollBarBox *m_picTHUMB;
    ScrollBarBox *m_picUP;
    ScrollBarBox *m_picDN;
    ScrollBarBox *m_picLeft;
    ScrollBarBox *m_picRight;

    qint32 m_min = 0;
    qint32 m_max = 32767;
    qint32 m_value = 0;
    qint32 m_smallChange = 1;
    qint32 m_largeChange = 10;
    qint32 m_orientation = Horizontal;
    qint32 m_thumbAlignment = 0;
    bool m_autoSize = false;
    bool m_buttonsVisible = true;
    bool m_firstLayout = false;

    // Drag of the thumb, in twips along the bar.
    int m_grabOffset = 0;
    bool m_dragging = false;
    bool m_moved = false;
    int m_lastThumb = 0;
    const ScrollBarBox *m_pressedArrow = nullptr;

    bool m_ownResize = false;
    bool m_explicitlyEnabled = true;
    runtime::MessageReporter *m_reporter = &runtime::MessageReporter::modalBoxes();
};
