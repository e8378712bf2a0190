// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GpuDevices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(GpuDevices, AnyDeviceGlMayRenderOnInHardwareCounts)
{
    const struct {
        QStringList devices;
        bool gpu;
    } cases[] = {
        {{}, false},
        {{QStringLiteral("null"), QStringLiteral("tty0"), QStringLiteral("fb0")}, false},
        {{QStringLiteral("dri/renderD128")}, true},
        {{QStringLiteral("dri/card0")}, true},
        {{QStringLiteral("nvidiactl")}, true},
        {{QStringLiteral("dxg")}, true},
        {{QStringLiteral("dri/by-path/pci-0000:00:02.0-card")}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.devices.join(u' ').toStdString());
        QTemporaryDir dev;
        for (const QString &device : c.devices) {
            const QString path = dev.filePath(device);
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        EXPECT_EQ(hasGpuDevice(dev.path()), c.gpu);
    }
}
