// SPDX-License-Identifier: GPL-3.0-or-later
#include "SavedValue.h"

#include "Nearest.h"
#include "PropertyBag.h"

namespace runtime {

std::optional<double> savedNumber(const QVariant &value)
{
    if (isNumber(value)) {
        const double number = value.toDouble();
        return std::isfinite(number) ? std::optional(number) : std::nullopt;
    }
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return value.toBool() ? -1.0 : 0.0;
    case QMetaType::QString: {
        bool ok = false;
        const double number = value.toString().trimmed().toDouble(&ok);
        return ok && std::isfinite(number) ? std::optional(number) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::optional<std::int16_t> savedInteger(const QVariant &value)
{
    const std::optional<double> number = savedNumber(value);
    return number ? cInt(*number) : std::nullopt;
}

std::optional<std::int32_t> savedLong(const QVariant &value)
{
    const std::optional<double> number = savedNumber(value);
    return number ? cLng(*number) : std::nullopt;
}

std::optional<OleColor> savedColour(const QVariant &value)
{
    const std::optional<double> number = savedNumber(value);
    if (!number)
        return std::nullopt;
    const double whole = nearest(*number);
    if (whole < -2147483648.0 || whole > 4294967295.0)
        return std::nullopt;
    return static_cast<OleColor>(static_cast<std::int64_t>(whole) & 0xFFFFFFFF);
}

std::optional<std::int16_t> savedBoolean(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(u"True", Qt::CaseInsensitive) == 0)
            return True;
        if (text.compare(u"False", Qt::CaseInsensitive) == 0)
            return False;
    }
    const std::optional<double> number = savedNumber(value);
    return number ? std::optional(toBoolean(*number != 0)) : std::nullopt;
}

std::optional<QString> savedText(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QString)
        return value.toString();
    if (value.metaType().id() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    const std::optional<double> number = savedNumber(value);
    return number ? std::optional(QString::number(*number, 'g', 15)) : std::nullopt;
}

std::optional<QFont> savedFont(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QFont>())
        return value.value<QFont>();
    return std::nullopt;
}

std::optional<Picture> savedPicture(const QVariant &value)
{
    if (!value.isValid())
        return Picture();
    if (value.metaType() == QMetaType::fromType<Picture>())
        return value.value<Picture>();
    return std::nullopt;
}

} // namespace runtime
