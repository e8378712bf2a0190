// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/FormFile.h"
#include "runtime/FormControls.h"
#include "runtime/Picture.h"

#include <QDirIterator>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using runtime::FormFile;
using runtime::FormObject;
using runtime::Picture;

namespace {

std::optional<FormObject> parse(const QString &text, QString *error, const QString &baseDir = QString())
{
    return FormFile::parse(text, baseDir, QStringLiteral("Test.frm"), error);
}

} // namespace

TEST(FormFile, ReadsNestedBlocksAndTypedValues)
{
    QString error;
    const auto form = parse(QStringLiteral(R"(' the main window
Begin Form Form1
   BackColor = &H00808080&
   ClientWidth = 6000
   Caption = ""
   Begin Label Label1
      Caption = "KAVEL ""Player"""
      Font = Font("Small Fonts", 6.75, Bold)
      Left = -15
   End
   Begin Timer Timer1
      Enabled = True
      Ratio = 1.5
      Colour = &H8000000F
   End
End
)"),
                            &error);
    ASSERT_TRUE(form) << error.toStdString();
    EXPECT_EQ(form->className, QStringLiteral("Form"));
    EXPECT_EQ(form->properties.ReadProperty(QStringLiteral("backcolor")).toLongLong(), 0x808080);
    EXPECT_EQ(form->properties.ReadProperty(QStringLiteral("Caption")).toString(), QString());
    ASSERT_EQ(form->children.size(), 2);
    const FormObject *label = form->child(QStringLiteral("label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->properties.ReadProperty(QStringLiteral("Caption")).toString(), QStringLiteral("KAVEL \"Player\""));
    const QFont font = label->properties.ReadProperty(QStringLiteral("Font")).value<QFont>();
    EXPECT_EQ(font.family(), QStringLiteral("Small Fonts"));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 6.75);
    EXPECT_TRUE(font.bold());
    EXPECT_EQ(label->properties.ReadProperty(QStringLiteral("Left")).toInt(), -15);
    const FormObject *timer = form->child(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->properties.ReadProperty(QStringLiteral("Enabled")), QVariant(true));
    EXPECT_DOUBLE_EQ(timer->properties.ReadProperty(QStringLiteral("Ratio")).toDouble(), 1.5);
    EXPECT_EQ(timer->properties.ReadProperty(QStringLiteral("Colour")).toLongLong(), 0x8000000F);
}

TEST(FormFile, DamagedFilesNameTheFileAndLine)
{
    const struct {
        const char *text;
        const char *expected;
    } cases[] = {
        {"Begin Form Form1\n   Left = \n", "Test.frm, line 2"},
        {"Begin Form Form1\n   Caption = \"open\nEnd\n", "Test.frm, line 2"},
        {"Begin Form Form1\n   Begin Label Label1\n   End\n", "Test.frm, line 1"},
        {"End\n", "Test.frm, line 1"},
        {"Left = 1\n", "Test.frm, line 1"},
        {"Begin Form\n", "Test.frm, line 1"},
        {"Begin Form Form1\n   Font = Font(\"Arial\", 0)\nEnd\n", "Test.frm, line 2"},
        {"Begin Form Form1\n   Icon = Picture(\"missing.png\")\nEnd\n", "Test.frm, line 2"},
        {"Begin Form Form1\n   Width = 12abc\nEnd\n", "Test.frm, line 2"},
        {"Begin Form Form1\n   Width = nan\nEnd\n", "Test.frm, line 2"},
        {"Begin Form Form1\n   Width = -inf\nEnd\n", "Test.frm, line 2"},
        {"Begin Form Form1\n   Font = Font(\"Arial\", nan)\nEnd\n", "Test.frm, line 2"},
        {"Begin Form Form1\n   Font = Font(\"Arial\", inf)\nEnd\n", "Test.frm, line 2"},
        {"Begin Form Form1\nEnd\nBegin Form Form2\nEnd\n", "Test.frm, line 3"},
        {"", "Test.frm, line 1"},
    };
    for (const auto &c : cases) {
        QString error;
        EXPECT_FALSE(parse(QString::fromUtf8(c.text), &error)) << c.text;
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(c.expected))) << error.toStdString();
    }
}

