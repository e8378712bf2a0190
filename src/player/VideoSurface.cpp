// SPDX-License-Identifier: GPL-3.0-or-later
#include "VideoSurface.h"

#include <QPalette>

VideoSurface::VideoSurface(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_DontCreateNativeAncestors);
    setFocusPolicy(Qt::NoFocus);
    // Black until the first frame, and behind any bars the engine leaves.
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    hide();
}

VideoSurface::~VideoSurface()
{
    Q_EMIT aboutToBeDestroyed();
}
