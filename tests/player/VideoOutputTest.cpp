// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/VideoOutput.h"

#include <gtest/gtest.h>

TEST(VideoOutputTest, SoftwareRasterisersGetTheX11OutputAndGraphicsCardsGl)
{
    const struct {
        std::optional<QString> renderer;
        VideoOutput output;
    } cases[] = {
        {QStringLiteral("llvmpipe (LLVM 15.0.6, 256 bits)"), VideoOutput::X11},
        {QStringLiteral("softpipe"), VideoOutput::X11},
        {QStringLiteral("Mesa DRI swrast"), VideoOutput::X11},
        {QStringLiteral("Software Rasterizer"), VideoOutput::X11},
        {QStringLiteral("GDI Generic"), VideoOutput::X11},
        {std::nullopt, VideoOutput::X11}, // no GL at all
        {QStringLiteral("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"), VideoOutput::Gpu},
        // A graphics card's driver built with LLVM is no software rasteriser.
        {QStringLiteral("AMD Radeon RX 580 Series (polaris10, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)"),
         VideoOutput::Gpu},
        {QStringLiteral("NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2"), VideoOutput::Gpu},
        {QStringLiteral("virgl (AMD Radeon Graphics)"), VideoOutput::Gpu},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.renderer.value_or(QStringLiteral("no GL")).toStdString());
        EXPECT_EQ(videoOutputFor(c.renderer), c.output);
    }
}

TEST(VideoOutputTest, AnOutputTheUserNamesIsTakenWithoutAskingForTheRenderer)
{
    const struct {
        const char *named;
        VideoOutput output;
        bool asks;
    } cases[] = {
        {"gpu", VideoOutput::Gpu, false},
        {"X11", VideoOutput::X11, false},
        {"", VideoOutput::X11, true},
        {"vulkan", VideoOutput::X11, true}, // not one of ours: the choice is made as without a name
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.named);
        int asked = 0;
        const auto software = [&asked] {
            ++asked;
            return std::optional<QString>(QStringLiteral("llvmpipe"));
        };
        EXPECT_EQ(chooseVideoOutput(QString::fromLatin1(c.named), software), c.output);
        EXPECT_EQ(asked, c.asks ? 1 : 0);
    }
}
