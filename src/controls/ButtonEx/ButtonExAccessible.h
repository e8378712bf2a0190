// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class ButtonEx;

// What assistive technology sees of a ButtonEx: a push button named by its
// container tool tip (or its caption as shown) that can be pressed.

class ButtonExAccessible : public QAccessibleWidget
{
public:
    explicit ButtonExAccessible(QWidget *widget);

    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

    // Makes Qt's accessibility use this class for every ButtonEx; safe to call often.
    static void install();

private:
    ButtonEx *button() const;
};
