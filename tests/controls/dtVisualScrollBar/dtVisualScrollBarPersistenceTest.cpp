// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScrollBarTestSupport.h"
#include "runtime/FormFile.h"
#include "runtime/PropertyBag.h"

#include <QFile>
#include <QTest>

namespace {

QStringList keysOf(const runtime::PropertyBag &bag)
{
    QStringList keys;
    for (const runtime::PropertyBag::Entry &e : bag.entries())
        keys << e.key;
    return keys;
}

} // namespace

TEST(Persistence, AnInstanceOfDefaultsWritesNothing)
{
    HostedBar hosted;
    hosted.bar->ReadProperties(runtime::PropertyBag());
    runtime::PropertyBag saved;
    hosted.bar->WriteProperties(saved);
    EXPECT_TRUE(saved.isEmpty()) << keysOf(saved).join(u',').toStdString();
}

TEST(Persistence, PicturesOnlyGiveTheDefaultVerticalBar)
{
    HostedBar hosted;
    runtime::PropertyBag bag;
    bag.set(QStringLiteral("PictureBackground"), QVariant::fromValue(runtime::Picture()));
    bag.set(QStringLiteral("PictureUp"), QVariant::fromValue(pictureOf(21, 16)));
    bag.set(QStringLiteral("PictureDown"), QVariant::fromValue(pictureOf(21, 16)));
    bag.set(QStringLiteral("PictureLeft"), QVariant::fromValue(pictureOf(16, 21)));
    bag.set(QStringLiteral("PictureRight"), QVariant::fromValue(pictureOf(16, 21)));
    bag.set(QStringLiteral("PictureThumb"), QVariant::fromValue(pictureOf(21, 21, Qt::red)));
    hosted.bar->ReadProperties(bag);
    hosted.clearCounts();
    const auto *bar = hosted.bar;
    EXPECT_EQ(bar->Orientation(), dtVisualScrollBar::Vertical);
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 2147483647);
    EXPECT_EQ(bar->Value(), 0);
    EXPECT_EQ(bar->SmallChange(), 1);
    EXPECT_EQ(bar->LargeChange(), 10);
    EXPECT_EQ(bar->BackColor(), 0xE0E0E0u);
    EXPECT_TRUE(bar->ButtonsVisible());
    EXPECT_TRUE(bar->Enabled());
    EXPECT_FALSE(bar->picUP()->isHidden());
    EXPECT_FALSE(bar->picDN()->isHidden());
    EXPECT_TRUE(bar->picLeft()->isHidden());
    EXPECT_EQ(bar->PictureThumb()->image().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_FALSE(bar->PictureBackground());
    // The arrows step through the widest range without trouble.
    hosted.bar->setValue(2147483647);
    QTest::mouseClick(hosted.widget("picDN"), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(bar->Value(), 2147483647);
}

TEST(Persistence, LoadsUncheckedAndRaisesNoEvent)
{
    HostedBar hosted;
    runtime::PropertyBag bag;
    bag.set(QStringLiteral("LARGECHANGE"), 0);
    bag.set(QStringLiteral("smallchange"), 40000);
    bag.set(QStringLiteral("Max"), 10);
    bag.set(QStringLiteral("Value"), 50);
    bag.set(QStringLiteral("Enabled"), false);
    bag.set(QStringLiteral("BackColor"), qint64(0x8000000F));
    // The container's own keys are none of the control's business.
    bag.set(QStringLiteral("ToolTipText"), QStringLiteral("Seek"));
    bag.set(QStringLiteral("Left"), 2700);
    bag.set(QStringLiteral("_ExtentX"), 54187);
    hosted.bar->ReadProperties(bag);
    EXPECT_EQ(hosted.bar->LargeChange(), 0);
    EXPECT_EQ(hosted.bar->SmallChange(), 40000);
    EXPECT_EQ(hosted.bar->Value(), 50);
    EXPECT_FALSE(hosted.bar->Enabled());
    EXPECT_FALSE(hosted.bar->isEnabled());
    EXPECT_EQ(hosted.bar->BackColor(), runtime::SystemColour::ButtonFace);
    EXPECT_TRUE(hosted.bar->toolTip().isEmpty());
    EXPECT_EQ(hosted.changes.count(), 0);
    EXPECT_TRUE(hosted.reporter.messages.isEmpty());
}

TEST(Persistence, SavesInItsOwnOrderAndReadsBackTheSame)
{
    HostedBar hosted;
    hosted.drawNew(3000, 315);
    hosted.bar->setMin(-5);
    hosted.bar->setMax(900);
    hosted.bar->setValue(40);
    hosted.bar->setLargeChange(30);
    hosted.bar->setSmallChange(3);
    hosted.bar->setButtonsVisible(false);
    hosted.bar->setThumbAlignment(5);
    hosted.bar->setBackColor(0x102030);
    hosted.bar->setPictureBackground(pictureOf(300, 21));
    hosted.bar->setAutoSize(true);
    hosted.bar->setEnabled(false);

    runtime::PropertyBag saved;
    hosted.bar->WriteProperties(saved);
    EXPECT_EQ(keysOf(saved),
              (QStringList {"buttonsvisible", "orientation", "thumbalignment", "picturebackground", "pictureup",
                            "picturedown", "pictureright", "pictureleft", "picturethumb", "min", "max", "value",
                            "backcolor", "largechange", "smallchange", "autosize", "enabled"}));
    EXPECT_EQ(saved.ReadProperty(QStringLiteral("Orientation")).toLongLong(), 0);
    EXPECT_EQ(saved.ReadProperty(QStringLiteral("ThumbAlignment")).toLongLong(), 5);
    EXPECT_EQ(saved.ReadProperty(QStringLiteral("ButtonsVisible")), QVariant(false));

    HostedBar copy;
    copy.bar->ReadProperties(saved);
    runtime::PropertyBag again;
    copy.bar->WriteProperties(again);
    ASSERT_EQ(keysOf(again), keysOf(saved));
    for (qsizetype i = 0; i < saved.entries().size(); ++i)
        EXPECT_TRUE(runtime::PropertyBag::sameValue(again.entries()[i].value, saved.entries()[i].value))
            << saved.entries()[i].key.toStdString();
    EXPECT_EQ(copy.bar->Value(), 40);
    EXPECT_EQ(copy.bar->size(), QSize(300, 21));
}

TEST(Persistence, ANewInstanceSavesItsRangeAndBuiltInSkin)
{
    HostedBar hosted;
    hosted.drawNew(3000, 315);
    runtime::PropertyBag saved;
    hosted.bar->WriteProperties(saved);
    // Max starts at 32767 but its saved default is the widest range; a new bar is horizontal.
    EXPECT_EQ(saved.ReadProperty(QStringLiteral("max")).toLongLong(), 32767);
    EXPECT_EQ(saved.ReadProperty(QStringLiteral("orientation")).toLongLong(), 0);
    EXPECT_EQ(saved.ReadProperty(QStringLiteral("thumbalignment")).toLongLong(), 4);
    EXPECT_EQ(saved.ReadProperty(QStringLiteral("backcolor")).toLongLong(), 0xC0C0C0);
    const auto thumb = saved.ReadProperty(QStringLiteral("picturethumb")).value<runtime::Picture>();
    EXPECT_EQ(thumb.image().size(), QSize(21, 21));
    EXPECT_EQ(saved.ReadProperty(QStringLiteral("pictureup")).value<runtime::Picture>().image().size(), QSize(21, 16));
    EXPECT_EQ(saved.ReadProperty(QStringLiteral("pictureleft")).value<runtime::Picture>().image().size(),
              QSize(16, 21));
    EXPECT_FALSE(saved.contains(QStringLiteral("picturebackground")));
}

// The main window's three bars as its form file gives them.
TEST(Persistence, MainWindowInstancesLoadFromTheirFormFileBlocks)
{
    expectStandardScreen();
    QString error;
    const std::optional<runtime::FormObject> form
        = runtime::FormFile::read(QStringLiteral(KAVEL_SOURCE_DIR "/resources/forms/Form1.frm"), &error);
    ASSERT_TRUE(form) << error.toStdString();

    struct Expected {
        const char *name;
        QRect twips;
        qint32 min;
        qint32 max;
        qint32 orientation;
        bool buttons;
    };
    for (const Expected &e : {Expected {"H1", QRect(2700, 420, 3240, 105), 0, 1000, 0, false},
                              Expected {"V1", QRect(4920, 240, 1035, 105), -5000, 0, 0, false},
                              Expected {"H2", QRect(6120, 660, 975, 135), 0, 2147483647, 1, true}}) {
        SCOPED_TRACE(e.name);
        const runtime::FormObject *object = form->child(QLatin1String(e.name));
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->className, QStringLiteral("Vantrel.dtVisualScrollBar"));
        const runtime::PropertyBag &bag = object->properties;
        EXPECT_EQ(QRect(bag.ReadProperty(QStringLiteral("Left")).toInt(),
                        bag.ReadProperty(QStringLiteral("Top")).toInt(),
                        bag.ReadProperty(QStringLiteral("Width")).toInt(),
                        bag.ReadProperty(QStringLiteral("Height")).toInt()),
                  e.twips);
        HostedBar hosted;
        hosted.bar->ReadProperties(bag);
        hosted.resizeTwips(e.twips.width(), e.twips.height());
        EXPECT_EQ(hosted.bar->Min(), e.min);
        EXPECT_EQ(hosted.bar->Max(), e.max);
        EXPECT_EQ(hosted.bar->Orientation(), e.orientation);
        EXPECT_EQ(hosted.bar->ButtonsVisible(), e.buttons);
        EXPECT_TRUE(hosted.bar->PictureThumb());
    }
    const runtime::PropertyBag &h1 = form->child(QStringLiteral("H1"))->properties;
    EXPECT_EQ(h1.ReadProperty(QStringLiteral("ToolTipText")).toString(), QStringLiteral("Seek"));
    EXPECT_EQ(h1.ReadProperty(QStringLiteral("PictureBackground")).value<runtime::Picture>().image().size(),
              QSize(2048, 7));
    EXPECT_EQ(h1.ReadProperty(QStringLiteral("PictureThumb")).value<runtime::Picture>().image().size(), QSize(27, 8));
    EXPECT_EQ(h1.ReadProperty(QStringLiteral("PictureLeft")).value<runtime::Picture>().image().size(), QSize(16, 21));
    EXPECT_EQ(form->child(QStringLiteral("V1"))->properties.ReadProperty(QStringLiteral("ToolTipText")).toString(),
              QStringLiteral("Volume"));
    const runtime::PropertyBag &h2 = form->child(QStringLiteral("H2"))->properties;
    EXPECT_EQ(h2.ReadProperty(QStringLiteral("PictureThumb")).value<runtime::Picture>().image().size(), QSize(21, 21));
    EXPECT_EQ(h2.ReadProperty(QStringLiteral("PictureUp")).value<runtime::Picture>().image().size(), QSize(21, 16));
}
