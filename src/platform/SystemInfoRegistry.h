// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Registry.h"

#include <QHash>
#include <QString>

// The registry of a desktop that keeps none. It holds one key, where programs
// look for the system information tool, and that key's one value "PATH"
// names the desktop's own system information program while one is installed.
// Every other key is absent.
class SystemInfoRegistry final : public Registry
{
public:
    Status openKey(Handle root, const QString &subKey, std::uint32_t access, Handle &key) override;
    Status queryValue(Handle key, const QString &valueName, std::span<char> buffer, ValueType &type,
                      std::uint32_t &dataSize) override;
    Status closeKey(Handle key) override;

    // The absolute path of an installed program that shows the system's
    // information, found on PATH, the current desktop's own first; "" when
    // none is installed.
    static QString findSystemInfoProgram();

private:
    QHash<Handle, QString> m_openKeys;
    Handle m_lastHandle = 0;
};
