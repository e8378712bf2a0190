// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/PathNames.h"

#include <QDir>

#include <gtest/gtest.h>

using runtime::FileNameOnly;

TEST(PathNames, FileNameOnly)
{
    const struct {
        const char *path;
        const char *name;
    } cases[] = {
        {"C:\\Movies\\clip.avi", "clip.avi"},
        {"C:\\clip.avi", "clip.avi"},
        {"\\clip.avi", "clip.avi"},
        {"/home/user/Movies/clip.avi", "clip.avi"},
        {"/clip.avi", "clip.avi"},
        {"C:\\Movies\\", "Movies\\"}, // a trailing separator stays with the last folder
        {"/home/", "home/"},
        {"clip.avi", "clip.avi"},
        {"", ""},
        {"\\", "\\"},
        {"D:\\mixed/written\\on both/clip é.wmv", "clip é.wmv"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FileNameOnly(QString::fromUtf8(c.path)), QString::fromUtf8(c.name)) << c.path;
}

TEST(PathNames, JoinAddsOneSeparator)
{
    const QString sep = QDir::separator();
    EXPECT_EQ(runtime::joinPath(QStringLiteral("/home/user"), QStringLiteral("a.avi")), "/home/user" + sep + "a.avi");
    EXPECT_EQ(runtime::joinPath(QStringLiteral("/"), QStringLiteral("a.avi")), QStringLiteral("/a.avi"));
    EXPECT_EQ(runtime::joinPath(QStringLiteral("C:\\"), QStringLiteral("a.avi")), QStringLiteral("C:\\a.avi"));
}
