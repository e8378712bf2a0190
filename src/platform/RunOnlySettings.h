// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTemporaryDir>

// Qt's own user settings (the file dialogs' history, last folder and view) kept
// in a private folder for as long as the object lives, and removed with it: the
// player keeps no settings from one run to the next, and writes nothing into
// the user's configuration folder. Within the run, the dialogs remember as usual.
//
// It moves the settings files; a native format that is no file (the Windows
// registry) is not moved.
class RunOnlySettings
{
public:
    RunOnlySettings();

private:
    QTemporaryDir m_folder;
};
