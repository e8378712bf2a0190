// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QObject>
#include <QSize>

#include <memory>

class QWidget;

// What a top-level window tells the window manager about itself, and the frame
// the window manager draws around it in answer.
class WindowManagerHints : public QObject
{
    Q_OBJECT
public:
    // The implementation for the platform the application runs on; one that
    // tells nothing where the platform has no window manager to tell.
    static std::unique_ptr<WindowManagerHints> create(QWidget *window);

    // Asks that the user's resizing keep the proportions width : height. False
    // when the window manager cannot be told.
    virtual bool setAspectRatio(QSize ratio) = 0;

    // Asks for a resizable border drawn outside the window, without a title
    // bar. False when the window manager cannot be asked; whether it obliged
    // shows in frameExtents().
    virtual bool requestBorderWithoutTitle() = 0;

    // The frame the window manager draws around the window; none (all zero)
    // where it draws none, as without a window manager, or while the window is
    // maximized or full screen.
    virtual QMargins frameExtents() const = 0;

Q_SIGNALS:
    void frameExtentsChanged(QMargins extents);
};
