// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/PlaylistFile.h"
#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

#include <cerrno>
#include <cstring>
#include <memory>

#include <sys/mount.h>
#include <sys/stat.h>

using namespace playlist;

namespace {

QString writeBytes(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot prepare " << path.toStdString();
    return path;
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

struct ParseCase {
    const char *name;
    QByteArray bytes;
    QStringList entries;
};

} // namespace

TEST(PlaylistFileTest, ParsesLinesAsTheFormatSays)
{
    const QList<ParseCase> cases = {
        {"empty file", "", {}},
        {"CR LF after every line", "C:\\a.avi\r\nC:\\b.avi\r\n", {"C:\\a.avi", "C:\\b.avi"}},
        {"last line without terminator", "a\r\nb", {"a", "b"}},
        {"lone CR ends a line", "a\rb\r", {"a", "b"}},
        {"lone LF does not end a line", "a\nb\nc\n", {"a\nb\nc\n"}},
        {"CR CR LF is an empty line", "a\r\r\nb", {"a", "", "b"}},
        {"blank line is an empty entry", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"trailing spaces dropped", "/m/a.avi   \r\n", {"/m/a.avi"}},
        {"leading spaces and tabs kept", "  /m/a.avi\t\r\n", {"  /m/a.avi\t"}},
        {"line of spaces is empty", "   \r\n", {""}},
        {"byte order mark is not part of the path", "\xEF\xBB\xBF/m/a.avi\r\n", {"/m/a.avi"}},
        {"NUL stays inside its entry", QByteArray("a\0b\r\nc\r\n", 8), {QString("a") + QChar(0) + "b", "c"}},
        {"non-ASCII path", "/m/\xC3\xA9t\xC3\xA9.avi\r\n", {QString::fromUtf8("/m/\xC3\xA9t\xC3\xA9.avi")}},
        {"INI form in order of N",
         "[playlist]\nFile2=/b.avi\nTitle1=A\nfile1 = /a.avi\nNumberOfEntries=2\n",
         {"/a.avi", "/b.avi"}},
        {"INI form after blank lines, any case, CR LF",
         "\r\n  [PlayList]  \r\nFile1=/a.avi\r\nFile10=/j.avi\r\nFile9=/i.avi\r\n",
         {"/a.avi", "/i.avi", "/j.avi"}},
        {"INI keys of other sections ignored", "[playlist]\nFile1=/a.avi\n[other]\nFile2=/x.avi\n", {"/a.avi"}},
        {"INI keys that are not FileN ignored", "[playlist]\nFileX=/x\nFile0=/z\nFile1=/a\nVersion=2\n", {"/a"}},
        {"[playlist] not first is plain text",
         "/a.avi\r\n[playlist]\r\nFile1=/b.avi\r\n",
         {"/a.avi", "[playlist]", "File1=/b.avi"}},
    };
    for (const ParseCase &c : cases)
        EXPECT_EQ(parsePlaylist(c.bytes), c.entries) << c.name;
}

TEST(PlaylistFileTest, ReadsTextInTheEncodingItWasWrittenInAndRefusesWhatIsNotText)
{
    const struct {
        const char *name;
        QByteArray bytes;
        std::optional<QStringList> entries; // nothing: refused
    } cases[] = {
        {"UTF-8", "/m/\xC3\xA9t\xC3\xA9.avi\r\n", QStringList {QString::fromUtf8("/m/\xC3\xA9t\xC3\xA9.avi")}},
        {"Western code page", "C:\\Filme\\\xC9t\xE9 \x80.avi\r\n",
         QStringList {QString::fromUtf8("C:\\Filme\\\xC3\x89t\xC3\xA9 \xE2\x82\xAC.avi")}},
        {"Cyrillic code page", "C:\\\xD4\xE8\xEB\xFC\xEC.avi\r\n",
         QStringList {QString::fromUtf8("C:\\\xD0\xA4\xD0\xB8\xD0\xBB\xD1\x8C\xD0\xBC.avi")}},
        {"UTF-16 with its byte order mark", QByteArray("\xFF\xFE/\0a\0\r\0\n\0", 10), QStringList {"/a"}},
        {"a long line", QByteArray(10000, 'x') + "\r\n/b.avi", QStringList {QString(10000, u'x'), "/b.avi"}},
        {"an editor's end-of-file mark", "/a.avi\r\n\x1A", QStringList {"/a.avi"}},
        {"NUL bytes", QByteArray("/a\0.avi\r\n", 10), std::nullopt},
        {"control characters", "/a.avi\r\n\x1B[2J\r\n", std::nullopt},
    };
    QTemporaryDir dir;
    for (const auto &c : cases) {
        const PlaylistReadResult result = readPlaylist(writeBytes(dir, "list.pls", c.bytes));
        EXPECT_EQ(result.ok, c.entries.has_value()) << c.name << ": " << result.error.toStdString();
        EXPECT_EQ(result.entries, c.entries.value_or(QStringList())) << c.name;
    }
}

TEST(PlaylistFileTest, RelativeIniEntriesAreTakenFromThePlaylistsFolder)
{
    QTemporaryDir dir;
    const QString folder = QDir(dir.path()).filePath("lists");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString list = writeBytes(dir, "lists/films.pls",
                                    "[playlist]\nFile1=a.avi\nFile2=../b.avi\nFile3=/abs/c.avi\n"
                                    "File4=file:///abs/d%20e.avi\n");
    const PlaylistReadResult result = readPlaylist(list);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.entries,
              QStringList(
                  {QDir(folder).filePath("a.avi"), QDir(dir.path()).filePath("b.avi"), "/abs/c.avi", "/abs/d e.avi"}));
    // The plain form hands its lines over as written.
    EXPECT_EQ(readPlaylist(writeBytes(dir, "lists/plain.pls", "a.avi\r\n")).entries, QStringList {"a.avi"});
}

