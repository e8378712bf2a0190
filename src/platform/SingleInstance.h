// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QString>

// One running instance per user: the first holds a lock file in the user's
// runtime folder for as long as this object lives. A lock left by a crashed
// instance is taken over at once.
class SingleInstance
{
public:
    // name: the lock file's base name, e.g. "kavel-player".
    explicit SingleInstance(const QString &name);

    // True when another instance holds the lock. A lock that cannot be made
    // at all (no runtime folder, no permission) does not keep the user out.
    bool PrevInstance() const { return m_prevInstance; }

private:
    QLockFile m_lock;
    bool m_prevInstance;
};
