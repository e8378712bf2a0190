// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProgramLauncher.h"

#include <QStringList>

// Remembers the programs it was asked to start, and starts none.
class RecordingLauncher final : public ProgramLauncher
{
public:
    explicit RecordingLauncher(bool succeeds = true)
        : m_succeeds(succeeds)
    {
    }

    bool startProgram(const QString &path) override
    {
        started.append(path);
        return m_succeeds;
    }

    QStringList started;

private:
    bool m_succeeds;
};
