// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>

#include <cstdint>

#include <sys/stat.h>

// Media a user downloads and should never have: damaged, deceptive and odd
// files under the names the Open dialog lists, made from good clips into a
// folder. The same every time.

namespace hostile {

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QString write(const QDir &folder, const QString &name, const QByteArray &bytes)
{
    QFile file(folder.filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return file.fileName();
}

inline void putLong(QByteArray &bytes, qsizetype at, std::uint32_t value)
{
    if (at < 0 || at + 4 > bytes.size())
        return;
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

inline QByteArray noise(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

// The AVI's own claims about its frame, rewritten: its main header (width,
// height, time per frame) and its video stream's picture format.
inline QByteArray withAviClaims(QByteArray avi, std::uint32_t side, std::uint32_t microsecondsPerFrame)
{
    const qsizetype header = avi.indexOf("avih") + 8;
    putLong(avi, header, microsecondsPerFrame);
    putLong(avi, header + 32, side);
    putLong(avi, header + 36, side);
    const qsizetype format = avi.indexOf("strf", avi.indexOf("vids")) + 8;
    putLong(avi, format + 4, side);
    putLong(avi, format + 8, side);
    return avi;
}

// Makes the files in folder and returns their paths, one per case.
inline QStringList make(const QString &folderPath, const QString &clipAvi, const QString &clipMpg,
                        const QString &audioOnly, const QString &videoOnly)
{
    const QDir folder(folderPath);
    const QByteArray avi = readAll(clipAvi);
    QStringList made;
    for (int percent : {10, 50, 90})
        made += write(folder, QStringLiteral("cut at %1 percent.avi").arg(percent),
                      avi.left(avi.size() * percent / 100));
    const QByteArray mpg = readAll(clipMpg);
    made += write(folder, QStringLiteral("cut in half.mpg"), mpg.left(mpg.size() / 2));
    made += write(folder, QStringLiteral("empty.wmv"), {});
    quint32 seed = 1;
    for (const char *extension : {"avi", "asf", "mpg", "mpeg", "wmv", "divx", "dat"})
        made += write(folder, QStringLiteral("noise.%1").arg(QLatin1String(extension)), noise(64 * 1024, seed++));
    made += write(folder, QStringLiteral("noise after the header.avi"), avi.left(4096) + noise(256 * 1024, 99));
    made += write(folder, QStringLiteral("60000 square.avi"), withAviClaims(avi, 60000, 66666));
    made += write(folder, QStringLiteral("years long.avi"), withAviClaims(avi, 320, 0xFFFFFFFF));
    made += audioOnly;
    made += videoOnly;
    made += write(folder, QStringLiteral("unreadable.avi"), avi);
    ::chmod(QFile::encodeName(made.last()).constData(), 0);
    made += folder.filePath(QStringLiteral("pipe.avi"));
    ::mkfifo(QFile::encodeName(made.last()).constData(), 0600);
    made += folder.filePath(QStringLiteral("zero.avi"));
    QFile::link(QStringLiteral("/dev/zero"), made.last());
    made += folder.filePath(QStringLiteral("folder.avi"));
    folder.mkdir(QStringLiteral("folder.avi"));
    for (const QString &name : {QStringLiteral("with spaces.avi"), QStringLiteral("with \"quotes\".avi"),
                                QStringLiteral("-leading-dash.avi"), QStringLiteral("ñandú €.avi")})
        made += write(folder, name, avi);
    return made;
}

} // namespace hostile
