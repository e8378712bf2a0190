// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

class Form1;
class QKeyEvent;
class QWheelEvent;
class QWidget;

// The keys, the wheel and the double click that people reach for in any player, taken in the
// main window wherever its focus is and in the full-screen picture. Each runs what the mouse
// would run: the Play and Pause buttons, a drag of the position or the volume bar's thumb, the
// full-screen toggle. Events the player does not use here go on to their control unchanged.
class PlayerInput : public QObject
{
    Q_OBJECT
public:
    // Right and Left, and a notch of the wheel over the position bar, in the bar's seconds.
    static constexpr int SeekStep = 5;
    // Up and Down, and a notch of the wheel over the picture or the volume bar: 2.5 dB, in the
    // bar's hundredths of a decibel, a step the ear notices (twenty from silence to full volume).
    static constexpr int VolumeStep = 250;

    explicit PlayerInput(Form1 &form);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QWidget *widget);
    void followThePicture(QWidget *picture);
    // Whether input to the widget is the player's to take now.
    bool takesInputFor(const QWidget *widget) const;
    bool onPicture(const QWidget *widget) const;
    bool keyPressed(const QKeyEvent &key);
    bool wheelTurned(const QWidget *target, const QWheelEvent &wheel);
    void playOrPause();
    void seek(int steps);
    void changeVolume(int steps);

    Form1 &m_form;
    // The video window: a child of the picture box, or of the renderer's window in full screen.
    QPointer<QWidget> m_video;
    // The wheel's turn short of a whole notch, as fine-grained wheels and touchpads report it.
    int m_wheelRest = 0;
};
