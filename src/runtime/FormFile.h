// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PropertyBag.h"

#include <QList>
#include <QString>

#include <optional>

// The saved form files that give a window its face. A form file is text:
//
//   ' a comment
//   Begin Form Form1
//      BackColor = &H00808080&
//      Font = Font("MS Sans Serif", 8.25)
//      Begin Label Label1
//         Caption = "KAVEL Player"
//      End
//   End
//
// Values: "text" (a doubled quote stands for one), integers (decimal or
// &H hexadecimal, an optional trailing &), decimals, True and False,
// Font("family", points[, Bold][, Italic][, Underline][, Strikeout]), and
// Picture("file") naming an image beside the form file (Picture() is an
// empty picture object).

namespace runtime {

struct FormObject {
    QString className;
    QString name;
    PropertyBag properties;
    QList<FormObject> children;
    int line = 0; // where it begins, for messages

    const FormObject *child(const QString &childName) const;
};

class FormFile
{
public:
    // Reads a form file; on failure returns nothing and sets *error to a
    // message naming the file and the line.
    static std::optional<FormObject> read(const QString &path, QString *error);
    static std::optional<FormObject> parse(const QString &text, const QString &baseDir, const QString &fileName,
                                           QString *error);

    // Writes a form; pictures are saved as PNG files beside it. Returns false
    // and sets *error when the file cannot be written.
    static bool write(const QString &path, const FormObject &form, QString *error);
    static QString serialise(const FormObject &form, const QString &baseDir, QString *error);
};

} // namespace runtime
