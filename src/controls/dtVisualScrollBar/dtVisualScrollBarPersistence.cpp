#include "dtVisualScrollBar.h"

#include "Nearest.h"
#include "PropertyBag.h"
#include "ScrollBarBox.h"

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

// A whole number from the bag; a value that is no number reads as the default.
qint64 readNumber(const runtime::PropertyBag &bag, const QString &key, qint64 defaultValue, qint64 lowest,
                  qint64 highest)
{
    bool ok = false;
    const double number = bag.ReadProperty(key, defaultValue).toDouble(&ok);
    if (!ok || std::isnan(number))
        return defaultValue;
    return static_cast<qint64>(
        std::clamp(runtime::nearest(number), static_cast<double>(lowest), static_cast<double>(highest)));
}

qint32 readLong(const runtime::PropertyBag &bag, const QString &key, qint32 defaultValue)
{
    return static_cast<qint32>(
        readNumber(bag, key, defaultValue, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

// Colours are saved as their unsigned 0x00BBGGRR or 0x800000nn value; a
// negative number is the same bits read as a signed Long.
runtime::OleColor readColour(const runtime::PropertyBag &bag, const QString &key, runtime::OleColor defaultValue)
{
    return static_cast<runtime::OleColor>(
        readNumber(bag, key, defaultValue, std::numeric_limits<qint32>::min(), std::numeric_limits<quint32>::max()));
}

bool readBoolean(const runtime::PropertyBag &bag, const QString &key, bool defaultValue)
{
    return bag.ReadProperty(key, defaultValue).toBool();
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
    m_max = readLong(bag, QStringLiteral("Max"), DefaultMax);
    m_min = readLong(bag, QStringLiteral("Min"), 0);
    m_buttonsVisible = readBoolean(bag, QStringLiteral("ButtonsVisible"), true);
    m_orientation = readLong(bag, QStringLiteral("Orientation"), DefaultOrientation);
    m_thumbAlignment = readLong(bag, QStringLiteral("ThumbAlignment"), 0);
    setPictureBackground(readPicture(bag, QStringLiteral("PictureBackground")));
    setPictureUp(readPicture(bag, QStringLiteral("PictureUp")));
    setPictureDown(readPicture(bag, QStringLiteral("PictureDown")));
    setPictureRight(readPicture(bag, QStringLiteral("PictureRight")));
    setPictureLeft(readPicture(bag, QStringLiteral("PictureLeft")));
    setPictureThumb(readPicture(bag, QStringLiteral("PictureThumb")));
    m_value = readLong(bag, QStringLiteral("Value"), 0);
    m_picBG->setBackColour(readColour(bag, QStringLiteral("BackColor"), DefaultBackColor));
    m_largeChange = readLong(bag, QStringLiteral("LargeChange"), DefaultLargeChange);
    m_smallChange = readLong(bag, QStringLiteral("SmallChange"), DefaultSmallChange);
    m_autoSize = readBoolean(bag, QStringLiteral("AutoSize"), false);
    setEnabled(readBoolean(bag, QStringLiteral("Enabled"), true));
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
