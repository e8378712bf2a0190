// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

// Starts another program on its own: it runs on after this one ends, and this
// one does not track it.
class ProgramLauncher
{
public:
    virtual ~ProgramLauncher() = default;

    // Starts the program file at path without arguments, in a normal window
    // that the desktop focuses as it does any newly started program. False
    // when it could not be started.
    virtual bool startProgram(const QString &path) = 0;

    static std::unique_ptr<ProgramLauncher> create();
};
