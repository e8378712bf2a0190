// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <span>

// Read access to a store of named values kept under keys, in the shape of the
// three calls a program makes to read one value: open a key under a root, copy
// one value into the caller's buffer, close the key. Nothing is ever written.
class Registry
{
public:
    using Handle = std::uint32_t;

    // The root of the machine-wide keys.
    static constexpr Handle LocalMachine = 0x80000002;

    enum class Status : std::int32_t {
        Success = 0,
        NotFound = 2,
        InvalidHandle = 6,
        MoreData = 234, // the value does not fit the caller's buffer
    };

    // A value's kind of data; other kinds than these two may be stored.
    enum class ValueType : std::uint32_t {
        String = 1, // text in the local 8-bit encoding, normally ending in a zero character
        DWord = 4, // a 32-bit number, least significant byte first
    };

    virtual ~Registry() = default;

    // Opens subKey (names separated by backslashes, compared without regard
    // to case) under a root key. On success key holds a handle that
    // closeKey releases; on failure key is 0.
    virtual Status openKey(Handle root, const QString &subKey, std::uint32_t access, Handle &key) = 0;

    // Copies the data of valueName into buffer and gives its type and size in
    // bytes. A value larger than the buffer copies nothing and fails with
    // MoreData, giving the size it needs.
    virtual Status queryValue(Handle key, const QString &valueName, std::span<char> buffer, ValueType &type,
                              std::uint32_t &dataSize)
        = 0;

    // Closing 0 or a handle that is not open does nothing and says InvalidHandle.
    virtual Status closeKey(Handle key) = 0;

    // The registry of the platform the application runs on.
    static std::unique_ptr<Registry> create();
};
