// SPDX-License-Identifier: GPL-3.0-or-later
// The file dialogs' Filter on any text: it reads back as set but for trailing
// bars, and lists one "Description (patterns)" entry per pair that has a pattern.

#include "FuzzSupport.h"
#include "dialogs/CommonDialog.h"

#include <cstddef>
#include <cstdint>

namespace {

// The stored form separates with NULs, so a NUL that was set reads back as a bar.
QString readBackOf(const QString &filter)
{
    QString expected = QString(filter).replace(QChar(u'\0'), u'|');
    while (expected.endsWith(u'|'))
        expected.chop(1);
    return expected;
}

// What the dialog lists for the filter that reads back: description and
// pattern list alternate, the first empty text ends the list, a pair without
// a pattern lists nothing, and "*.*" is every file.
QStringList listedFor(const QString &readBack)
{
    const QStringList parts = readBack.split(u'|');
    QStringList listed;
    for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty() && !parts[i + 1].isEmpty(); i += 2) {
        QStringList patterns;
        for (const QString &pattern : parts[i + 1].split(u';')) {
            if (!pattern.trimmed().isEmpty())
                patterns.append(pattern.trimmed() == QStringLiteral("*.*") ? QStringLiteral("*") : pattern.trimmed());
        }
        if (!patterns.isEmpty())
            listed.append(parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return listed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString filter = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    CommonDialog dialog;
    dialog.setFilter(filter);
    FUZZ_CHECK(dialog.Filter() == readBackOf(filter), dialog.Filter());
    const QStringList listed = dialog.nameFilters();
    FUZZ_CHECK(listed == listedFor(dialog.Filter()), listed.join(u'\n'));

    // What reads back sets the same filter again.
    CommonDialog again;
    again.setFilter(dialog.Filter());
    FUZZ_CHECK(again.Filter() == dialog.Filter() && again.nameFilters() == listed, again.Filter());
    return 0;
}
