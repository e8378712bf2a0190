// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class Desk;
struct Setup;

// A program under measurement on a desk: the player or bare mpv. The commands
// come in two halves: prepare* does what leads up to the command (the pointer
// on the button, the thumb grabbed), and the command itself is on its way to
// the program when its call returns, so a clock started just before it times
// the program's answer alone.
class Subject
{
public:
    // Bare mpv with the player's engine options (its output too), or as a user runs it with the
    // output that costs least here.
    enum class Program { Player, Mpv, MpvCheapest };

    virtual ~Subject() = default;

    virtual qint64 pid() const = 0;
    virtual bool running() const = 0;
    // Ends the program and waits until it has.
    virtual void stop() = 0;
    // Waits until its window is shown and in place.
    virtual bool waitForWindow(int timeoutMs) = 0;
    // Where its picture shows now (the player's main window below its title strip, mpv's
    // whole window); nothing while its window is not shown.
    virtual std::optional<QRect> pictureArea() = 0;
    // The picture across the whole screen, and back.
    virtual void toggleFullScreen() = 0;
    // The middle of the picture area, inside the picture of a 4:3 or a 16:9 clip.
    std::optional<QRect> lookArea();

    virtual void pause() = 0;
    virtual void prepareNext() = 0;
    virtual void next() = 0;
    // Seeking to a share of the duration.
    virtual bool prepareSeek() = 0;
    virtual void seek(double share) = 0;
    virtual void finishSeek() = 0;
    // The pointer resting on the exit button; false where there is no such button.
    virtual bool restOnExitButton() = 0;
    // The file name of the entry it plays, "" when it cannot tell.
    virtual QString playing() = 0;
};

// Starts the program on the desk with a file or a playlist. The player takes
// one path, as its command line does; mpv takes the files themselves (the
// playlist's entries), and plays round the list as the player does.
std::unique_ptr<Subject> launch(Subject::Program program, const Desk &desk, const Setup &setup,
                                const QString &playerPath, const QStringList &mpvFiles);

QString programName(Subject::Program program);
