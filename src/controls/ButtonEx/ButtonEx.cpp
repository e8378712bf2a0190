// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonEx.h"

#include "AccessKey.h"
#include "ButtonExAccessible.h"
#include "runtime/Nearest.h"
#include "runtime/SavedValue.h"
#include "runtime/Units.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QKeySequence>

#include <optional>

using runtime::OleColor;

namespace {

namespace Defaults {
constexpr std::int32_t Appearance = 1;
constexpr OleColor BackColor = runtime::SystemColour::ButtonFace;
constexpr QLatin1StringView Caption("ButtonEx1");
constexpr std::int16_t Enabled = runtime::True;
constexpr OleColor ForeColor = runtime::SystemColour::ButtonText;
constexpr OleColor HighlightColor = runtime::SystemColour::ButtonText;
constexpr std::int16_t HighlightPicture = runtime::False;
constexpr std::int32_t MousePointer = 0;
constexpr std::int16_t RightToLeft = runtime::False;
constexpr OleColor TransparentColor = 0xFF0000;
constexpr std::int32_t WhatsThisHelpID = 0;
} // namespace Defaults

// Designed size of the work surfaces, in twips.
constexpr int WorkSurfaceWidth = 1215;
constexpr int WorkSurfaceHeight = 495;
constexpr int CustomPointer = 99;

QVariant pictureValue(const runtime::Picture &picture)
{
    return picture.handle() ? QVariant::fromValue(picture) : QVariant();
}

Qt::CursorShape cursorShape(std::int16_t pointer)
{
    switch (pointer) {
    case 2:
        return Qt::CrossCursor;
    case 3:
        return Qt::IBeamCursor;
    case 5:
    case 15:
        return Qt::SizeAllCursor;
    case 6:
        return Qt::SizeBDiagCursor;
    case 7:
        return Qt::SizeVerCursor;
    case 8:
        return Qt::SizeFDiagCursor;
    case 9:
        return Qt::SizeHorCursor;
    case 10:
        return Qt::UpArrowCursor;
    case 11:
        return Qt::WaitCursor;
    case 12:
        return Qt::ForbiddenCursor;
    case 13:
        return Qt::BusyCursor;
    case 14:
        return Qt::WhatsThisCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

ButtonEx::ButtonEx(QWidget *parent)
    : QWidget(parent)
    , m_font(parent ? parent->font() : QApplication::font())
    , m_faceFont(m_font)
    , m_ambientFont(m_font)
    , m_imgPicture(QSize(), m_backColor, m_foreColor, palette())
    , m_pictNewPicture(
          QSize(runtime::Units::twipsToPixelsX(WorkSurfaceWidth), runtime::Units::twipsToPixelsY(WorkSurfaceHeight)),
          runtime::SystemColour::ButtonFace, runtime::SystemColour::ButtonText, palette())
    , m_pictTempHighlight(m_pictNewPicture)
    , m_pictTempDestination(m_pictNewPicture)
{
    ButtonExAccessible::install();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    QWidget::setFont(m_faceFont.font());
    // Where the designer left the picture holder; the first drawing with a picture moves it.
    m_imgPicture.setPosition(QPoint(6, 6));
    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer1.setParent(this);
    m_timer1.setInterval(1);
    m_timer1.setTimerType(Qt::PreciseTimer);
    connect(&m_timer1, &QTimer::timeout, this, &ButtonEx::checkPointer);
    resize(runtime::Units::twipsToPixelsX(1200), runtime::Units::twipsToPixelsY(360));
}

void ButtonEx::setDisplayAsDefault(bool displayAsDefault)
{
    m_displayAsDefault = displayAsDefault;
    AmbientChanged(QStringLiteral("DisplayAsDefault"));
}

void ButtonEx::AmbientChanged(const QString &name)
{
    if (name != u"DisplayAsDefault")
        return;
    m_focusShown = m_displayAsDefault;
    redraw();
}

void ButtonEx::setContainerToolTip(const QString &text)
{
    m_containerToolTip = text;
    setToolTip(text);
    nameChanged();
}

void ButtonEx::setAppearance(std::int32_t NewValue)
{
    m_appearance = NewValue;
    redraw();
    emit propertyChanged(QStringLiteral("Appearance"));
}

void ButtonEx::setBackColor(OleColor NewValue)
{
    m_backColor = NewValue;
    m_imgPicture.setBackColour(NewValue, palette());
    redraw();
    emit propertyChanged(QStringLiteral("BackColor"));
}

void ButtonEx::setCaption(const QString &NewValue)
{
    m_caption = NewValue;
    updateAccessKey();
    redraw();
    nameChanged();
    emit propertyChanged(QStringLiteral("Caption"));
}

void ButtonEx::setEnabled(std::int16_t NewValue)
{
    m_enabled = runtime::toBoolean(NewValue != 0);
    QWidget::setEnabled(m_enabled != runtime::False);
    redraw();
    emit propertyChanged(QStringLiteral("Enabled"));
}

void ButtonEx::followOwnEnabledState()
{
    // Only the widget's own setting counts: a disabled container leaves the property alone.
    const std::int16_t own = runtime::toBoolean(!testAttribute(Qt::WA_ForceDisabled));
    if (own != m_enabled)
        setEnabled(own);
}

void ButtonEx::setForeColor(OleColor NewValue)
{
    m_foreColor = NewValue;
    m_imgPicture.setForeColour(NewValue);
    redraw();
    emit propertyChanged(QStringLiteral("ForeColor"));
}

void ButtonEx::setFont(const QFont &NewValue)
{
    m_font = NewValue;
    m_faceFont = buttonex::FaceFont(NewValue);
    QWidget::setFont(m_faceFont.font());
    redraw();
    emit propertyChanged(QStringLiteral("Font"));
}

void ButtonEx::setHighlightColor(OleColor NewValue)
{
    m_highlightColor = NewValue;
    redraw();
    emit propertyChanged(QStringLiteral("HighlightColor"));
}

void ButtonEx::setHighlightPicture(std::int16_t NewValue)
{
    m_highlightPicture = runtime::toBoolean(NewValue != 0);
    emit propertyChanged(QStringLiteral("HighlightPicture"));
}

void ButtonEx::setMouseIcon(const runtime::Picture &NewValue)
{
    m_mouseIcon = NewValue;
    applyCursor();
    emit propertyChanged(QStringLiteral("MouseIcon"));
}

bool ButtonEx::setMousePointer(std::int32_t NewValue)
{
    m_mousePointer = NewValue;
    if (!runtime::cInt(NewValue))
        return false;
    applyCursor();
    emit propertyChanged(QStringLiteral("MousePointer"));
    return true;
}

void ButtonEx::setPicture(const runtime::Picture &NewValue)
{
    m_imgPicture.setPicture(NewValue);
    // The work surfaces grow so that a large picture's silhouette is never cut.
    for (buttonex::Surface *work : {&m_pictNewPicture, &m_pictTempHighlight, &m_pictTempDestination})
        work->ensureSize(QSize(NewValue.width(), NewValue.height()), palette());
    redraw();
    emit propertyChanged(QStringLiteral("Picture"));
}

void ButtonEx::setRightToLeft(std::int16_t NewValue)
{
    m_rightToLeft = runtime::toBoolean(NewValue != 0);
    setLayoutDirection(m_rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    redraw();
    emit propertyChanged(QStringLiteral("RightToLeft"));
}

void ButtonEx::setToolTipText(const QString &NewValue)
{
    m_toolTipText = NewValue;
    emit propertyChanged(QStringLiteral("ToolTipText"));
}

void ButtonEx::setTransparentColor(OleColor NewValue)
{
    m_transparentColor = NewValue;
    redraw();
    emit propertyChanged(QStringLiteral("TransparentColor"));
}

void ButtonEx::setWhatsThisHelpID(std::int32_t NewValue)
{
    m_whatsThisHelpId = NewValue;
    emit propertyChanged(QStringLiteral("WhatsThisHelpID"));
}

void ButtonEx::InitProperties()
{
    setAppearance(Defaults::Appearance);
    setBackColor(Defaults::BackColor);
    setCaption(QString(Defaults::Caption));
    setEnabled(Defaults::Enabled);
    setForeColor(Defaults::ForeColor);
    setFont(m_ambientFont);
    setHighlightColor(Defaults::HighlightColor);
    setHighlightPicture(Defaults::HighlightPicture);
    setMouseIcon(runtime::Picture());
    setMousePointer(Defaults::MousePointer);
    setPicture(runtime::Picture());
    setRightToLeft(Defaults::RightToLeft);
    setToolTipText(QString());
    setTransparentColor(Defaults::TransparentColor);
    setWhatsThisHelpID(Defaults::WhatsThisHelpID);
}

bool ButtonEx::ReadProperties(const runtime::PropertyBag &bag, QString *error)
{
    QString firstProblem;
    const auto problem = [&](const QString &key, const QString &what) {
        if (firstProblem.isEmpty())
            firstProblem = QStringLiteral("%1: the saved property \"%2\" %3.")
                               .arg(objectName().isEmpty() ? QStringLiteral("ButtonEx") : objectName(), key, what);
    };
    const auto read = [&](const QString &key, const QVariant &defaultValue, auto convert, auto apply) {
        const auto value = convert(bag.ReadProperty(key, defaultValue));
        if (value)
            apply(*value);
        else
            problem(key, QStringLiteral("is malformed or out of range"));
    };
    const QVariant defaultIcon;

    read(QStringLiteral("Appearance"), qint64(Defaults::Appearance), runtime::savedLong,
         [this](auto v) { setAppearance(v); });
    read(QStringLiteral("BackColor"), qint64(Defaults::BackColor), runtime::savedColour,
         [this](auto v) { setBackColor(v); });
    read(QStringLiteral("Caption"), QString(Defaults::Caption), runtime::savedText, [this](auto v) { setCaption(v); });
    read(QStringLiteral("Enabled"), true, runtime::savedBoolean, [this](auto v) { setEnabled(v); });
    read(QStringLiteral("ForeColor"), qint64(Defaults::ForeColor), runtime::savedColour,
         [this](auto v) { setForeColor(v); });
    read(QStringLiteral("Font"), QVariant::fromValue(m_ambientFont), runtime::savedFont,
         [this](auto v) { setFont(v); });
    read(QStringLiteral("HighlightColor"), qint64(Defaults::HighlightColor), runtime::savedColour,
         [this](auto v) { setHighlightColor(v); });
    read(QStringLiteral("HighlightPicture"), false, runtime::savedBoolean, [this](auto v) { setHighlightPicture(v); });
    read(QStringLiteral("MouseIcon"), defaultIcon, runtime::savedPicture, [this](auto v) { setMouseIcon(v); });
    read(QStringLiteral("MousePointer"), qint64(Defaults::MousePointer), runtime::savedLong, [&](auto v) {
        if (!setMousePointer(v))
            problem(QStringLiteral("MousePointer"), QStringLiteral("is out of range"));
    });
    read(QStringLiteral("Picture"), defaultIcon, runtime::savedPicture, [this](auto v) { setPicture(v); });
    read(QStringLiteral("RightToLeft"), false, runtime::savedBoolean, [this](auto v) { setRightToLeft(v); });
    read(QStringLiteral("ToolTipText"), QString(), runtime::savedText, [this](auto v) { setToolTipText(v); });
    read(QStringLiteral("TransparentColor"), qint64(Defaults::TransparentColor), runtime::savedColour,
         [this](auto v) { setTransparentColor(v); });
    read(QStringLiteral("WhatsThisHelpID"), qint64(Defaults::WhatsThisHelpID), runtime::savedLong,
         [this](auto v) { setWhatsThisHelpID(v); });

    if (error)
        *error = firstProblem;
    return firstProblem.isEmpty();
}

void ButtonEx::WriteProperties(runtime::PropertyBag &bag) const
{
    const auto boolValue = [](std::int16_t v) {
        return QVariant(v != runtime::False);
    };
    bag.WriteProperty(QStringLiteral("Appearance"), qint64(m_appearance), qint64(Defaults::Appearance));
    bag.WriteProperty(QStringLiteral("Enabled"), boolValue(m_enabled), true);
    bag.WriteProperty(QStringLiteral("BackColor"), qint64(m_backColor), qint64(Defaults::BackColor));
    bag.WriteProperty(QStringLiteral("Caption"), m_caption, QString(Defaults::Caption));
    bag.WriteProperty(QStringLiteral("ForeColor"), qint64(m_foreColor), qint64(Defaults::ForeColor));
    bag.WriteProperty(QStringLiteral("Font"), QVariant::fromValue(m_font), QVariant::fromValue(m_ambientFont));
    bag.WriteProperty(QStringLiteral("HighlightColor"), qint64(m_highlightColor), qint64(Defaults::HighlightColor));
    bag.WriteProperty(QStringLiteral("HighlightPicture"), boolValue(m_highlightPicture), false);
    bag.WriteProperty(QStringLiteral("Picture"), pictureValue(m_imgPicture.picture()), QVariant());
    bag.WriteProperty(QStringLiteral("RightToLeft"), boolValue(m_rightToLeft), false);
    bag.WriteProperty(QStringLiteral("TransparentColor"), qint64(m_transparentColor),
                      qint64(Defaults::TransparentColor));
    bag.WriteProperty(QStringLiteral("MouseIcon"), pictureValue(m_mouseIcon), QVariant());
    bag.WriteProperty(QStringLiteral("MousePointer"), qint64(m_mousePointer), qint64(Defaults::MousePointer));
    bag.WriteProperty(QStringLiteral("ToolTipText"), m_toolTipText, QString());
    bag.WriteProperty(QStringLiteral("WhatsThisHelpID"), qint64(m_whatsThisHelpId), qint64(Defaults::WhatsThisHelpID));
}

QString ButtonEx::accessibleButtonName() const
{
    return m_containerToolTip.isEmpty() ? buttonex::shownCaption(m_caption).text : m_containerToolTip;
}

void ButtonEx::updateAccessKey()
{
    const std::optional<QString> key = buttonex::accessKeyOf(m_caption);
    if (!key || *key == m_accessKeys)
        return;
    m_accessKeys = *key;
    if (m_shortcutId != 0)
        releaseShortcut(m_shortcutId);
    m_shortcutId = m_accessKeys.isEmpty() ? 0 : grabShortcut(QKeySequence::mnemonic(u'&' + m_accessKeys));
}

void ButtonEx::applyCursor()
{
    const std::optional<std::int16_t> pointer = runtime::cInt(m_mousePointer);
    if (!pointer || *pointer == 0) {
        unsetCursor();
    } else if (*pointer == CustomPointer && m_mouseIcon.handle()) {
        setCursor(QCursor(QPixmap::fromImage(m_mouseIcon.image())));
    } else {
        setCursor(cursorShape(*pointer));
    }
}

void ButtonEx::nameChanged()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}
