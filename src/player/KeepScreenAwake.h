// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ScreenSaverInhibitor.h"

#include <QDBusConnection>
#include <QObject>

class Form1;
class MediaGraph;

// Whether the graph shows a moving picture: a file with video that runs, short of its end.
bool showsAMovingPicture(const MediaGraph &graph);

// The screen kept awake while the main window plays a film: a file with a picture that runs,
// neither paused, stopped, at its end nor closed. Sound alone lets the screen rest.
class KeepScreenAwake : public QObject
{
    Q_OBJECT
public:
    KeepScreenAwake(Form1 &form, const QDBusConnection &bus);

private:
    void follow();

    Form1 &m_form;
    ScreenSaverInhibitor m_inhibitor;
};
