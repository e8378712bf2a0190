// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

// Number conversions of the form runtime: a double assigned to an integer
// rounds to the nearest value, halves to even, and a value that does not fit
// is an overflow, never a silent wrap.

namespace runtime {

// Round half to even, as every double-to-integer assignment does.
inline double nearest(double value)
{
    return std::nearbyint(value); // the default FE_TONEAREST mode rounds halves to even
}

template<typename Int> std::optional<Int> toInteger(double value)
{
    if (std::isnan(value))
        return std::nullopt;
    const double rounded = nearest(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min())
        || rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

// 16-bit conversion (Integer).
inline std::optional<std::int16_t> cInt(double value)
{
    return toInteger<std::int16_t>(value);
}

// 32-bit conversion (Long).
inline std::optional<std::int32_t> cLng(double value)
{
    return toInteger<std::int32_t>(value);
}

// The 16-bit Boolean of stored members and persisted properties.
constexpr std::int16_t True = -1;
constexpr std::int16_t False = 0;

constexpr std::int16_t toBoolean(bool value)
{
    return value ? True : False;
}

} // namespace runtime
