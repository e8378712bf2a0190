// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

// How the engine puts the picture on the screen. GL is the best picture and the cheapest where
// a graphics card draws it; where GL is only the CPU's software rasteriser it is the costliest
// way there is, and the X server's shared-memory images with the engine's own scaling cost a
// third as much.
enum class VideoOutput { Gpu, X11 };

// Whether a GL renderer name is a software rasteriser's rather than a graphics card's.
bool isSoftwareRenderer(QStringView glRenderer);

// The output for the GL the display offers: its renderer's name, nothing where it offers none.
VideoOutput videoOutputFor(const std::optional<QString> &glRenderer);

// The output a user names to override the choice ("gpu" or "x11").
std::optional<VideoOutput> videoOutputNamed(QStringView name);

// The output of this run: the one a user named, else the one for the GL renderer, which is
// asked for only then.
VideoOutput chooseVideoOutput(QStringView named, const std::function<std::optional<QString>()> &glRenderer);

// The engine options that select the output and tune it.
std::vector<std::pair<const char *, const char *>> videoOutputOptions(VideoOutput output);