TEST(PlaylistFileTest, FileUrlsThatNameNoPathAListCanHoldStayAsWritten)
{
    const struct {
        const char *url;
        QString entry;
    } cases[] = {
        {"file:///abs/a%20b.avi", "/abs/a b.avi"},
        {"file:///abs/tab%09.avi", "/abs/tab\t.avi"},
        {"file:///abs/d%00e.avi", "file:///abs/d%00e.avi"}, // a NUL would cut the path short
        {"file:///abs/two%0D%0Alines.avi", "file:///abs/two%0D%0Alines.avi"}, // would be two entries once written
        {"file:///abs/d%10e.avi", "file:///abs/d%10e.avi"},
        {"file:///abs/del%7F.avi", "file:///abs/del%7F.avi"},
        {"file://[bad", "file://[bad"}, // no path at all
    };
    for (const auto &c : cases) {
        const QByteArray bytes = QByteArray("[playlist]\nFile1=") + c.url + "\n";
        EXPECT_EQ(parsePlaylist(bytes, "/lists"), QStringList {c.entry}) << c.url;
    }
}

TEST(PlaylistFileTest, WritesCrLfAfterEveryEntry)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Default.pls");
    QString error;
    ASSERT_TRUE(writePlaylist(path, {"/m/a.avi", "", "  /m/b.avi"}, &error)) << error.toStdString();
    EXPECT_EQ(readBytes(path), QByteArray("/m/a.avi\r\n\r\n  /m/b.avi\r\n"));

    ASSERT_TRUE(writePlaylist(path, {}, &error));
    EXPECT_EQ(QFileInfo(path).size(), 0) << "an empty list overwrites with an empty file";
}

TEST(PlaylistFileTest, WrittenAndReadBackGivesTheSameEntriesButTrailingSpaces)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("round.pls");
    const QStringList entries = {QString::fromUtf8("/m/\xC3\xA9t\xC3\xA9 \xE6\x98\xA0\xE7\x94\xBB.avi"),
                                 "C:\\Movies\\b.mpg", "", "\tx", "ends in spaces   "};
    QString error;
    ASSERT_TRUE(writePlaylist(path, entries, &error)) << error.toStdString();
    const QByteArray written = readBytes(path);
    EXPECT_TRUE(written.startsWith("/m/\xC3\xA9t\xC3\xA9 \xE6\x98\xA0\xE7\x94\xBB.avi\r\n"))
        << "bytes of the path unchanged";

    const PlaylistReadResult result = readPlaylist(path);
    ASSERT_TRUE(result.ok);
    QStringList expected = entries;
    expected.last() = "ends in spaces";
    EXPECT_EQ(result.entries, expected);

    ASSERT_TRUE(writePlaylist(path, result.entries, &error));
    const PlaylistReadResult again = readPlaylist(path);
    EXPECT_EQ(again.entries, expected);
    EXPECT_EQ(readBytes(path), QByteArray(written).replace("spaces   ", "spaces")) << "byte for byte";
}

TEST(PlaylistFileTest, ReadsLargePlaylists)
{
    QStringList entries;
    for (int i = 0; i < 100000; ++i)
        entries.append(QStringLiteral("/media/films/film %1.avi").arg(i));
    QTemporaryDir dir;
    const QString path = dir.filePath("big.pls");
    ASSERT_TRUE(writePlaylist(path, entries, nullptr));
    const PlaylistReadResult result = readPlaylist(path);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.entries, entries);
}

