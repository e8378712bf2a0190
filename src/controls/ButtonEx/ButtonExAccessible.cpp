// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonExAccessible.h"

#include "ButtonEx.h"

namespace {

QAccessibleInterface *createInterface(const QString &className, QObject *object)
{
    if (className == QLatin1StringView(ButtonEx::staticMetaObject.className()) && object && object->isWidgetType())
        return new ButtonExAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

ButtonExAccessible::ButtonExAccessible(QWidget *widget)
    : QAccessibleWidget(widget, QAccessible::Button)
{
}

ButtonEx *ButtonExAccessible::button() const
{
    return static_cast<ButtonEx *>(widget());
}

QString ButtonExAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return button()->accessibleButtonName();
    return QAccessibleWidget::text(t);
}

QStringList ButtonExAccessible::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    if (widget()->isEnabled())
        names.prepend(pressAction());
    return names;
}

void ButtonExAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        button()->accessiblePress();
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList ButtonExAccessible::keyBindingsForAction(const QString &actionName) const
{
    if (actionName == pressAction() && !button()->accessKeys().isEmpty())
        return {QStringLiteral("Alt+") + button()->accessKeys().toUpper()};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

void ButtonExAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&createInterface);
        return true;
    }();
    Q_UNUSED(installed);
}
