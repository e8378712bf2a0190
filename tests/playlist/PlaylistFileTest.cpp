#include "PlaylistFile.h"
#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

TEST(PlaylistFileTest, LongLinesAndNulBytesKeepTheFollowingEntries)
{
    QByteArray bytes;
    const QByteArray longLine(10000, 'x');
    bytes += longLine + "\r\n";
    bytes += QByteArray("with\0nul\0", 9) + "\r\n";
    bytes += "/after/them.avi\r\n";
    QTemporaryDir dir;
    const PlaylistReadResult result = readPlaylist(writeBytes(dir, "long.pls", bytes));
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    ASSERT_EQ(result.entries.size(), 3);
    EXPECT_EQ(result.entries[0].size(), 10000);
    EXPECT_EQ(result.entries[1].size(), 9);
    EXPECT_EQ(result.entries[2], "/after/them.avi");
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
