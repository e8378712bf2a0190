// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramLauncher.h"

#include <QProcess>

namespace {

class DetachedLauncher final : public ProgramLauncher
{
public:
    bool startProgram(const QString &path) override
    {
        QProcess process;
        process.setProgram(path);
        // A started program must not hold on to the player's input or output.
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        return process.startDetached();
    }
};

} // namespace

std::unique_ptr<ProgramLauncher> ProgramLauncher::create()
{
    return std::make_unique<DetachedLauncher>();
}
