#include "Subject.h"

#include "MpvSubject.h"
#include "PlayerSubject.h"

std::unique_ptr<Subject> launch(Subject::Program program, const Desk &desk, const Setup &setup,
                                const QString &playerPath, const QStringList &mpvFiles)
{
    if (program == Subject::Program::Player)
        return std::make_unique<PlayerSubject>(desk, setup, playerPath);
    return std::make_unique<MpvSubject>(desk, setup, mpvFiles);
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
    return program == Subject::Program::Player ? QStringLiteral("KAVEL Player") : QStringLiteral("mpv");
}
