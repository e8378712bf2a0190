// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormControls.h"

#include "Colour.h"
#include "Nearest.h"
#include "SavedValue.h"
#include "Units.h"

#include <QFile>
#include <QFont>
#include <QMenu>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

namespace runtime {

FormObject loadForm(const QString &formName, QString *userFileError)
{
    const QString userFile
        = QStandardPaths::locate(QStandardPaths::AppDataLocation, QStringLiteral("forms/%1.frm").arg(formName));
    if (!userFile.isEmpty()) {
        if (std::optional<FormObject> form = FormFile::read(userFile, userFileError))
            return *form;
    }
    QString error;
    std::optional<FormObject> builtIn = FormFile::read(QStringLiteral(":/forms/%1.frm").arg(formName), &error);
    // The built-in forms are part of the program; the tests read every one of them.
    Q_ASSERT_X(builtIn, "loadForm", qPrintable(error));
    return builtIn ? *builtIn : FormObject {};
}

void applyControlProperties(QWidget *widget, const FormObject &block)
{
    const PropertyBag &bag = block.properties;
    const auto number = [&bag](const char *key) {
        return savedNumber(bag.ReadProperty(QLatin1String(key)));
    };
    const std::optional<double> left = number("Left");
    const std::optional<double> top = number("Top");
    if (left || top)
        widget->move(left ? Units::twipsToPixelsX(*left) : widget->x(),
                     top ? Units::twipsToPixelsY(*top) : widget->y());
    const std::optional<double> width = number("Width");
    const std::optional<double> height = number("Height");
    if (width || height) {
        widget->resize(width ? Units::twipsToPixelsX(*width) : widget->width(),
                       height ? Units::twipsToPixelsY(*height) : widget->height());
    }
    if (const std::optional<QFont> font = savedFont(bag.ReadProperty(QStringLiteral("Font"))))
        widget->setFont(*font);
    const std::optional<OleColor> backColor = savedColour(bag.ReadProperty(QStringLiteral("BackColor")));
    const std::optional<OleColor> foreColor = savedColour(bag.ReadProperty(QStringLiteral("ForeColor")));
    if (backColor || foreColor) {
        QPalette palette = widget->palette();
        if (backColor) {
            const QColor colour = resolveColour(*backColor, palette);
            palette.setColor(QPalette::Window, colour);
            palette.setColor(QPalette::Base, colour);
            palette.setColor(QPalette::Button, colour);
            widget->setAutoFillBackground(true);
        }
        if (foreColor) {
            const QColor colour = resolveColour(*foreColor, palette);
            palette.setColor(QPalette::WindowText, colour);
            palette.setColor(QPalette::Text, colour);
            palette.setColor(QPalette::ButtonText, colour);
        }
        widget->setPalette(palette);
    }
    if (const std::optional<QString> toolTip = savedText(bag.ReadProperty(QStringLiteral("ToolTipText"))))
        widget->setToolTip(*toolTip);
    if (const std::optional<std::int16_t> enabled = savedBoolean(bag.ReadProperty(QStringLiteral("Enabled"))))
        widget->setEnabled(*enabled != False);
    if (const std::optional<std::int16_t> visible = savedBoolean(bag.ReadProperty(QStringLiteral("Visible")));
        visible && *visible == False)
        widget->hide();
}

void applyTimerProperties(QTimer &timer, const FormObject &block)
{
    const PropertyBag &bag = block.properties;
    // A timer's interval defaults to 0, which never ticks; it is enabled unless saved otherwise.
    timer.setInterval(savedLong(bag.ReadProperty(QStringLiteral("Interval"), 0)).value_or(0));
    const bool enabled = savedBoolean(bag.ReadProperty(QStringLiteral("Enabled"), true)).value_or(True) != False;
    if (enabled && timer.interval() > 0)
        timer.start();
    else
        timer.stop();
}

QMenu *menuFrom(const FormObject &form, const QString &menuName, QWidget *parent)
{
    const auto captionOf = [](const FormObject &block) {
        return savedText(block.properties.ReadProperty(QStringLiteral("Caption"))).value_or(QString());
    };
    const FormObject &block = controlBlock(form, menuName);
    auto *menu = new QMenu(captionOf(block), parent);
    menu->setObjectName(menuName);
    for (const FormObject &item : block.children) {
        const QString caption = captionOf(item);
        QAction *action = caption == u"-" ? menu->addSeparator() : menu->addAction(caption);
        action->setObjectName(item.name);
        const std::optional<std::int16_t> visible
            = savedBoolean(item.properties.ReadProperty(QStringLiteral("Visible")));
        action->setVisible(visible.value_or(True) != False);
    }
    return menu;
}

const FormObject &controlBlock(const FormObject &form, const QString &controlName)
{
    static const FormObject empty;
    const FormObject *block = form.child(controlName);
    return block ? *block : empty;
}

QString FaceBuilder::text(const QString &control, const QString &property) const
{
    return block(control).properties.ReadProperty(property).toString();
}

QTimer *FaceBuilder::timer(const QString &name, QObject *parent) const
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(name);
    applyTimerProperties(*timer, block(name));
    return timer;
}

void FaceBuilder::applyWindowProperties(QWidget *window) const
{
    const PropertyBag &bag = m_form.properties;
    window->setWindowTitle(bag.ReadProperty(QStringLiteral("Caption")).toString());
    const QVariant font = bag.ReadProperty(QStringLiteral("Font"));
    if (font.canConvert<QFont>())
        window->setFont(font.value<QFont>());
}

QSize FaceBuilder::clientSize(double defaultWidthTwips, double defaultHeightTwips) const
{
    const PropertyBag &bag = m_form.properties;
    const auto twips = [&bag](const char *key, double fallback) {
        return savedNumber(bag.ReadProperty(QLatin1String(key), fallback)).value_or(fallback);
    };
    return {Units::twipsToPixelsX(twips("ClientWidth", defaultWidthTwips)),
            Units::twipsToPixelsY(twips("ClientHeight", defaultHeightTwips))};
}

} // namespace runtime
