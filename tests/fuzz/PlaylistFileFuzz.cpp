// SPDX-License-Identifier: GPL-3.0-or-later
// The playlist reader on any file, in either form: it refuses what is not
// text or hands over entries a player can open, and a list it writes reads
// back as it was but for trailing spaces.

#include "FuzzSupport.h"
#include "playlist/PlaylistFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

using namespace playlist;

namespace {

struct Scratch {
    QTemporaryDir dir {fuzz::scratchTemplate()};
    QString listPath = dir.filePath(QStringLiteral("fuzz.pls"));
    QString writtenPath = dir.filePath(QStringLiteral("written.pls"));
};

const Scratch &scratch()
{
    static const Scratch s;
    return s;
}

// What the reader lets through of a line: the tab, and the LF and form feed
// that do not end one; no other control character.
bool isPathText(const QString &entry)
{
    for (const QChar c : entry) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t' && u != u'\n' && u != u'\f') || u == 0x7F || u == u'\r')
            return false;
    }
    return true;
}

// An entry the plain form can hold: one line of text in the system's 8-bit
// encoding.
bool isWritable(const QString &entry)
{
    return isPathText(entry) && QString::fromLocal8Bit(entry.toLocal8Bit()) == entry;
}

QString withoutTrailingSpaces(QString entry)
{
    while (entry.endsWith(u' '))
        entry.chop(1);
    return entry;
}

QString shown(const QStringList &entries)
{
    return u'[' + entries.join(QStringLiteral("] [")) + u']';
}

void checkWrittenListReadsBack(const QStringList &entries)
{
    QStringList writable;
    for (const QString &entry : entries) {
        if (isWritable(entry))
            writable.append(entry);
    }
    // A list naming the INI form's section reads as that form, and a file never
    // starts with a byte order mark that belongs to a path.
    if (writable.join(u'\n').contains(QStringLiteral("[playlist]"), Qt::CaseInsensitive)
        || (!writable.isEmpty() && writable.first().startsWith(QChar::ByteOrderMark)))
        return;

    QString error;
    FUZZ_CHECK(writePlaylist(scratch().writtenPath, writable, &error), error);
    const PlaylistReadResult back = readPlaylist(scratch().writtenPath);
    FUZZ_CHECK(back.ok, back.error);
    QStringList expected;
    for (const QString &entry : writable)
        expected.append(withoutTrailingSpaces(entry));
    FUZZ_CHECK(back.entries == expected, shown(back.entries) + QStringLiteral(" != ") + shown(expected));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::silenceQtMessages();
    FUZZ_CHECK(scratch().dir.isValid(), scratch().dir.errorString());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile file(scratch().listPath);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
                   file.errorString());
    }

    const PlaylistReadResult result = readPlaylist(scratch().listPath);
    if (!result.ok) {
        FUZZ_CHECK(result.entries.isEmpty(), shown(result.entries));
        FUZZ_CHECK(result.error.contains(QDir::toNativeSeparators(scratch().listPath)), result.error);
        checkWrittenListReadsBack(parsePlaylist(bytes));
        return 0;
    }
    FUZZ_CHECK(result.entries == parsePlaylist(bytes, QFileInfo(scratch().listPath).absolutePath()),
               shown(result.entries));
    for (const QString &entry : result.entries)
        FUZZ_CHECK(isPathText(entry), entry);
    checkWrittenListReadsBack(result.entries);
    return 0;
}
