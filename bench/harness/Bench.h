// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Desk.h"
#include "Setup.h"

#include <QDir>
#include <QElapsedTimer>

#include <memory>
#include <vector>

// What the measurements share: the set-up, the media, the desks (started as
// they are first asked for and kept to the end) and the progress log.
class Bench
{
public:
    Bench(Setup setup, const QString &mediaFolder, int runs);

    Setup &setup() { return m_setup; }
    const Setup &setup() const { return m_setup; }
    QString media(const QString &name) const { return m_media.filePath(name); }
    int runs() const { return m_runs; }
    // The desk of that number, started on first use; nothing when no display could be started.
    Desk *desk(int number);
    // A line of progress on standard error, with the time since the start.
    void log(const QString &line) const;

private:
    Setup m_setup;
    QDir m_media;
    int m_runs;
    std::vector<std::unique_ptr<Desk>> m_desks;
    QElapsedTimer m_clock;
};
