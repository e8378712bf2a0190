// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/Picture.h"

#include <QVariant>

#include <gtest/gtest.h>

using runtime::Picture;

namespace {

QImage filled(QColor colour)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

TEST(Picture, EmptyPicturesHaveHandleZero)
{
    EXPECT_EQ(Picture().handle(), 0u);
    EXPECT_EQ(Picture(QImage(), QStringLiteral("missing.png")).handle(), 0u);
    EXPECT_EQ(Picture(QImage(), QStringLiteral("missing.png")).source(), QStringLiteral("missing.png"));
    EXPECT_TRUE(Picture::fromHandle(0).image().isNull());
}

TEST(Picture, CopiesShareTheirObjectsHandleAndOthersGetTheirOwn)
{
    const Picture red(filled(Qt::red));
    const Picture sameImage(filled(Qt::red));
    const Picture copy = red;
    const Picture throughVariant = QVariant::fromValue(red).value<Picture>();

    EXPECT_NE(red.handle(), 0u);
    EXPECT_EQ(copy.handle(), red.handle());
    EXPECT_EQ(throughVariant.handle(), red.handle());
    EXPECT_NE(sameImage.handle(), red.handle());
    EXPECT_EQ(sameImage, red);
}

TEST(Picture, AHandleNamesItsPictureWhileAnyCopyLives)
{
    auto picture = std::make_unique<Picture>(filled(Qt::blue), QStringLiteral("blue.png"));
    const Picture::Handle handle = picture->handle();
    auto copy = std::make_unique<Picture>(*picture);
    picture.reset();
    {
        const Picture found = Picture::fromHandle(handle);
        EXPECT_EQ(found.handle(), handle);
        EXPECT_EQ(found.image().pixelColor(0, 0), QColor(Qt::blue));
        EXPECT_EQ(found.source(), QStringLiteral("blue.png"));
    }
    copy.reset();
    const Picture released = Picture::fromHandle(handle);
    EXPECT_TRUE(released.image().isNull());
    EXPECT_EQ(released.handle(), 0u);
}
