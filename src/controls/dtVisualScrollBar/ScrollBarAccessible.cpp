// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScrollBarAccessible.h"

#include "dtVisualScrollBar.h"

namespace {

QAccessibleInterface *createInterface(const QString &, QObject *object)
{
    if (auto *bar = qobject_cast<dtVisualScrollBar *>(object))
        return new ScrollBarAccessible(bar);
    return nullptr;
}

} // namespace

ScrollBarAccessible::ScrollBarAccessible(dtVisualScrollBar *bar)
    : QAccessibleWidget(bar, QAccessible::ScrollBar)
{
}

void ScrollBarAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(createInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

dtVisualScrollBar *ScrollBarAccessible::bar() const
{
    return static_cast<dtVisualScrollBar *>(widget());
}

QString ScrollBarAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && bar()->accessibleName().isEmpty())
        return bar()->toolTip();
    return QAccessibleWidget::text(t);
}

int ScrollBarAccessible::childCount() const
{
    return 0;
}

QAccessibleInterface *ScrollBarAccessible::child(int) const
{
    return nullptr;
}

int ScrollBarAccessible::indexOfChild(const QAccessibleInterface *) const
{
    return -1;
}

void *ScrollBarAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QVariant ScrollBarAccessible::currentValue() const
{
    return bar()->Value();
}

void ScrollBarAccessible::setCurrentValue(const QVariant &value)
{
    bool ok = false;
    const qint64 v = value.toLongLong(&ok);
    if (ok)
        bar()->scrollTo(v);
}

QVariant ScrollBarAccessible::maximumValue() const
{
    return bar()->Max();
}

QVariant ScrollBarAccessible::minimumValue() const
{
    return bar()->Min();
}

QVariant ScrollBarAccessible::minimumStepSize() const
{
    return bar()->SmallChange();
}
