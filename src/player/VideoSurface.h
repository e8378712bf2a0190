// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// The native window that the engine draws the video into. It must be a real
// window of its own so the engine can be handed its id, and it is hidden until
// an owner shows it.
class VideoSurface final : public QWidget
{
    Q_OBJECT

public:
    explicit VideoSurface(QWidget *parent);
    ~VideoSurface() override;

Q_SIGNALS:
    // Emitted while the native window still exists, so whoever draws into it can stop first.
    void aboutToBeDestroyed();
};
