// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Whether the machine has a device that GL could render on in hardware: a DRM device, NVIDIA's
// control device or the GPU device of Windows' Linux subsystem. Without one, GL can only be a
// software rasteriser, and there is no need to start a GL driver to learn which.
bool hasGpuDevice(const QString &deviceFolder = QStringLiteral("/dev"));
