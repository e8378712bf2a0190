// SPDX-License-Identifier: GPL-3.0-or-later
#include "Subject.h"

#include "MpvSubject.h"
#include "PlayerSubject.h"
#include "Setup.h"

std::unique_ptr<Subject> launch(Subject::Program program, const Desk &desk, const Setup &setup,
                                const QString &playerPath, const QStringList &mpvFiles)
{
    switch (program) {
    case Subject::Program::Player:
        return std::make_unique<PlayerSubject>(desk, setup, playerPath);
    case Subject::Program::Mpv:
        return std::make_unique<MpvSubject>(desk, setup, setup.mpvOptions, mpvFiles);
    case Subject::Program::MpvCheapest:
        return std::make_unique<MpvSubject>(desk, setup, setup.cheapestMpvOptions, mpvFiles);
    }
    return nullptr;
}

std::optional<QRect> Subject::lookArea()
{
    const std::optional<QRect> picture = pictureArea();
    if (!picture)
        return std::nullopt;
    const QPoint middle = picture->center();
    return QRect(middle.x() - 80, middle.y() - 60, 160, 120);
}

QString programName(Subject::Program program)
{
    switch (program) {
    case Subject::Program::Player:
        return QStringLiteral("KAVEL Player");
    case Subject::Program::Mpv:
        return QStringLiteral("mpv");
    case Subject::Program::MpvCheapest:
        return QStringLiteral("mpv, cheapest output");
    }
    return {};
}
