// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemInfoRegistry.h"

#include "QtPrinters.h"
#include "ScopedEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>

namespace {

const QString ToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");

// A folder that is the whole of PATH, holding the programs a test installs.
class SystemInfoRegistryTest : public ::testing::Test
{
protected:
    QString install(const QString &name)
    {
        QFile program(bin.filePath(name));
        EXPECT_TRUE(program.open(QIODevice::WriteOnly));
        program.write("#!/bin/sh\n");
        program.close();
        EXPECT_TRUE(program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        return program.fileName();
    }

    // The PATH value of the tool's key, or "" when it cannot be read.
    QString toolPath(SystemInfoRegistry &registry)
    {
        Registry::Handle key = 0;
        if (registry.openKey(Registry::LocalMachine, ToolKey, 0x2003F, key) != Registry::Status::Success)
            return {};
        std::array<char, 1024> buffer {};
        Registry::ValueType type {};
        std::uint32_t size = 0;
        const Registry::Status status = registry.queryValue(key, QStringLiteral("PATH"), buffer, type, size);
        registry.closeKey(key);
        if (status != Registry::Status::Success || type != Registry::ValueType::String || size == 0
            || buffer[size - 1] != '\0')
            return {};
        return QString::fromLocal8Bit(buffer.data(), size - 1);
    }

    QTemporaryDir bin;
    ScopedEnvironment path {"PATH", bin.path().toLocal8Bit()};
    ScopedEnvironment desktop {"XDG_CURRENT_DESKTOP", QByteArray()};
    SystemInfoRegistry registry;
};

TEST_F(SystemInfoRegistryTest, HasNoToolWhenNoneIsOnPath)
{
    // A program of another kind on PATH is not taken for one.
    install(QStringLiteral("vlc"));
    EXPECT_EQ(toolPath(registry), QString());
}

TEST_F(SystemInfoRegistryTest, NamesAnInstalledToolByItsAbsolutePathWithATerminator)
{
    const QString hardinfo = install(QStringLiteral("hardinfo"));
    EXPECT_EQ(toolPath(registry), hardinfo);
    EXPECT_TRUE(QDir::isAbsolutePath(toolPath(registry)));
}

TEST_F(SystemInfoRegistryTest, KeepsTheNameOfALinkedProgram)
{
    // The information centre is a link to a program that behaves by the name it was started under.
    const QString target = install(QStringLiteral("settings"));
    const QString link = bin.filePath(QStringLiteral("kinfocenter"));
    ASSERT_TRUE(QFile::link(target, link));
    EXPECT_EQ(toolPath(registry), link);
}

struct DesktopCase {
    const char *desktop;
    const char *chosen;
};

class DesktopChoice : public SystemInfoRegistryTest, public ::testing::WithParamInterface<DesktopCase>
{
};

TEST_P(DesktopChoice, PrefersTheCurrentDesktopsOwnTool)
{
    install(QStringLiteral("kinfocenter"));
    install(QStringLiteral("xfce4-about"));
    install(QStringLiteral("hardinfo"));
    const ScopedEnvironment current("XDG_CURRENT_DESKTOP", GetParam().desktop);
    EXPECT_EQ(toolPath(registry), bin.filePath(QLatin1String(GetParam().chosen)));
}

INSTANTIATE_TEST_SUITE_P(Desktops, DesktopChoice,
                         ::testing::Values(DesktopCase {"XFCE", "xfce4-about"}, DesktopCase {"KDE", "kinfocenter"},
                                           DesktopCase {"ubuntu:GNOME", "kinfocenter"},
                                           DesktopCase {"X-Generic:xfce", "xfce4-about"}));

TEST_F(SystemInfoRegistryTest, AValueLargerThanTheBufferCopiesNothing)
{
    const QString hardinfo = install(QStringLiteral("hardinfo"));
    Registry::Handle key = 0;
    ASSERT_EQ(registry.openKey(Registry::LocalMachine, ToolKey.toLower(), 0x2003F, key), Registry::Status::Success);
    std::array<char, 4> small {};
    Registry::ValueType type {};
    std::uint32_t size = 0;
    EXPECT_EQ(registry.queryValue(key, QStringLiteral("path"), small, type, size), Registry::Status::MoreData);
    EXPECT_EQ(size, static_cast<std::uint32_t>(hardinfo.toLocal8Bit().size() + 1));
    EXPECT_EQ(small, (std::array<char, 4> {}));
    EXPECT_EQ(registry.closeKey(key), Registry::Status::Success);
}

TEST_F(SystemInfoRegistryTest, HoldsNoOtherKeyAndClosesOnlyWhatIsOpen)
{
    install(QStringLiteral("hardinfo"));
    Registry::Handle key = 7;
    EXPECT_EQ(registry.openKey(Registry::LocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                               0x2003F, key),
              Registry::Status::NotFound);
    EXPECT_EQ(key, 0u);
    EXPECT_EQ(registry.openKey(0x80000001, ToolKey, 0x2003F, key), Registry::Status::NotFound);
    EXPECT_EQ(registry.closeKey(0), Registry::Status::InvalidHandle);

    ASSERT_EQ(registry.openKey(Registry::LocalMachine, ToolKey, 0x2003F, key), Registry::Status::Success);
    std::array<char, 1024> buffer {};
    Registry::ValueType type {};
    std::uint32_t size = 0;
    EXPECT_EQ(registry.queryValue(key, QStringLiteral("MSINFO"), buffer, type, size), Registry::Status::NotFound);
    EXPECT_EQ(registry.closeKey(key), Registry::Status::Success);
    EXPECT_EQ(registry.closeKey(key), Registry::Status::InvalidHandle);
    EXPECT_EQ(registry.queryValue(key, QStringLiteral("PATH"), buffer, type, size), Registry::Status::InvalidHandle);
}

} // namespace