TEST(FormFile, SkinsFromStrangersAreKeptToWhatAFaceCanHold)
{
    // A skin folder as a user has one: forms/ with the pictures beside it.
    QTemporaryDir skin;
    const QString forms = skin.filePath(QStringLiteral("forms"));
    QDir().mkpath(forms);
    QImage(8, 8, QImage::Format_RGB32).save(skin.filePath(QStringLiteral("glyph.png")));
    QFile huge(skin.filePath(QStringLiteral("huge.png")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(200) * 1024 * 1024)); // sparse
    huge.close();
    QTemporaryDir elsewhere;
    QImage(8, 8, QImage::Format_RGB32).save(elsewhere.filePath(QStringLiteral("outside.png")));
    QFile::link(elsewhere.filePath(QStringLiteral("outside.png")), skin.filePath(QStringLiteral("link.png")));

    const struct {
        QString line;
        const char *reason; // nothing: accepted
    } cases[] = {
        {QStringLiteral("Icon = Picture(\"../glyph.png\")"), nullptr},
        {QStringLiteral("Icon = Picture(\"missing.png\")"), "cannot be read"},
        {QStringLiteral("Icon = Picture(\"../huge.png\")"), "too large"},
        {QStringLiteral("Icon = Picture(\"../../%1\")")
             .arg(QFileInfo(elsewhere.path()).fileName() + QStringLiteral("/outside.png")),
         "outside the skin's folder"},
        {QStringLiteral("Icon = Picture(\"%1\")").arg(elsewhere.filePath(QStringLiteral("outside.png"))),
         "outside the skin's folder"},
        {QStringLiteral("Icon = Picture(\"../link.png\")"), "outside the skin's folder"},
        {QStringLiteral("Max = 99999999999"), "out of range"},
        {QStringLiteral("Max = 1e300"), "out of range"},
        {QStringLiteral("Max = &H1FFFFFFFF&"), "not a value"},
        {QStringLiteral("Width = 491505"), nullptr},
        {QStringLiteral("Width = 491520"), "beyond any screen"},
        {QStringLiteral("Left = -491520"), "beyond any screen"},
        {QStringLiteral("ClientHeight = -15"), "beyond any screen"},
        {QStringLiteral("Font = Font(\"Arial\", 100000)"), "font size"},
    };
    for (const auto &c : cases) {
        QString error;
        const auto form = FormFile::parse(QStringLiteral("Begin Form Form1\n   %1\nEnd\n").arg(c.line), forms,
                                          QStringLiteral("Skin.frm"), &error);
        EXPECT_EQ(form.has_value(), c.reason == nullptr) << c.line.toStdString() << ": " << error.toStdString();
        if (c.reason) {
            EXPECT_TRUE(error.startsWith(QStringLiteral("Skin.frm, line 2"))) << error.toStdString();
            EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << error.toStdString();
        }
    }
}

TEST(FormFile, WritesWhatItReadsWithPicturesBesideIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage glyph(27, 27, QImage::Format_RGB32);
    glyph.fill(QColor(1, 2, 3));

    FormObject form;
    form.className = QStringLiteral("Form");
    form.name = QStringLiteral("Form1");
    form.properties.set(QStringLiteral("Caption"), QStringLiteral("say \"hi\""));
    form.properties.set(QStringLiteral("BackColor"), qint64(0x8000000F));
    FormObject button;
    button.className = QStringLiteral("CommandButton");
    button.name = QStringLiteral("Command1");
    button.properties.set(QStringLiteral("Picture"), QVariant::fromValue(Picture(glyph)));
    button.properties.set(QStringLiteral("DownPicture"), QVariant::fromValue(Picture()));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(12);
    font.setItalic(true);
    button.properties.set(QStringLiteral("Font"), QVariant::fromValue(font));
    form.children.append(button);

    const QString path = dir.filePath(QStringLiteral("Form1.frm"));
    QString error;
    ASSERT_TRUE(FormFile::write(path, form, &error)) << error.toStdString();
    const auto back = FormFile::read(path, &error);
    ASSERT_TRUE(back) << error.toStdString();
    EXPECT_EQ(back->properties.ReadProperty(QStringLiteral("Caption")).toString(), QStringLiteral("say \"hi\""));
    EXPECT_EQ(back->properties.ReadProperty(QStringLiteral("BackColor")).toLongLong(), 0x8000000F);
    const FormObject *command = back->child(QStringLiteral("Command1"));
    ASSERT_NE(command, nullptr);
    const Picture picture = command->properties.ReadProperty(QStringLiteral("Picture")).value<Picture>();
    EXPECT_EQ(picture.image().pixelColor(13, 13), QColor(1, 2, 3));
    EXPECT_FALSE(command->properties.ReadProperty(QStringLiteral("DownPicture")).value<Picture>().handle());
    EXPECT_TRUE(command->properties.ReadProperty(QStringLiteral("Font")).value<QFont>().italic());
}

