// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramLauncher.h"

#include "desktop/WaitFor.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ProgramLauncher, StartsAProgramThatRunsOnItsOwn)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString marker = dir.filePath(QStringLiteral("started"));
    QFile script(dir.filePath(QStringLiteral("tool")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(marker).toLocal8Bit());
    script.close();
    ASSERT_TRUE(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    EXPECT_TRUE(ProgramLauncher::create()->startProgram(script.fileName()));
    EXPECT_TRUE(waitFor([&] { return QFileInfo::exists(marker); }));
}

TEST(ProgramLauncher, SaysSoWhenAProgramCannotStart)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile notAProgram(dir.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(notAProgram.open(QIODevice::WriteOnly));
    notAProgram.close();

    const std::unique_ptr<ProgramLauncher> launcher = ProgramLauncher::create();
    for (const QString &path : {dir.filePath(QStringLiteral("missing")), notAProgram.fileName(), QString()})
        EXPECT_FALSE(launcher->startProgram(path)) << path.toStdString();
}

} // namespace
