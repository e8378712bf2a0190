// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/ChangeText.h"
#include "runtime/ChangeLabel.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

TEST(ChangeText, RaisesChangeOnlyOnARealChange)
{
    runtime::ChangeText text(QStringLiteral("00:00:00"));
    QSignalSpy spy(&text, &runtime::ChangeText::Change);
    text.setText(QStringLiteral("00:00:00"));
    EXPECT_EQ(spy.count(), 0);
    text.setText(QStringLiteral("00:00:01"));
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(text.text(), QStringLiteral("00:00:01"));
    text.setText(QStringLiteral("00:00:01"));
    EXPECT_EQ(spy.count(), 1);
}

TEST(ChangeLabel, RaisesChangeOnlyOnARealChange)
{
    runtime::ChangeLabel label;
    QSignalSpy spy(&label, &runtime::ChangeLabel::Change);
    label.setCaption(QString());
    EXPECT_EQ(spy.count(), 0);
    label.setCaption(QStringLiteral("KAVEL Player"));
    label.setCaption(QStringLiteral("KAVEL Player"));
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(label.Caption(), QStringLiteral("KAVEL Player"));
}
