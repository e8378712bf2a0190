// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlayerProcess.h"

#include <QDirIterator>

// The player keeps no settings: a run leaves nothing behind in the user's home
// but what the graphics driver may cache.

namespace {

// Every file and folder under the folder, by its path there.
QStringList everythingIn(const QString &folder)
{
    QStringList paths;
    QDirIterator entries(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext())
        paths.append(QDir(folder).relativeFilePath(entries.next()));
    return paths;
}

} // namespace

TEST(WritesNothingE2E, ARunWithTheOpenDialogLeavesNothingInTheHomeFolder)
{
    QTemporaryDir runtime;
    QTemporaryDir home;
    PlayerProcess player(runtime);
    QProcessEnvironment env = player.process.processEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral(".config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral(".local/share")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral(".cache")));
    player.process.setProcessEnvironment(env);
    player.start({clip("clip.avi")});
    std::optional<QString> form;
    ASSERT_TRUE(waitFor([&] { return (form = mainWindow()).has_value(); }, 20000));
    const std::optional<QRect> frame = settledGeometry(*form);
    ASSERT_TRUE(frame);

    // "Open File"; the dialog is cancelled.
    const QPoint openFile = desktop::formControlRect(QStringLiteral("Command3")).translated(frame->topLeft()).center();
    ASSERT_TRUE(xdotool({QStringLiteral("mousemove"), QString::number(openFile.x()), QString::number(openFile.y()),
                         QStringLiteral("click"), QStringLiteral("1")}));
    const auto otherWindow = [&]() -> std::optional<QString> {
        for (const QString &window : playerWindows()) {
            if (window != *form)
                return window;
        }
        return std::nullopt;
    };
    std::optional<QString> dialog;
    ASSERT_TRUE(waitFor([&] { return (dialog = otherWindow()).has_value(); })) << "no Open dialog";
    ASSERT_TRUE(xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), *dialog}));
    ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("Escape")}));
    ASSERT_TRUE(waitFor([&] { return !otherWindow(); })) << "the dialog stayed";

    player.process.terminate();
    ASSERT_TRUE(player.process.waitForFinished(10000));
    EXPECT_EQ(player.process.exitCode(), 0);
    QStringList written = everythingIn(home.path());
    written.removeIf([](const QString &path) { return path == u".cache" || path.startsWith(u".cache/"); });
    EXPECT_TRUE(written.isEmpty()) << "written: " << written.join(QStringLiteral(", ")).toStdString();
}
