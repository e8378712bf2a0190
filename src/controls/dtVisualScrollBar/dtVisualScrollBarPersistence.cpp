// SPDX-License-Identifier: GPL-3.0-or-later
#include "dtVisualScrollBar.h"

#include "ScrollBarBox.h"
#include "runtime/Nearest.h"
#include "runtime/PropertyBag.h"
#include "runtime/SavedValue.h"

#include <algorithm>
#include <cmath>
#include <limits>

// The saved properties of a scroll bar: keys, defaults and the order in which
// they are read and written. Loading assigns the fields as saved, unchecked.

namespace {

constexpr qint32 DefaultMax = 2147483647;
constexpr qint32 DefaultOrientation = dtVisualScrollBar::Vertical;
constexpr runtime::OleColor DefaultBackColor = 0xE0E0E0;
constexpr qint32 DefaultLargeChange = 10;
constexpr qint32 DefaultSmallChange = 1;

// A saved value that is malformed or out of range leaves its field as it was.
template<typename Field, typename Convert>
void readInto(Field &field, const runtime::PropertyBag &bag, const QString &key, const QVariant &defaultValue,
              Convert convert)
{
    if (const auto value = convert(bag.ReadProperty(key, defaultValue)))
        field = static_cast<Field>(*value);
}

std::optional<runtime::Picture> readPicture(const runtime::PropertyBag &bag, const QString &key)
{
    const QVariant value = bag.ReadProperty(key);
    if (value.metaType() != QMetaType::fromType<runtime::Picture>())
        return std::nullopt;
    return value.value<runtime::Picture>();
}

QVariant pictureValue(const std::optional<runtime::Picture> &picture)
{
    return picture ? QVariant::fromValue(*picture) : QVariant();
}

QVariant longValue(qint64 value)
{
    return QVariant(value);
}

} // namespace

void dtVisualScrollBar::InitProperties()
{
    m_smallChange = 1;
    m_largeChange = 10;
    m_value = 0;
    m_min = 0;
    m_max = 32767;
    m_buttonsVisible = true;
    m_firstLayout = true;
}

void dtVisualScrollBar::ReadProperties(const runtime::PropertyBag &bag)
{
    using runtime::savedBoolean;
    using runtime::savedLong;
    readInto(m_max, bag, QStringLiteral("Max"), longValue(DefaultMax), savedLong);
    readInto(m_min, bag, QStringLiteral("Min"), longValue(0), savedLong);
    readInto(m_buttonsVisible, bag, QStringLiteral("ButtonsVisible"), true, savedBoolean);
    readInto(m_orientation, bag, QStringLiteral("Orientation"), longValue(DefaultOrientation), savedLong);
    readInto(m_thumbAlignment, bag, QStringLiteral("ThumbAlignment"), longValue(0), savedLong);
    setPictureBackground(readPicture(bag, QStringLiteral("PictureBackground")));
    setPictureUp(readPicture(bag, QStringLiteral("PictureUp")));
    setPictureDown(readPicture(bag, QStringLiteral("PictureDown")));
    setPictureRight(readPicture(bag, QStringLiteral("PictureRight")));
    setPictureLeft(readPicture(bag, QStringLiteral("PictureLeft")));
    setPictureThumb(readPicture(bag, QStringLiteral("PictureThumb")));
    readInto(m_value, bag, QStringLiteral("Value"), longValue(0), savedLong);
    if (const auto colour
        = runtime::savedColour(bag.ReadProperty(QStringLiteral("BackColor"), longValue(DefaultBackColor))))
        m_picBG->setBackColour(*colour);
    readInto(m_largeChange, bag, QStringLiteral("LargeChange"), longValue(DefaultLargeChange), savedLong);
    readInto(m_smallChange, bag, QStringLiteral("SmallChange"), longValue(DefaultSmallChange), savedLong);
    readInto(m_autoSize, bag, QStringLiteral("AutoSize"), false, savedBoolean);
    if (const auto enabled = savedBoolean(bag.ReadProperty(QStringLiteral("Enabled"), true)))
        setEnabled(*enabled != runtime::False);
    // The loaded face is shown at once, whether or not the container resizes us next.
    layoutControl();
}

void dtVisualScrollBar::WriteProperties(runtime::PropertyBag &bag) const
{
    bag.WriteProperty(QStringLiteral("ButtonsVisible"), m_buttonsVisible, true);
    bag.WriteProperty(QStringLiteral("Orientation"), longValue(m_orientation), longValue(DefaultOrientation));
    bag.WriteProperty(QStringLiteral("ThumbAlignment"), longValue(m_thumbAlignment), longValue(0));
    bag.WriteProperty(QStringLiteral("PictureBackground"), pictureValue(PictureBackground()), QVariant());
    bag.WriteProperty(QStringLiteral("PictureUp"), pictureValue(PictureUp()), QVariant());
    bag.WriteProperty(QStringLiteral("PictureDown"), pictureValue(PictureDown()), QVariant());
    bag.WriteProperty(QStringLiteral("PictureRight"), pictureValue(PictureRight()), QVariant());
    bag.WriteProperty(QStringLiteral("PictureLeft"), pictureValue(PictureLeft()), QVariant());
    bag.WriteProperty(QStringLiteral("PictureThumb"), pictureValue(PictureThumb()), QVariant());
    bag.WriteProperty(QStringLiteral("Min"), longValue(m_min), longValue(0));
    bag.WriteProperty(QStringLiteral("Max"), longValue(m_max), longValue(DefaultMax));
    bag.WriteProperty(QStringLiteral("Value"), longValue(m_value), longValue(0));
    bag.WriteProperty(QStringLiteral("BackColor"), longValue(BackColor()), longValue(DefaultBackColor));
    bag.WriteProperty(QStringLiteral("LargeChange"), longValue(m_largeChange), longValue(DefaultLargeChange));
    bag.WriteProperty(QStringLiteral("SmallChange"), longValue(m_smallChange), longValue(DefaultSmallChange));
    bag.WriteProperty(QStringLiteral("AutoSize"), m_autoSize, false);
    bag.WriteProperty(QStringLiteral("Enabled"), Enabled(), true);
}
