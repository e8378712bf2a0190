// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bench.h"

#include <QTextStream>

Bench::Bench(Setup setup, const QString &mediaFolder, int runs)
    : m_setup(std::move(setup))
    , m_media(mediaFolder)
    , m_runs(runs)
{
    m_clock.start();
}

Desk *Bench::desk(int number)
{
    if (number >= int(m_desks.size()))
        m_desks.resize(number + 1);
    if (!m_desks[number]) {
        auto desk = std::make_unique<Desk>();
        if (!desk->ready()) {
            log(QStringLiteral("cannot start a display with a window manager"));
            return nullptr;
        }
        m_desks[number] = std::move(desk);
    }
    return m_desks[number].get();
}

void Bench::log(const QString &line) const
{
    QTextStream(stderr) << QStringLiteral("[%1 s] ").arg(m_clock.elapsed() / 1000.0, 6, 'f', 1) << line << Qt::endl;
}
