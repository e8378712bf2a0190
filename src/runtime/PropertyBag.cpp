// SPDX-License-Identifier: GPL-3.0-or-later
#include "PropertyBag.h"

#include "Picture.h"

#include <QFont>

namespace runtime {

bool isNumber(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

bool PropertyBag::sameValue(const QVariant &a, const QVariant &b)
{
    if (!a.isValid() || !b.isValid())
        return a.isValid() == b.isValid();
    if (isNumber(a) && isNumber(b))
        return a.toDouble() == b.toDouble();
    if (a.metaType() != b.metaType())
        return false;
    if (a.metaType() == QMetaType::fromType<Picture>())
        return a.value<Picture>() == b.value<Picture>();
    if (a.metaType() == QMetaType::fromType<QFont>())
        return a.value<QFont>() == b.value<QFont>();
    return a == b;
}

qsizetype PropertyBag::indexOf(const QString &name) const
{
    // By the lower case that is kept: a name whose lower case is another text
    // than its case folding (U+0130 lowers to two characters) finds its entry too.
    const QString key = name.toLower();
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].key == key)
            return i;
    }
    return -1;
}

QVariant PropertyBag::ReadProperty(const QString &name, const QVariant &defaultValue) const
{
    const qsizetype i = indexOf(name);
    return i < 0 ? defaultValue : m_entries[i].value;
}

void PropertyBag::WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue)
{
    if (sameValue(value, defaultValue)) {
        remove(name);
        return;
    }
    set(name, value);
}

bool PropertyBag::contains(const QString &name) const
{
    return indexOf(name) >= 0;
}

void PropertyBag::set(const QString &name, const QVariant &value)
{
    const qsizetype i = indexOf(name);
    if (i >= 0)
        m_entries[i].value = value;
    else
        m_entries.append({name.toLower(), value});
}

void PropertyBag::remove(const QString &name)
{
    const qsizetype i = indexOf(name);
    if (i >= 0)
        m_entries.removeAt(i);
}

} // namespace runtime
