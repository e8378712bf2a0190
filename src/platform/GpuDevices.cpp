// SPDX-License-Identifier: GPL-3.0-or-later
#include "GpuDevices.h"

#include <QDir>
#include <QFileInfo>

bool hasGpuDevice(const QString &deviceFolder)
{
    const QDir devices(deviceFolder);
    for (const char *name : {"nvidiactl", "dxg"}) {
        if (QFileInfo::exists(devices.filePath(QLatin1String(name))))
            return true;
    }
    const QDir drm(devices.filePath(QStringLiteral("dri")));
    return !drm.entryList({QStringLiteral("card*"), QStringLiteral("renderD*")},
                          QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                .isEmpty();
}
