// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/Line.h"

#include "runtime/FormFile.h"

#include <QImage>
#include <QPalette>

#include <gtest/gtest.h>

#include <optional>

using runtime::Line;

namespace {

// A white window holding lines, drawn to an image.
class LineTest : public ::testing::Test
{
protected:
    LineTest()
    {
        m_window.resize(300, 200);
        QPalette palette = m_window.palette();
        palette.setColor(QPalette::Window, Qt::white);
        palette.setColor(QPalette::Text, QColor(10, 20, 30));
        m_window.setPalette(palette);
        m_window.setAutoFillBackground(true);
    }

    Line *addLine(QPoint from, QPoint to, int width = 1)
    {
        auto *line = new Line(&m_window);
        line->setBorderColor(runtime::bgr(0x80, 0x80, 0x80));
        line->setBorderWidth(width);
        line->setEnds(from, to);
        return line;
    }

    QImage image() { return m_window.grab().toImage(); }

    QWidget m_window;
};

const QColor Grey(0x80, 0x80, 0x80);
const QColor White(Qt::white);

TEST_F(LineTest, ReadsItsEndsInTwipsAndItsColourFromTheFormFile)
{
    QString error;
    const std::optional<runtime::FormObject> form = runtime::FormFile::parse(
        QStringLiteral("Begin Form F\n Begin Line Line1\n  BorderColor = &H00808080&\n  X1 = 120\n  Y1 = 1920\n"
                       "  X2 = 4020\n  Y2 = 1920\n End\nEnd\n"),
        QString(), QStringLiteral("F.frm"), &error);
    ASSERT_TRUE(form) << error.toStdString();
    auto *line = new Line(&m_window);
    line->readProperties(form->children.front());
    EXPECT_EQ(line->from(), QPoint(8, 128));
    EXPECT_EQ(line->to(), QPoint(268, 128));
    EXPECT_EQ(line->BorderColor(), 0x808080u);
    EXPECT_EQ(line->geometry(), QRect(8, 128, 261, 1));

    const QImage drawn = image();
    EXPECT_EQ(drawn.pixelColor(8, 128), Grey);
    EXPECT_EQ(drawn.pixelColor(268, 128), Grey);
    EXPECT_EQ(drawn.pixelColor(7, 128), White);
    EXPECT_EQ(drawn.pixelColor(269, 128), White);
    EXPECT_EQ(drawn.pixelColor(100, 127), White);
    EXPECT_EQ(drawn.pixelColor(100, 129), White);
}

TEST_F(LineTest, DrawsBothEndsWhicheverWayItRuns)
{
    addLine(QPoint(40, 10), QPoint(10, 40));
    const QImage drawn = image();
    EXPECT_EQ(drawn.pixelColor(40, 10), Grey);
    EXPECT_EQ(drawn.pixelColor(10, 40), Grey);
    EXPECT_EQ(drawn.pixelColor(25, 25), Grey);
    EXPECT_EQ(drawn.pixelColor(10, 10), White);
}

TEST_F(LineTest, AWideLineIsCentredOnItsEnds)
{
    addLine(QPoint(20, 50), QPoint(60, 50), 3);
    const QImage drawn = image();
    for (int y : {49, 50, 51})
        EXPECT_EQ(drawn.pixelColor(40, y), Grey) << y;
    EXPECT_EQ(drawn.pixelColor(40, 48), White);
    EXPECT_EQ(drawn.pixelColor(40, 52), White);
}

TEST_F(LineTest, ASystemColourFollowsThePalette)
{
    Line *line = addLine(QPoint(20, 70), QPoint(60, 70));
    line->setBorderColor(runtime::SystemColour::WindowText);
    EXPECT_EQ(image().pixelColor(40, 70), QColor(10, 20, 30));
}

TEST_F(LineTest, LeavesThePointerToWhatLiesBeneath)
{
    addLine(QPoint(20, 90), QPoint(60, 90));
    EXPECT_EQ(m_window.childAt(40, 90), nullptr);
}

} // namespace
