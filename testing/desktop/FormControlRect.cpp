// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormControlRect.h"

#include "runtime/FormControls.h"
#include "runtime/FormFile.h"

#include <QDir>
#include <QWidget>

namespace desktop {

QRect formControlRect(const QString &control, const QString &formName)
{
    const QString path = QDir(QStringLiteral(KAVEL_FORMS_DIR)).filePath(formName + QStringLiteral(".frm"));
    QString error;
    const std::optional<runtime::FormObject> form = runtime::FormFile::read(path, &error);
    if (!form)
        qFatal("%s", qPrintable(error));
    if (!form->child(control))
        qFatal("%s has no control %s", qPrintable(path), qPrintable(control));
    QWidget face;
    return runtime::FaceBuilder(*form).place(new QWidget(&face), control)->geometry();
}

} // namespace desktop
