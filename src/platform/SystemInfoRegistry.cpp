// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemInfoRegistry.h"

#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

namespace {

constexpr QLatin1String ToolKey("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
constexpr QLatin1String ToolValue("PATH");

// Debian's programs that show what the machine is and has, with the desktop
// each belongs to (none: at home on any desktop).
struct Tool {
    QLatin1String program;
    QLatin1String desktop;
};

constexpr Tool Tools[] = {
    {QLatin1String("kinfocenter"), QLatin1String("KDE")},
    {QLatin1String("xfce4-about"), QLatin1String("XFCE")},
    {QLatin1String("hardinfo"), QLatin1String()},
    {QLatin1String("cpu-x"), QLatin1String()},
};

} // namespace

Registry::Status SystemInfoRegistry::openKey(Handle root, const QString &subKey, std::uint32_t, Handle &key)
{
    key = 0;
    // Nothing here is ever written, so every access asked for comes down to reading.
    if (root != LocalMachine || subKey.compare(ToolKey, Qt::CaseInsensitive) != 0)
        return Status::NotFound;
    key = ++m_lastHandle;
    m_openKeys.insert(key, subKey);
    return Status::Success;
}

Registry::Status SystemInfoRegistry::queryValue(Handle key, const QString &valueName, std::span<char> buffer,
                                                ValueType &type, std::uint32_t &dataSize)
{
    if (!m_openKeys.contains(key))
        return Status::InvalidHandle;
    if (valueName.compare(ToolValue, Qt::CaseInsensitive) != 0)
        return Status::NotFound;
    const QString program = findSystemInfoProgram();
    if (program.isEmpty())
        return Status::NotFound;
    QByteArray data = program.toLocal8Bit();
    data.append('\0');
    type = ValueType::String;
    dataSize = static_cast<std::uint32_t>(data.size());
    if (static_cast<std::size_t>(data.size()) > buffer.size())
        return Status::MoreData;
    std::copy(data.cbegin(), data.cend(), buffer.begin());
    return Status::Success;
}

Registry::Status SystemInfoRegistry::closeKey(Handle key)
{
    return m_openKeys.remove(key) ? Status::Success : Status::InvalidHandle;
}

QString SystemInfoRegistry::findSystemInfoProgram()
{
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts);
    const auto ownDesktop = [&desktops](const Tool &tool) {
        return !tool.desktop.isEmpty() && desktops.contains(tool.desktop, Qt::CaseInsensitive);
    };
    for (const bool own : {true, false}) {
        for (const Tool &tool : Tools) {
            if (own && !ownDesktop(tool))
                continue;
            const QString path = QStandardPaths::findExecutable(tool.program);
            if (!path.isEmpty())
                return path;
        }
    }
    return {};
}
