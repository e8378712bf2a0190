// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GlRendererProbe.h"
#include "ScopedEnvironment.h"
#include "desktop/WaitFor.h"
#include "platform/GlX11.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>
#include <unistd.h>

// Last: Xlib's macros would break the Qt headers.
#include <X11/Xlib.h>

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

using DisplayConnection = std::unique_ptr<Display, decltype(&XCloseDisplay)>;

} // namespace

// The test display is Xvfb: GL there is Mesa's software rasteriser, reached without the server's
// direct rendering, which Xvfb does not offer.
TEST(GlRendererProbeTest, OnADisplayWithoutDirectRenderingGlIsNotStartedAndTheChildIsCollected)
{
    const DisplayConnection display(XOpenDisplay(nullptr), &XCloseDisplay);
    ASSERT_TRUE(display);
    EXPECT_FALSE(glx11::offersDirectRendering(display.get()));
    const std::optional<QByteArray> renderer = glx11::rendererOf(display.get());
    ASSERT_TRUE(renderer);
    EXPECT_TRUE(renderer->contains("llvmpipe")) << renderer->toStdString();

    const int before = children();
    GlRendererProbe probe;
    EXPECT_EQ(children(), before + 1);
    probe.collectWhenDone();
    EXPECT_TRUE(waitFor([&] { return children() == before; }, 20000)) << "the finished probe was not collected";
    EXPECT_EQ(probe.renderer(0), std::nullopt);
}

TEST(GlRendererProbeTest, WithoutADisplayThereIsNoRenderer)
{
    const ScopedEnvironment noDisplay("DISPLAY", QByteArray());
    GlRendererProbe probe;
    EXPECT_EQ(probe.renderer(20000), std::nullopt);
}