TEST(PlaylistFileTest, ReportsFilesThatCannotBeReadWithoutEntries)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("folder.pls");
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += char((i * 7919 + 13) % 256);
    const QString binary = writeBytes(dir, "binary.pls", garbage);
    const QString fifo = dir.filePath("pipe.pls");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString huge = dir.filePath("huge.pls");
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(qint64(65) * 1024 * 1024)); // sparse: no disk used
    }

    const struct {
        QString path;
        const char *reason;
    } cases[] = {
        {dir.filePath("missing.pls"), "does not exist"},
        {dir.filePath("folder.pls"), "folder"},
        {binary, "not a text file"},
        {fifo, "not a regular file"},
        {huge, "too large"},
    };
    for (const auto &c : cases) {
        const PlaylistReadResult result = readPlaylist(c.path);
        EXPECT_FALSE(result.ok) << c.path.toStdString();
        EXPECT_TRUE(result.entries.isEmpty()) << c.path.toStdString();
        EXPECT_TRUE(result.error.contains(c.path)) << result.error.toStdString();
        EXPECT_TRUE(result.error.contains(c.reason)) << result.error.toStdString();
    }
}

TEST(PlaylistFileTest, WriteFailureNamesThePathAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString notAFolder = writeBytes(dir, "plain.txt", "x");
    const QString intoFile = notAFolder + "/Default.pls";
    const QString intoMissing = dir.filePath("missing/Default.pls");
    QDir(dir.path()).mkdir("target.pls");
    for (const QString &path : {intoFile, intoMissing, dir.filePath("target.pls"), QString()}) {
        QString error;
        EXPECT_FALSE(writePlaylist(path, {"/a.avi"}, &error)) << path.toStdString();
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(path))) << error.toStdString();
        EXPECT_FALSE(error.endsWith(": .")) << "the reason is given";
    }
    EXPECT_EQ(readBytes(notAFolder), "x");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList {"plain.txt"}) << "no temporary file left behind";
}

TEST(PlaylistFileTest, AFullDiskLeavesTheOldListWhole)
{
    QTemporaryDir dir;
    // A disk of 64 KiB that the new list does not fit on.
    if (::mount("tmpfs", QFile::encodeName(dir.path()).constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no small file system can be mounted here: " << std::strerror(errno);
    const std::unique_ptr<QTemporaryDir, void (*)(QTemporaryDir *)> unmount(
        &dir, [](QTemporaryDir *mounted) { ::umount2(QFile::encodeName(mounted->path()).constData(), MNT_DETACH); });
    const QString path = dir.filePath("Default.pls");
    QString error;
    ASSERT_TRUE(writePlaylist(path, {"/m/a.avi", "/m/b.avi"}, &error)) << error.toStdString();
    const QByteArray old = readBytes(path);

    const QStringList many(2000, QStringLiteral("/media/films/") + QString(100, u'x') + QStringLiteral(".avi"));
    EXPECT_FALSE(writePlaylist(path, many, &error));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_EQ(readBytes(path), old) << "the old list is whole";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList {"Default.pls"}) << "nothing half written is left";
}

TEST(PlaylistFileTest, NameTestsLookAtTheEndWithExactCase)
{
    const struct {
        const char *path;
        bool commandLine, browserPlaylist, addAllPlaylist, browserMedia;
    } cases[] = {
        {"/m/list.pls", true, true, true, false},
        {"/m/LIST.PLS", true, true, false, false},
        {"/m/list.Pls", false, false, false, false},
        {"/m/list.pLS", false, false, false, false},
        {"\"/m/list.pls\"", true, false, false, false},
        {"\"/m/list.PLS\"", true, false, false, false},
        {"/m/listpls", false, true, true, false},
        {"/m/a.avi", false, false, false, true},
        {"/m/a.AVI", false, false, false, true},
        {"/m/a.Avi", false, false, false, false},
        {"/m/a.ASF", false, false, false, true},
        {"/m/a.mpg", false, false, false, true},
        {"/m/a.MPE", false, false, false, true},
        {"/m/a.mpeg", false, false, false, true},
        {"/m/a.MPEG", false, false, false, true},
        {"/m/a.Mpeg", false, false, false, false},
        {"/m/a.wmv", false, false, false, true},
        {"/m/a.divx", false, false, false, true},
        {"/m/a.DIVX", false, false, false, true},
        {"/m/a.DivX", false, false, false, false},
        {"/m/a.dat", false, false, false, true},
        {"/m/a.DAT", false, false, false, true},
        {"/m/a.mp4", false, false, false, false},
        {"pls", false, true, true, false},
        {"", false, false, false, false},
    };
    for (const auto &c : cases) {
        const QString path = QString::fromUtf8(c.path);
        EXPECT_EQ(isPlaylistName(path), c.commandLine) << c.path;
        EXPECT_EQ(isBrowserPlaylistName(path), c.browserPlaylist) << c.path;
        EXPECT_EQ(isAddAllPlaylistName(path), c.addAllPlaylist) << c.path;
        EXPECT_EQ(isBrowserMediaName(path), c.browserMedia) << c.path;
    }
}
