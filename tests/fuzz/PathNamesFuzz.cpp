// SPDX-License-Identifier: GPL-3.0-or-later
// The path helpers and the playlist-name tests on any text: the first line is
// a folder (and a path), the rest a name.

#include "FuzzSupport.h"
#include "playlist/PlaylistFile.h"
#include "runtime/PathNames.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

using runtime::FileNameOnly;
using runtime::isPathSeparator;

namespace {

bool holdsSeparator(QStringView text)
{
    for (const QChar c : text) {
        if (isPathSeparator(c))
            return true;
    }
    return false;
}

// The text after the last separator that stands before the final character.
void checkFileNameOnly(const QString &path)
{
    const QString name = FileNameOnly(path);
    FUZZ_CHECK(path.endsWith(name), path + QStringLiteral(" -> ") + name);
    FUZZ_CHECK(name.isEmpty() == path.isEmpty(), path);
    FUZZ_CHECK(name.isEmpty() || !holdsSeparator(QStringView(name).chopped(1)), path + QStringLiteral(" -> ") + name);
    const qsizetype start = path.size() - name.size();
    FUZZ_CHECK(start == 0 || isPathSeparator(path[start - 1]), path + QStringLiteral(" -> ") + name);
}

void checkJoinPath(const QString &folder, const QString &name)
{
    const QString joined = runtime::joinPath(folder, name);
    FUZZ_CHECK(joined.startsWith(folder) && joined.endsWith(name), joined);
    const bool endsInSeparator = !folder.isEmpty() && isPathSeparator(folder.back());
    FUZZ_CHECK(joined.size() == folder.size() + name.size() + (endsInSeparator ? 0 : 1), joined);
    FUZZ_CHECK(isPathSeparator(joined[endsInSeparator ? folder.size() - 1 : folder.size()]), joined);
    if (!name.isEmpty() && !holdsSeparator(name))
        FUZZ_CHECK(FileNameOnly(joined) == name, joined);
}

bool isMediaExtension(const QString &extension)
{
    static const QStringList extensions
        = {QStringLiteral("avi"), QStringLiteral("asf"),  QStringLiteral("mpg"), QStringLiteral("mpe"),
           QStringLiteral("wmv"), QStringLiteral("divx"), QStringLiteral("dat"), QStringLiteral("mpeg")};
    for (const QString &known : extensions) {
        if (extension == known || extension == known.toUpper())
            return true;
    }
    return false;
}

// Each test looks only at the end of the text, with exactly the case it names.
void checkNameTests(const QString &path)
{
    using namespace playlist;
    const QString end = path.right(5); // the longest ending a test looks for
    FUZZ_CHECK(isPlaylistName(path) == isPlaylistName(end), path);
    FUZZ_CHECK(isBrowserPlaylistName(path) == isBrowserPlaylistName(end), path);
    FUZZ_CHECK(isAddAllPlaylistName(path) == isAddAllPlaylistName(end), path);
    FUZZ_CHECK(isBrowserMediaName(path) == isBrowserMediaName(end), path);

    FUZZ_CHECK(isAddAllPlaylistName(path) == path.endsWith(QStringLiteral("pls")), path);
    FUZZ_CHECK(isBrowserPlaylistName(path)
                   == (path.endsWith(QStringLiteral("pls")) || path.endsWith(QStringLiteral("PLS"))),
               path);
    // The command line's test: a playlist extension, or a playlist name closed by a quote.
    FUZZ_CHECK(isPlaylistName(path + u'"') == isBrowserPlaylistName(path), path);
    if (!path.endsWith(u'"'))
        FUZZ_CHECK(isPlaylistName(path) == (isBrowserPlaylistName(path) && path.chopped(3).endsWith(u'.')), path);

    const qsizetype dot = path.lastIndexOf(u'.');
    FUZZ_CHECK(isBrowserMediaName(path) == (dot >= 0 && isMediaExtension(path.mid(dot + 1))), path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype lineEnd = text.indexOf(u'\n');
    const QString folder = lineEnd < 0 ? text : text.first(lineEnd);
    const QString name = lineEnd < 0 ? QString() : text.sliced(lineEnd + 1);

    for (const QString &path : {text, folder, name}) {
        checkFileNameOnly(path);
        checkNameTests(path);
    }
    checkJoinPath(folder, name);
    return 0;
}
