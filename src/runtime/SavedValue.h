// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Colour.h"
#include "Picture.h"

#include <QFont>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <optional>

// How a value read back from a property bag or a form file converts to the
// type of the property it is assigned to, as the form runtime converts a
// variant on assignment: numbers, numeric text and Booleans (True is -1)
// convert to numbers; "True"/"False" and numbers to Booleans. One rule for
// every reader: a value that is malformed or does not fit the property's type
// converts to nothing, and the reader leaves that property as it was.

namespace runtime {

std::optional<double> savedNumber(const QVariant &value);
// 16-bit (Integer) and 32-bit (Long) whole numbers, rounded half to even.
std::optional<std::int16_t> savedInteger(const QVariant &value);
std::optional<std::int32_t> savedLong(const QVariant &value);
// 0x00BBGGRR or 0x800000nn; a negative number is the same bits read as a signed Long.
std::optional<OleColor> savedColour(const QVariant &value);
// True (-1) or False (0); any number other than 0 is True.
std::optional<std::int16_t> savedBoolean(const QVariant &value);
std::optional<QString> savedText(const QVariant &value);
std::optional<QFont> savedFont(const QVariant &value);
// No object reads as an empty picture.
std::optional<Picture> savedPicture(const QVariant &value);

} // namespace runtime
