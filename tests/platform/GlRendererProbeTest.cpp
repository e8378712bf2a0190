// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlRendererProbe.h"
#include "ScopedEnvironment.h"
#include "WaitFor.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// This process's children, finished ones not yet collected included.
int children()
{
    int count = 0;
    const QString parent = QString::number(getpid());
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // pid (name) state ppid ...: the name may hold spaces, the part after it does not.
        const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
        if (fields.size() > 1 && fields[1] == parent.toLatin1())
            ++count;
    }
    return count;
}

} // namespace

// The test display is Xvfb, whose GL is Mesa's software rasteriser.
TEST(GlRendererProbeTest, NamesTheDisplaysRendererAndIsCollectedWithoutBeingAsked)
{
    const int before = children();
    GlRendererProbe probe;
    EXPECT_EQ(children(), before + 1);
    probe.collectWhenDone();
    EXPECT_TRUE(waitFor([&] { return children() == before; }, 20000)) << "the finished probe was not collected";
    const std::optional<QString> renderer = probe.renderer(0);
    ASSERT_TRUE(renderer);
    EXPECT_TRUE(renderer->contains(QLatin1String("llvmpipe"))) << renderer->toStdString();
}

TEST(GlRendererProbeTest, WithoutADisplayThereIsNoRenderer)
{
    const ScopedEnvironment noDisplay("DISPLAY", QByteArray());
    GlRendererProbe probe;
    EXPECT_EQ(probe.renderer(20000), std::nullopt);
}