TEST(FormFile, WrittenValuesReadBackExactly)
{
    const char *values[] = {
        "4294967295", // the largest a form file holds
        "-2147483648",
        "&HFFFFFFFF&",
        "0.30000000000000004",
        "4294967294.9999995",
        "-0.1",
        "1e-300",
        "Font(\"Arial\", 8.123456789, Bold)",
        "Font(\"100%2 %1\", 9)",
        "Font(\"Sm,ll Fonts\", 6.75)", // a comma is part of the family's name
        "Font(\"'Arial', \"\"B\"\"\", 6.75)",
        "Font(\" \", 6.75)",
    };
    // A key may be any word, those that begin and end a block too.
    for (const char *key : {"Value", "Begin", "end"}) {
        for (const char *value : values) {
            const QString line = QStringLiteral("%1 = %2").arg(QLatin1String(key), QString::fromUtf8(value));
            QString error;
            const auto form = parse(QStringLiteral("Begin Form F\n   %1\nEnd\n").arg(line), &error);
            ASSERT_TRUE(form) << line.toStdString() << ": " << error.toStdString();
            const QString written = FormFile::serialise(*form, QString(), &error);
            const auto back = parse(written, &error);
            ASSERT_TRUE(back) << line.toStdString() << ": " << error.toStdString();
            const QVariant read = form->properties.ReadProperty(QLatin1String(key));
            const QVariant again = back->properties.ReadProperty(QLatin1String(key));
            EXPECT_TRUE(read.isValid()) << line.toStdString();
            EXPECT_TRUE(runtime::PropertyBag::sameValue(read, again))
                << line.toStdString() << " was written as " << written.toStdString();
            EXPECT_EQ(read.metaType() == QMetaType::fromType<QFont>(),
                      again.metaType() == QMetaType::fromType<QFont>());
        }
    }
}

TEST(FormFile, EveryBuiltInFormReads)
{
    QDirIterator it(QStringLiteral(":/forms"), {QStringLiteral("*.frm")});
    int count = 0;
    while (it.hasNext()) {
        QString error;
        EXPECT_TRUE(FormFile::read(it.next(), &error)) << error.toStdString();
        ++count;
    }
    EXPECT_GE(count, 1);
}

TEST(FormControls, PlacesAControlInPixelsFromTwips)
{
    QString error;
    const auto form = parse(QStringLiteral("Begin Form F\n Begin Label Label3\n  Left = 2640\n  Top = 210\n"
                                           "  Width = 630\n  Height = 210\n  ForeColor = &H00E0E0E0&\n"
                                           "  ToolTipText = \"Elapsed\"\n End\nEnd\n"),
                            &error);
    ASSERT_TRUE(form) << error.toStdString();
    QLabel label;
    runtime::applyControlProperties(&label, runtime::controlBlock(*form, QStringLiteral("Label3")));
    EXPECT_EQ(label.geometry(), QRect(176, 14, 42, 14));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(224, 224, 224));
    EXPECT_EQ(label.toolTip(), QStringLiteral("Elapsed"));
    EXPECT_TRUE(runtime::controlBlock(*form, QStringLiteral("Nothing")).properties.isEmpty());
}
