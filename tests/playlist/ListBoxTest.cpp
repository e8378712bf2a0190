// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/ListBox.h"
#include "QtPrinters.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using playlist::ListBox;

namespace {

QPoint rowCentre(const ListBox &list, int row)
{
    return list.visualItemRect(list.item(row)).center();
}

} // namespace

TEST(ListBoxTest, SelectionIsAtMostOneEntry)
{
    ListBox list;
    list.AddItems({"/a.avi", "/b.avi", "/c.avi"});
    EXPECT_EQ(list.ListCount(), 3);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.Text(), "");
    EXPECT_EQ(list.SelCount(), 0);

    list.setSelected(1, true);
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(list.Text(), "/b.avi");
    list.setSelected(2, true);
    EXPECT_FALSE(list.Selected(1));
    EXPECT_TRUE(list.Selected(2));
    EXPECT_EQ(list.SelCount(), 1);

    list.setSelected(2, false);
    EXPECT_EQ(list.SelCount(), 0);
    EXPECT_EQ(list.ListIndex(), -1) << "the keyboard cursor is not a selection";
    EXPECT_EQ(list.Text(), "");

    list.setSelected(7, true);
    list.setSelected(-1, true);
    EXPECT_EQ(list.SelCount(), 0) << "out of range changes nothing";
    EXPECT_FALSE(list.Selected(7));
    EXPECT_EQ(list.List(7), "");
}

TEST(ListBoxTest, RemovingAndClearing)
{
    ListBox list;
    list.AddItem("/a.avi");
    list.AddItem("");
    list.AddItem("/c.avi");
    list.setSelected(2, true);

    list.RemoveItem(1);
    EXPECT_EQ(list.entries(), QStringList({"/a.avi", "/c.avi"}));
    EXPECT_EQ(list.ListIndex(), 1) << "the selected entry stays selected";

    list.RemoveItem(list.ListIndex());
    EXPECT_EQ(list.entries(), QStringList({"/a.avi"}));
    EXPECT_EQ(list.SelCount(), 0) << "removing the selected entry leaves none selected";

    list.RemoveItem(-1);
    list.RemoveItem(5);
    EXPECT_EQ(list.ListCount(), 1);

    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST(ListBoxTest, RightPressLeavesTheSelectionAndReportsTheButton)
{
    ListBox list;
    list.resize(200, 100);
    list.AddItems({"/a.avi", "/b.avi"});
    list.show();
    QSignalSpy presses(&list, &ListBox::MouseDown);

    QTest::mousePress(list.viewport(), Qt::RightButton, {}, rowCentre(list, 0));
    QTest::mouseRelease(list.viewport(), Qt::RightButton, {}, rowCentre(list, 0));
    EXPECT_EQ(list.SelCount(), 0);
    ASSERT_EQ(presses.count(), 1);
    EXPECT_EQ(presses.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowCentre(list, 1));
    EXPECT_EQ(list.ListIndex(), 1) << "a left click selects";
    EXPECT_EQ(presses.count(), 2);
}

TEST(ListBoxTest, UserInputNeverLeavesTheListWithoutASelection)
{
    ListBox list;
    list.resize(200, 200);
    list.AddItems({"/a.avi", "/b.avi"});
    list.show();
    list.setSelected(1, true);
    const QPoint belowTheEntries(20, list.viewport()->height() - 5);
    ASSERT_EQ(list.indexAt(belowTheEntries).row(), -1);

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, belowTheEntries);
    EXPECT_EQ(list.ListIndex(), 1) << "a click below the entries";
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(list, 1));
    EXPECT_EQ(list.ListIndex(), 1) << "a Ctrl+click on the selected entry";
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(list.ListIndex(), 1) << "Ctrl+Space on the selected entry";

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowCentre(list, 0));
    EXPECT_EQ(list.ListIndex(), 0) << "another entry is still chosen by a click";
}
