// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormFile.h"

#include <QSize>
#include <QString>

class QMenu;
class QTimer;
class QWidget;

// Builds a window's face from its form file: where the form file comes from,
// and the properties every control block shares.

namespace runtime {

// The form named formName ("Form1", "frmWrite"): a copy the user placed in
// <app data>/forms/<name>.frm re-skins the window; otherwise the built-in one.
// A user file that cannot be read is reported in *userFileError and the
// built-in form is used instead.
FormObject loadForm(const QString &formName, QString *userFileError);

// Applies the properties a block shares with every control: Left, Top, Width
// and Height (twips), Visible, Enabled, ToolTipText, Font, BackColor and
// ForeColor. Missing keys leave the widget as it is; the keyboard order is
// the window's to set.
void applyControlProperties(QWidget *widget, const FormObject &block);

// Interval (milliseconds, 0 by default: never ticks) and Enabled (True by
// default) of a timer's block; the timer runs when both allow it.
void applyTimerProperties(QTimer &timer, const FormObject &block);

// The popup menu of a Menu block: its items become actions named after them,
// an item captioned "-" is a separator and one saved with Visible False is
// there but hidden.
QMenu *menuFrom(const FormObject &form, const QString &menuName, QWidget *parent);

// The block of the named control, or an empty block (all defaults) when the
// form does not carry one.
const FormObject &controlBlock(const FormObject &form, const QString &controlName);

// What a window reads from its form to build its face: its own caption, font and size, and its
// controls placed, with their texts, timers and menus.
class FaceBuilder
{
public:
    explicit FaceBuilder(const FormObject &form)
        : m_form(form)
    {
    }

    const FormObject &block(const QString &control) const { return controlBlock(m_form, control); }
    // A saved property of a control ("Caption", "Text", "Pattern") as text.
    QString text(const QString &control, const QString &property) const;

    // The control named after its block, placed and styled as the block says.
    template<typename Control> Control *place(Control *control, const QString &name) const
    {
        control->setObjectName(name);
        applyControlProperties(control, block(name));
        return control;
    }
    QTimer *timer(const QString &name, QObject *parent) const;
    QMenu *menu(const QString &name, QWidget *parent) const { return menuFrom(m_form, name, parent); }

    // The window's Caption and Font.
    void applyWindowProperties(QWidget *window) const;
    // The window's ClientWidth and ClientHeight in pixels; the defaults are twips.
    QSize clientSize(double defaultWidthTwips, double defaultHeightTwips) const;

private:
    const FormObject &m_form;
};

} // namespace runtime
