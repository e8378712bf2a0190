// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FaceFont.h"
#include "Surface.h"
#include "runtime/Colour.h"
#include "runtime/Nearest.h"
#include "runtime/Picture.h"
#include "runtime/PropertyBag.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <optional>

// An image button that paints its whole face itself: a raised or sunken
// frame, an optional picture keyed on a transparent colour (or drawn as a
// one-colour silhouette), and a caption with an access key. It has three
// looks (Down, Up, Hover), follows the pointer with a 1 ms timer while the
// pointer is over it, and raises its events synchronously: connect them with
// direct connections so that handlers can change the by-reference parameters.
//
// The holder (the container) sets the ambient properties and the container
// tool tip, and loads or saves the control with ReadProperties,
// WriteProperties or InitProperties.

class ButtonEx : public QWidget
{
    Q_OBJECT
public:
    enum Look : std::int32_t { Down = 0, Up = 1, Hover = 2 };

    explicit ButtonEx(QWidget *parent = nullptr);

    // Container: ambient properties and the extender's tool tip.
    const QFont &ambientFont() const { return m_ambientFont; }
    void setAmbientFont(const QFont &font) { m_ambientFont = font; }
    bool userMode() const { return m_userMode; }
    void setUserMode(bool userMode) { m_userMode = userMode; }
    bool displayAsDefault() const { return m_displayAsDefault; }
    void setDisplayAsDefault(bool displayAsDefault);
    void AmbientChanged(const QString &name);
    const QString &containerToolTip() const { return m_containerToolTip; }
    void setContainerToolTip(const QString &text);

    // Properties. Booleans are 16-bit: True = -1, False = 0.
    std::int32_t Appearance() const { return m_appearance; }
    void setAppearance(std::int32_t NewValue);
    runtime::OleColor BackColor() const { return m_backColor; }
    void setBackColor(runtime::OleColor NewValue);
    const QString &Caption() const { return m_caption; }
    void setCaption(const QString &NewValue);
    // The widget's own enabled state, whichever setter changes it: a 16-bit boolean picks this
    // one, a bool QWidget's.
    std::int16_t Enabled() const { return m_enabled; }
    using QWidget::setEnabled;
    void setEnabled(std::int16_t NewValue);
    runtime::OleColor ForeColor() const { return m_foreColor; }
    void setForeColor(runtime::OleColor NewValue);
    const QFont &Font() const { return m_font; }
    void setFont(const QFont &NewValue);
    runtime::OleColor HighlightColor() const { return m_highlightColor; }
    void setHighlightColor(runtime::OleColor NewValue);
    std::int16_t HighlightPicture() const { return m_highlightPicture; }
    void setHighlightPicture(std::int16_t NewValue);
    const runtime::Picture &MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const runtime::Picture &NewValue);
    std::int32_t MousePointer() const { return m_mousePointer; }
    // Fails (after storing the value) when the value does not fit 16 bits.
    bool setMousePointer(std::int32_t NewValue);
    const runtime::Picture &Picture() const { return m_imgPicture.picture(); }
    void setPicture(const runtime::Picture &NewValue);
    std::int16_t RightToLeft() const { return m_rightToLeft; }
    void setRightToLeft(std::int16_t NewValue);
    const QString &ToolTipText() const { return m_toolTipText; }
    void setToolTipText(const QString &NewValue);
    runtime::OleColor TransparentColor() const { return m_transparentColor; }
    void setTransparentColor(runtime::OleColor NewValue);
    std::int32_t WhatsThisHelpID() const { return m_whatsThisHelpId; }
    void setWhatsThisHelpID(std::int32_t NewValue);

    // Persistence. ReadProperties ignores keys it does not know; a value that is
    // malformed or out of range leaves its property as it was, and the first
    // such key is named in *error.
    void InitProperties();
    bool ReadProperties(const runtime::PropertyBag &bag, QString *error = nullptr);
    void WriteProperties(runtime::PropertyBag &bag) const;

    void DrawButton(std::int32_t State);

    std::int32_t CurrentState() const { return m_currentState; }
    bool FocusShown() const { return m_focusShown; }
    const QString &accessKeys() const { return m_accessKeys; }
    // The name assistive technology reads: the container tool tip, else the caption as shown.
    QString accessibleButtonName() const;
    // A press through assistive technology: a click like any other.
    void accessiblePress();

Q_SIGNALS:
    void Click();
    void KeyDown(short &KeyCode, short &Shift);
    void KeyPress(short &KeyAscii);
    void KeyUp(short &KeyCode, short &Shift);
    void MouseDown(short &Button, short &Shift, float &X, float &Y);
    void MouseMove(short &Button, short &Shift, float &X, float &Y);
    void MouseUp(short &Button, short &Shift, float &X, float &Y);
    void Resize();
    void propertyChanged(const QString &name);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void redraw() { DrawButton(m_currentState); }
    void followOwnEnabledState();
    void updateAccessKey();
    void applyCursor();
    void nameChanged();
    void checkPointer();
    void pointerCheckDue();
    // Raises a mouse event with the position in twips; false when a handler deleted the control.
    bool raiseMouse(void (ButtonEx::*signal)(short &, short &, float &, float &), QMouseEvent *event, short button);

    // Properties
    std::int32_t m_appearance = 1;
    runtime::OleColor m_backColor = runtime::SystemColour::ButtonFace;
    QString m_caption = QStringLiteral("ButtonEx1");
    std::int16_t m_enabled = -1;
    runtime::OleColor m_foreColor = runtime::SystemColour::ButtonText;
    QFont m_font;
    buttonex::FaceFont m_faceFont;
    runtime::OleColor m_highlightColor = runtime::SystemColour::ButtonText;
    std::int16_t m_highlightPicture = 0;
    runtime::Picture m_mouseIcon;
    std::int32_t m_mousePointer = 0;
    std::int16_t m_rightToLeft = 0;
    QString m_toolTipText;
    runtime::OleColor m_transparentColor = 0xFF0000;
    std::int32_t m_whatsThisHelpId = 0;

    // Container
    QFont m_ambientFont;
    bool m_userMode = true;
    bool m_displayAsDefault = false;
    QString m_containerToolTip;

    // State
    std::int32_t m_currentState = Down;
    bool m_focusShown = false;
    QString m_accessKeys;
    int m_shortcutId = 0;
    bool m_leftPressed = false;
    // Hover tracking (Timer1 enabled): from a move over the face until a check finds the pointer
    // outside. The checks run every millisecond where one can find something new: after the
    // pointer's notifications, and while its place is not known from them.
    bool m_hoverTracking = false;
    // Where the pointer was last seen over the face, from the pointer's own notifications; none
    // once it has left.
    std::optional<QPoint> m_pointer;
    // The window system said the pointer left: a window put over the face takes the pointer from
    // it though it rests in the same place.
    bool m_pointerLeft = false;
    QImage m_face;
    QTimer m_timer1;

    // Constituents
    buttonex::Surface m_imgPicture;
    buttonex::Surface m_pictNewPicture;
    buttonex::Surface m_pictTempHighlight;
    buttonex::Surface m_pictTempDestination;
};
