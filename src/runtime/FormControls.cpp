#include "FormControls.h"

#include "Colour.h"
#include "Units.h"

#include <QFile>
#include <QFont>
#include <QStandardPaths>
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
    const QVariant left = bag.ReadProperty(QStringLiteral("Left"));
    const QVariant top = bag.ReadProperty(QStringLiteral("Top"));
    if (left.isValid() || top.isValid()) {
        widget->move(left.isValid() ? Units::twipsToPixelsX(left.toDouble()) : widget->x(),
                     top.isValid() ? Units::twipsToPixelsY(top.toDouble()) : widget->y());
    }
    const QVariant width = bag.ReadProperty(QStringLiteral("Width"));
    const QVariant height = bag.ReadProperty(QStringLiteral("Height"));
    if (width.isValid() || height.isValid()) {
        widget->resize(width.isValid() ? Units::twipsToPixelsX(width.toDouble()) : widget->width(),
                       height.isValid() ? Units::twipsToPixelsY(height.toDouble()) : widget->height());
    }
    const QVariant font = bag.ReadProperty(QStringLiteral("Font"));
    if (font.canConvert<QFont>())
        widget->setFont(font.value<QFont>());
    const QVariant backColor = bag.ReadProperty(QStringLiteral("BackColor"));
    const QVariant foreColor = bag.ReadProperty(QStringLiteral("ForeColor"));
    if (backColor.isValid() || foreColor.isValid()) {
        QPalette palette = widget->palette();
        if (backColor.isValid()) {
            const QColor colour = resolveColour(static_cast<OleColor>(backColor.toLongLong()), palette);
            palette.setColor(QPalette::Window, colour);
            palette.setColor(QPalette::Base, colour);
            palette.setColor(QPalette::Button, colour);
            widget->setAutoFillBackground(true);
        }
        if (foreColor.isValid()) {
            const QColor colour = resolveColour(static_cast<OleColor>(foreColor.toLongLong()), palette);
            palette.setColor(QPalette::WindowText, colour);
            palette.setColor(QPalette::Text, colour);
            palette.setColor(QPalette::ButtonText, colour);
        }
        widget->setPalette(palette);
    }
    const QVariant toolTip = bag.ReadProperty(QStringLiteral("ToolTipText"));
    if (toolTip.isValid())
        widget->setToolTip(toolTip.toString());
    const QVariant enabled = bag.ReadProperty(QStringLiteral("Enabled"));
    if (enabled.isValid())
        widget->setEnabled(enabled.toBool());
    const QVariant visible = bag.ReadProperty(QStringLiteral("Visible"));
    if (visible.isValid() && !visible.toBool())
        widget->hide();
}

const FormObject &controlBlock(const FormObject &form, const QString &controlName)
{
    static const FormObject empty;
    const FormObject *block = form.child(controlName);
    return block ? *block : empty;
}

} // namespace runtime
