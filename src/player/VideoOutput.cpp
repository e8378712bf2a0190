// SPDX-License-Identifier: GPL-3.0-or-later
#include "VideoOutput.h"

namespace {

// What software rasterisers call themselves: Mesa's three, and those of the other systems.
constexpr const char *SoftwareRenderers[] = {
    "llvmpipe", "softpipe", "swrast", "software rasterizer", "gdi generic", "apple software renderer",
};

} // namespace

bool isSoftwareRenderer(QStringView glRenderer)
{
    for (const char *name : SoftwareRenderers) {
        if (glRenderer.contains(QLatin1String(name), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

VideoOutput videoOutputFor(const std::optional<QString> &glRenderer)
{
    return glRenderer && !isSoftwareRenderer(*glRenderer) ? VideoOutput::Gpu : VideoOutput::X11;
}

std::optional<VideoOutput> videoOutputNamed(QStringView name)
{
    if (name.compare(QLatin1String("gpu"), Qt::CaseInsensitive) == 0)
        return VideoOutput::Gpu;
    if (name.compare(QLatin1String("x11"), Qt::CaseInsensitive) == 0)
        return VideoOutput::X11;
    return std::nullopt;
}

VideoOutput chooseVideoOutput(QStringView named, const std::function<std::optional<QString>()> &glRenderer)
{
    if (const std::optional<VideoOutput> output = videoOutputNamed(named))
        return *output;
    return videoOutputFor(glRenderer());
}

std::vector<std::pair<const char *, const char *>> videoOutputOptions(VideoOutput output)
{
    switch (output) {
    case VideoOutput::Gpu:
        // GL as the machine has it (a user may name this output where GL is software); should GL
        // fail to start after all, the picture still shows.
        return {{"vo", "gpu,x11"}, {"gpu-sw", "yes"}};
    case VideoOutput::X11:
        // The engine scales in software here. Bilinear without dithering costs a fifth less than
        // its default (lanczos, dithered) across a full screen, for a picture hardly softer.
        return {{"vo", "x11"}, {"zimg-scaler", "bilinear"}, {"zimg-dither", "no"}};
    }
    return {};
}
