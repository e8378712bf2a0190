// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Registry.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <algorithm>

// A registry held in memory, which remembers what was asked of it.
class MemoryRegistry final : public Registry
{
public:
    void setValue(const QString &key, const QString &name, ValueType type, const QByteArray &data)
    {
        m_keys[key.toLower()][name.toLower()] = {type, data};
    }
    void addKey(const QString &key) { m_keys[key.toLower()]; }

    Status openKey(Handle root, const QString &subKey, std::uint32_t access, Handle &key) override
    {
        key = 0;
        accessAsked.append(access);
        if (root != LocalMachine || !m_keys.contains(subKey.toLower()))
            return Status::NotFound;
        key = ++m_lastHandle;
        openKeys.insert(key, subKey.toLower());
        return Status::Success;
    }

    Status queryValue(Handle key, const QString &valueName, std::span<char> buffer, ValueType &type,
                      std::uint32_t &dataSize) override
    {
        if (!openKeys.contains(key))
            return Status::InvalidHandle;
        const auto &values = m_keys[openKeys.value(key)];
        const auto value = values.constFind(valueName.toLower());
        if (value == values.cend())
            return Status::NotFound;
        type = value->type;
        dataSize = static_cast<std::uint32_t>(value->data.size());
        if (static_cast<std::size_t>(value->data.size()) > buffer.size())
            return Status::MoreData;
        std::copy(value->data.cbegin(), value->data.cend(), buffer.begin());
        return Status::Success;
    }

    Status closeKey(Handle key) override
    {
        closedHandles.append(key);
        return openKeys.remove(key) ? Status::Success : Status::InvalidHandle;
    }

    QHash<Handle, QString> openKeys;
    QList<Handle> closedHandles;
    QList<std::uint32_t> accessAsked;

private:
    struct Value {
        ValueType type;
        QByteArray data;
    };
    QHash<QString, QHash<QString, Value>> m_keys;
    Handle m_lastHandle = 0;
};
