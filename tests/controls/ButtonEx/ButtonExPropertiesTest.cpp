// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonExTestSupport.h"

#include "runtime/FormFile.h"

#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

QStringList recordNotifications(ButtonEx &button, const std::function<void()> &action)
{
    QStringList names;
    const auto connection
        = QObject::connect(&button, &ButtonEx::propertyChanged, [&](const QString &name) { names << name; });
    action();
    QObject::disconnect(connection);
    return names;
}

// True when the setter repainted the face: the palette changed behind the face's back, so
// only a new drawing shows the new button-face colour.
bool setterRedraws(const std::function<void(ButtonEx &)> &setter)
{
    ButtonEx button;
    showNow(button);
    button.setCaption(QString());
    button.resize(40, 20);
    button.DrawButton(ButtonEx::Up);
    QPalette palette = button.palette();
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    button.setPalette(palette);
    setter(button);
    return faceOf(button).pixelColor(4, 4) == QColor(1, 2, 3);
}

} // namespace

TEST(ButtonExProperties, DrawingPropertiesRedrawAndOthersDoNot)
{
    struct Case {
        const char *name;
        std::function<void(ButtonEx &)> setter;
        bool redraws;
    };
    const Case cases[] = {
        {"Appearance", [](ButtonEx &b) { b.setAppearance(0); }, true},
        {"Caption", [](ButtonEx &b) { b.setCaption(QStringLiteral("x")); }, true},
        {"Enabled", [](ButtonEx &b) { b.setEnabled(runtime::False); }, true},
        {"ForeColor", [](ButtonEx &b) { b.setForeColor(0x00FF00); }, true},
        {"Font", [](ButtonEx &b) { b.setFont(crispFont(9)); }, true},
        {"HighlightColor", [](ButtonEx &b) { b.setHighlightColor(0x00FF00); }, true},
        {"Picture", [](ButtonEx &b) { b.setPicture(runtime::Picture()); }, true},
        {"RightToLeft", [](ButtonEx &b) { b.setRightToLeft(runtime::True); }, true},
        {"TransparentColor", [](ButtonEx &b) { b.setTransparentColor(0); }, true},
        {"HighlightPicture", [](ButtonEx &b) { b.setHighlightPicture(runtime::True); }, false},
        {"MouseIcon", [](ButtonEx &b) { b.setMouseIcon(runtime::Picture()); }, false},
        {"MousePointer", [](ButtonEx &b) { b.setMousePointer(2); }, false},
        {"ToolTipText", [](ButtonEx &b) { b.setToolTipText(QStringLiteral("tip")); }, false},
        {"WhatsThisHelpID", [](ButtonEx &b) { b.setWhatsThisHelpID(7); }, false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(setterRedraws(c.setter), c.redraws) << c.name;
        ButtonEx button;
        EXPECT_EQ(recordNotifications(button, [&] { c.setter(button); }), QStringList {QString::fromLatin1(c.name)})
            << c.name;
    }
}

TEST(ButtonExProperties, NotificationComesAfterTheValueIsStoredAndDrawn)
{
    ButtonEx button;
    showNow(button);
    button.setCaption(QString());
    button.resize(13, 13);
    QColor drawn;
    runtime::OleColor stored = 0;
    QObject::connect(&button, &ButtonEx::propertyChanged, [&] {
        stored = button.BackColor();
        drawn = faceOf(button).pixelColor(6, 6);
    });
    button.setBackColor(0x0000FF);
    EXPECT_EQ(stored, 0x0000FFu);
    EXPECT_EQ(drawn, QColor(255, 0, 0));
}

TEST(ButtonExProperties, CaptionSetsTheAccessKeys)
{
    ButtonEx button;
    button.setCaption(QStringLiteral("Save &As"));
    EXPECT_EQ(button.accessKeys(), QStringLiteral("A"));
    button.setCaption(QStringLiteral("Fish && &Chips"));
    EXPECT_EQ(button.accessKeys(), QStringLiteral("C"));
    button.setCaption(QStringLiteral("Tom && Jerry"));
    EXPECT_EQ(button.accessKeys(), QStringLiteral("C"));
    button.setCaption(QStringLiteral("Trailing&"));
    EXPECT_EQ(button.accessKeys(), QString());
}

TEST(ButtonExProperties, MousePointerOutside16BitsIsStoredButFails)
{
    ButtonEx button;
    QStringList names;
    QObject::connect(&button, &ButtonEx::propertyChanged, [&](const QString &n) { names << n; });
    EXPECT_FALSE(button.setMousePointer(40000));
    EXPECT_EQ(button.MousePointer(), 40000);
    EXPECT_TRUE(names.isEmpty());
    EXPECT_TRUE(button.setMousePointer(11));
    EXPECT_EQ(button.cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(names, QStringList {QStringLiteral("MousePointer")});
}

TEST(ButtonExProperties, OnlyDisplayAsDefaultChangesTheFocusLook)
{
    ButtonEx button;
    button.AmbientChanged(QStringLiteral("Font"));
    button.AmbientChanged(QStringLiteral("BackColor"));
    button.AmbientChanged(QStringLiteral("displayasdefault"));
    EXPECT_FALSE(button.FocusShown());
    button.setDisplayAsDefault(true);
    EXPECT_TRUE(button.FocusShown());
    button.setDisplayAsDefault(false);
    EXPECT_FALSE(button.FocusShown());
}

TEST(ButtonExProperties, EnabledFollowsTheWidgetsOwnStateAndNotItsContainers)
{
    QWidget container;
    auto *button = new ButtonEx(&container);
    QSignalSpy changed(button, &ButtonEx::propertyChanged);
    // As any widget: through a QWidget pointer, with a bool.
    static_cast<QWidget *>(button)->setEnabled(false);
    EXPECT_EQ(button->Enabled(), runtime::False);
    EXPECT_EQ(changed.count(), 1);
    button->setEnabled(true);
    EXPECT_EQ(button->Enabled(), runtime::True);
    // A disabled container leaves the button's own property as it is.
    container.setEnabled(false);
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(button->Enabled(), runtime::True);
    EXPECT_EQ(changed.count(), 2);
}

TEST(ButtonExPersistence, AllDefaultsWriteNoKeys)
{
    ButtonEx button;
    button.setAmbientFont(crispFont(11));
    button.InitProperties();
    runtime::PropertyBag bag;
    button.WriteProperties(bag);
    EXPECT_TRUE(bag.isEmpty());
}

TEST(ButtonExPersistence, EmptyBagReadsTheDefaultsAndTheAmbientFont)
{
    ButtonEx button;
    const QFont ambient = crispFont(11);
    button.setAmbientFont(ambient);
    QStringList names;
    QObject::connect(&button, &ButtonEx::propertyChanged, [&](const QString &n) { names << n; });
    ASSERT_TRUE(button.ReadProperties(runtime::PropertyBag()));
    EXPECT_EQ(button.Caption(), QStringLiteral("ButtonEx1"));
    EXPECT_EQ(button.TransparentColor(), 0xFF0000u);
    EXPECT_EQ(button.Font(), ambient);
    EXPECT_EQ(button.BackColor(), 0x8000000Fu);
    EXPECT_EQ(button.Enabled(), runtime::True);
    EXPECT_EQ(button.Appearance(), 1);
    const QStringList readOrder
        = {"Appearance", "BackColor",      "Caption",          "Enabled",          "ForeColor",
           "Font",       "HighlightColor", "HighlightPicture", "MouseIcon",        "MousePointer",
           "Picture",    "RightToLeft",    "ToolTipText",      "TransparentColor", "WhatsThisHelpID"};
    EXPECT_EQ(names, readOrder);
}

TEST(ButtonExPersistence, EveryPropertyRoundTripsInWriteOrder)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    const runtime::Picture picture(image);
    ButtonEx saved;
    saved.setAppearance(0);
    saved.setEnabled(runtime::False);
    saved.setBackColor(0x808080);
    saved.setCaption(QStringLiteral("&Go"));
    saved.setForeColor(0x000000);
    saved.setFont(crispFont(15));
    saved.setHighlightColor(0x404040);
    saved.setHighlightPicture(runtime::True);
    saved.setPicture(picture);
    saved.setRightToLeft(runtime::True);
    saved.setTransparentColor(0x00FF00);
    saved.setMouseIcon(picture);
    saved.setMousePointer(99);
    saved.setToolTipText(QStringLiteral("tip"));
    saved.setWhatsThisHelpID(42);

    runtime::PropertyBag bag;
    saved.WriteProperties(bag);
    QStringList keys;
    for (const runtime::PropertyBag::Entry &e : bag.entries())
        keys << e.key;
    const QStringList writeOrder
        = {"appearance",     "enabled",          "backcolor",      "caption",     "forecolor",        "font",
           "highlightcolor", "highlightpicture", "picture",        "righttoleft", "transparentcolor", "mouseicon",
           "mousepointer",   "tooltiptext",      "whatsthishelpid"};
    EXPECT_EQ(keys, writeOrder);

    ButtonEx loaded;
    ASSERT_TRUE(loaded.ReadProperties(bag));
    EXPECT_EQ(loaded.Appearance(), 0);
    EXPECT_EQ(loaded.Enabled(), runtime::False);
    EXPECT_FALSE(loaded.isEnabled());
    EXPECT_EQ(loaded.BackColor(), 0x808080u);
    EXPECT_EQ(loaded.Caption(), QStringLiteral("&Go"));
    EXPECT_EQ(loaded.accessKeys(), QStringLiteral("G"));
    EXPECT_EQ(loaded.ForeColor(), 0u);
    EXPECT_EQ(loaded.Font(), crispFont(15));
    EXPECT_EQ(loaded.HighlightColor(), 0x404040u);
    EXPECT_EQ(loaded.HighlightPicture(), runtime::True);
    EXPECT_EQ(loaded.Picture(), picture);
    EXPECT_EQ(loaded.RightToLeft(), runtime::True);
    EXPECT_EQ(loaded.TransparentColor(), 0x00FF00u);
    EXPECT_EQ(loaded.MouseIcon(), picture);
    EXPECT_EQ(loaded.MousePointer(), 99);
    EXPECT_EQ(loaded.ToolTipText(), QStringLiteral("tip"));
    EXPECT_EQ(loaded.WhatsThisHelpID(), 42);
}

TEST(ButtonExPersistence, WrongTypeIsReportedAndTheRestStillLoads)
{
    runtime::PropertyBag bag;
    bag.set(QStringLiteral("Appearance"), QStringLiteral("flat"));
    bag.set(QStringLiteral("Caption"), QStringLiteral("Ok"));
    bag.set(QStringLiteral("MousePointer"), qint64(70000));
    bag.set(QStringLiteral("Left"), qint64(100)); // the container's own key
    ButtonEx button;
    button.setObjectName(QStringLiteral("ButtonEx9"));
    QString error;
    EXPECT_FALSE(button.ReadProperties(bag, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("ButtonEx9"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("\"Appearance\""))) << error.toStdString();
    EXPECT_EQ(button.Appearance(), 1);
    EXPECT_EQ(button.Caption(), QStringLiteral("Ok"));
    EXPECT_EQ(button.MousePointer(), 70000);
}

TEST(ButtonExPersistence, TheMainWindowInstancesLoadFromTheirFormText)
{
    QString error;
    const std::optional<runtime::FormObject> form
        = runtime::FormFile::read(QStringLiteral(KAVEL_SOURCE_DIR "/resources/forms/Form1.frm"), &error);
    ASSERT_TRUE(form) << error.toStdString();

    struct Expected {
        const char *name;
        const char *caption;
        const char *family;
        double points;
        const char *toolTip;
        int left;
    };
    const Expected expected[] = {
        {"ButtonEx1", "-", "Arial", 12, "Minimize", 5460},
        {"ButtonEx2", "o", "Wingdings", 8.25, "Maximize", 5640},
        {"ButtonEx3", "X", "Small Fonts", 6.75, "Exit Program", 5820},
        {"ButtonEx4", "i", "Wingdings", 8.25, "Toggle FullScreen Mode", 360},
        {"ButtonEx5", "P", "Small Fonts", 6.75, "TogglePlaylist", 180},
    };
    for (const Expected &e : expected) {
        const runtime::FormObject *block = form->child(QString::fromLatin1(e.name));
        ASSERT_NE(block, nullptr) << e.name;
        EXPECT_EQ(block->className, QStringLiteral("Vantrel.ButtonEx"));
        ButtonEx button;
        ASSERT_TRUE(button.ReadProperties(block->properties, &error)) << error.toStdString();
        EXPECT_EQ(button.Caption(), QString::fromLatin1(e.caption)) << e.name;
        EXPECT_EQ(button.Font().family(), QString::fromLatin1(e.family)) << e.name;
        EXPECT_EQ(button.Font().pointSizeF(), e.points) << e.name;
        EXPECT_EQ(button.BackColor(), 0x808080u) << e.name;
        EXPECT_EQ(button.ForeColor(), 0u) << e.name;
        EXPECT_EQ(button.HighlightColor(), 0x404040u) << e.name;
        EXPECT_FALSE(button.Picture().handle()) << e.name;
        const auto prop = [&](const char *key) {
            return block->properties.ReadProperty(QString::fromLatin1(key));
        };
        EXPECT_EQ(prop("ToolTipText").toString(), QString::fromLatin1(e.toolTip)) << e.name;
        EXPECT_EQ(prop("Left").toInt(), e.left) << e.name;
        EXPECT_EQ(prop("Width").toInt(), 195) << e.name;
        EXPECT_EQ(prop("Height").toInt(), 195) << e.name;
    }
}
