#include "PlaylistFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <map>

namespace playlist {

namespace {

// Far beyond any real playlist; keeps a mistaken multi-gigabyte file from
// being read into memory.
constexpr qint64 MaxPlaylistBytes = 64 * 1024 * 1024;

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString withoutTrailingSpaces(QStringView line)
{
    qsizetype end = line.size();
    while (end > 0 && line[end - 1] == u' ')
        --end;
    return line.first(end).toString();
}

QStringList plainEntries(QStringView text)
{
    QStringList entries;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r')
            continue;
        entries.append(withoutTrailingSpaces(text.sliced(start, i - start)));
        if (i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        entries.append(withoutTrailingSpaces(text.sliced(start)));
    return entries;
}

// INI files end their lines any way their writer liked.
QList<QStringView> iniLines(QStringView text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.sliced(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    lines.append(text.sliced(start));
    return lines;
}

bool isIniSection(QStringView line)
{
    return line.startsWith(u'[') && line.endsWith(u']');
}

bool isIniPlaylist(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start].isSpace())
        ++start;
    qsizetype end = start;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
        ++end;
    return text.sliced(start, end - start).trimmed().compare(u"[playlist]", Qt::CaseInsensitive) == 0;
}

QStringList iniEntries(QStringView text)
{
    std::map<qulonglong, QString> files;
    bool inPlaylistSection = false;
    for (QStringView line : iniLines(text)) {
        line = line.trimmed();
        if (isIniSection(line)) {
            inPlaylistSection = line.compare(u"[playlist]", Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inPlaylistSection || eq < 0)
            continue;
        const QStringView key = line.first(eq).trimmed();
        if (!key.startsWith(u"file", Qt::CaseInsensitive))
            continue;
        bool isNumber = false;
        const qulonglong n = key.sliced(4).toULongLong(&isNumber);
        if (isNumber && n > 0)
            files[n] = line.sliced(eq + 1).trimmed().toString();
    }
    QStringList entries;
    entries.reserve(qsizetype(files.size()));
    for (const auto &[n, file] : files)
        entries.append(file);
    return entries;
}

// Text with a stray control byte or an odd byte that is not in the 8-bit
// encoding is still a playlist; a file made largely of them is not.
bool looksBinary(const QByteArray &bytes, QStringView text)
{
    qsizetype odd = text.count(QChar::ReplacementCharacter);
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7f)
            ++odd;
    }
    return odd * 4 > bytes.size();
}

PlaylistReadResult readFailure(const QString &path, const QString &reason)
{
    return {false, {}, QStringLiteral("Cannot read the playlist \"%1\": %2.").arg(nativePath(path), reason)};
}

bool endsWithAny(const QString &path, std::initializer_list<QStringView> endings)
{
    for (QStringView ending : endings) {
        if (path.endsWith(ending, Qt::CaseSensitive))
            return true;
    }
    return false;
}

QStringList parseText(QStringView text)
{
    // An editor's byte order mark is not part of the first path.
    if (text.startsWith(QChar::ByteOrderMark))
        text = text.sliced(1);
    return isIniPlaylist(text) ? iniEntries(text) : plainEntries(text);
}

} // namespace

QStringList parsePlaylist(const QByteArray &bytes)
{
    return parseText(QString::fromLocal8Bit(bytes));
}

PlaylistReadResult readPlaylist(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return readFailure(path, QStringLiteral("the file does not exist"));
    if (info.isDir())
        return readFailure(path, QStringLiteral("it is a folder"));
    // A pipe or a device would block or never end.
    if (!info.isFile())
        return readFailure(path, QStringLiteral("it is not a regular file"));
    if (info.size() > MaxPlaylistBytes)
        return readFailure(path, QStringLiteral("the file is too large for a playlist (%1 bytes)").arg(info.size()));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return readFailure(path, file.errorString());
    const QByteArray bytes = file.read(MaxPlaylistBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return readFailure(path, file.errorString());
    if (bytes.size() > MaxPlaylistBytes)
        return readFailure(path, QStringLiteral("the file is too large for a playlist"));
    const QString text = QString::fromLocal8Bit(bytes);
    if (looksBinary(bytes, text))
        return readFailure(path, QStringLiteral("it is not a text file"));
    return {true, parseText(text), {}};
}

bool writePlaylist(const QString &path, const QStringList &entries, QString *error)
{
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = QStringLiteral("Cannot write the playlist \"%1\": %2.").arg(nativePath(path), reason);
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("no file name is given"));
    if (QFileInfo(path).isDir())
        return fail(QStringLiteral("it is a folder"));

    QByteArray bytes;
    for (const QString &entry : entries) {
        bytes += entry.toLocal8Bit();
        bytes += "\r\n";
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

bool isPlaylistName(const QString &path)
{
    return endsWithAny(path, {u".pls", u".PLS", u"pls\"", u"PLS\""});
}

bool isBrowserPlaylistName(const QString &path)
{
    return endsWithAny(path, {u"pls", u"PLS"});
}

bool isAddAllPlaylistName(const QString &path)
{
    return path.endsWith(u"pls", Qt::CaseSensitive);
}

bool isBrowserMediaName(const QString &path)
{
    return endsWithAny(path,
                       {u".AVI", u".ASF", u".MPG", u".MPE", u".WMV", u".DIVX", u".DAT", u".MPEG", u".avi", u".asf",
                        u".mpg", u".mpe", u".wmv", u".divx", u".dat", u".mpeg"});
}

} // namespace playlist
