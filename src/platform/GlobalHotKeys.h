// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <memory>

// Keys taken from every program on the desktop while the player runs, each with
// the Alt modifier (also when Caps Lock or Num Lock is on). A combination that
// another program holds already stays unregistered.
class GlobalHotKeys : public QObject
{
    Q_OBJECT
public:
    // The implementation for the platform the application runs on; one that
    // registers nothing where the platform has no global keys.
    static std::unique_ptr<GlobalHotKeys> create();

    // Alt + key; keypad picks the numeric keypad's key (plus, minus, Enter). False
    // when the combination could not be taken.
    virtual bool registerHotKey(int id, Qt::Key key, bool keypad) = 0;

Q_SIGNALS:
    // Queued from the event loop, like any posted message.
    void hotKeyPressed(int id);
};
