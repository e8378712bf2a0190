// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/PropertyBag.h"
#include "runtime/Picture.h"

#include <QFont>

#include <gtest/gtest.h>

using runtime::Picture;
using runtime::PropertyBag;

TEST(PropertyBag, ValuesEqualToTheirDefaultAreNotStored)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Appearance"), 1, 1);
    bag.WriteProperty(QStringLiteral("BackColor"), qint64(0x8000000F), qint64(0x8000000F));
    bag.WriteProperty(QStringLiteral("Caption"), QStringLiteral("ButtonEx1"), QStringLiteral("ButtonEx1"));
    bag.WriteProperty(QStringLiteral("Enabled"), true, true);
    bag.WriteProperty(QStringLiteral("Picture"), QVariant(), QVariant());
    EXPECT_TRUE(bag.isEmpty());

    bag.WriteProperty(QStringLiteral("Caption"), QStringLiteral("X"), QStringLiteral("ButtonEx1"));
    ASSERT_EQ(bag.entries().size(), 1);
    EXPECT_EQ(bag.entries().front().key, QStringLiteral("caption"));

    // Writing the default again removes an earlier value.
    bag.WriteProperty(QStringLiteral("CAPTION"), QStringLiteral("ButtonEx1"), QStringLiteral("ButtonEx1"));
    EXPECT_TRUE(bag.isEmpty());
}

TEST(PropertyBag, KeysIgnoreCaseAndMissingKeysReadAsTheDefault)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Max"), qint64(1000), qint64(2147483647));
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("max"), 0).toLongLong(), 1000);
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("MAX"), 0).toLongLong(), 1000);
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("Min"), 7).toInt(), 7);
    EXPECT_FALSE(bag.ReadProperty(QStringLiteral("Picture")).isValid());
}

TEST(PropertyBag, EveryCaseOfANameIsOneEntry)
{
    const struct {
        const char16_t *written;
        const char16_t *read;
    } cases[] = {
        {u"Max", u"mAX"},
        {u"\u0130con", u"\u0130CON"}, // lowers to two characters
        {u"\u0130con", u"i\u0307con"},
        {u"Stra\u1E9Ee", u"STRA\u00DFE"},
        {u"\u212Aey", u"key"},
    };
    for (const auto &c : cases) {
        PropertyBag bag;
        bag.set(QString::fromUtf16(c.written), qint64(1));
        bag.set(QString::fromUtf16(c.read), qint64(2));
        EXPECT_EQ(bag.entries().size(), 1) << QString::fromUtf16(c.written).toStdString();
        EXPECT_EQ(bag.ReadProperty(QString::fromUtf16(c.written)).toLongLong(), 2);
        EXPECT_TRUE(bag.contains(QString::fromUtf16(c.read)));
        bag.remove(QString::fromUtf16(c.read));
        EXPECT_TRUE(bag.isEmpty());
    }
}

TEST(PropertyBag, NumbersCompareByValueAndObjectsByContent)
{
    EXPECT_TRUE(PropertyBag::sameValue(1, qint64(1)));
    EXPECT_TRUE(PropertyBag::sameValue(8.25, 8.25f));
    EXPECT_FALSE(PropertyBag::sameValue(1, true));
    EXPECT_FALSE(PropertyBag::sameValue(QVariant(), 0));

    QImage red(2, 2, QImage::Format_RGB32);
    red.fill(Qt::red);
    QImage blue = red;
    blue.fill(Qt::blue);
    EXPECT_TRUE(PropertyBag::sameValue(QVariant::fromValue(Picture(red)), QVariant::fromValue(Picture(red.copy()))));
    EXPECT_FALSE(PropertyBag::sameValue(QVariant::fromValue(Picture(red)), QVariant::fromValue(Picture(blue))));
    // An empty picture object is not the same as no object at all.
    EXPECT_FALSE(PropertyBag::sameValue(QVariant::fromValue(Picture()), QVariant()));

    QFont arial(QStringLiteral("Arial"));
    arial.setPointSizeF(12);
    QFont small = arial;
    small.setPointSizeF(6.75);
    EXPECT_TRUE(PropertyBag::sameValue(QVariant::fromValue(arial), QVariant::fromValue(QFont(arial))));
    EXPECT_FALSE(PropertyBag::sameValue(QVariant::fromValue(arial), QVariant::fromValue(small)));
}
