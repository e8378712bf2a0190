#include "PlayerProcess.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QString clip(const char *name)
{
    return QDir(QStringLiteral(KAVEL_GENERATED_FIXTURES_DIR)).filePath(QString::fromUtf8(name));
}

} // namespace

TEST(PlayerE2E, PlaysAClipCentredWithThePictureInTheWindow)
{
    QTemporaryDir runtimeDir;
    ASSERT_TRUE(QFile::exists(clip("clip.avi")));
    PlayerProcess player(runtimeDir);
    player.start({clip("clip.avi")});

    QStringList windows;
    ASSERT_TRUE(waitFor([&] { return !(windows = playerWindows()).isEmpty(); }, 20000));
    std::optional<QRect> frame;
    ASSERT_TRUE(waitFor([&] { return (frame = windowGeometry(windows.first())) && frame->width() >= 408; }));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_NEAR(frame->center().x(), screen.center().x(), 2);
    EXPECT_NEAR(frame->center().y(), screen.center().y(), 2);

    // The video area below the 40-pixel title strip shows the moving picture:
    // a 4:3 clip in a wider box leaves black bars at the sides only.
    const QRect video(frame->x(), frame->y() + 40, frame->width(), frame->height() - 40);
    ASSERT_TRUE(waitFor([&] { return litPixels(screenshot(), video) > video.width() * video.height() / 16; }, 20000))
        << "no picture in the video area";
    const QImage shot = screenshot();
    const int barWidth = (video.width() - video.height() * 4 / 3) / 2;
    if (barWidth > 8) {
        EXPECT_EQ(litPixels(shot, QRect(video.x() + 1, video.y() + 1, barWidth - 4, video.height() - 2)), 0)
            << "the left bar should stay black";
    }
}

TEST(PlayerE2E, UnquotedPathWithSpacesAndAccentsIsOnePath)
{
    QTemporaryDir runtimeDir;
    const QString path = clip("clip with spaces é.avi");
    ASSERT_TRUE(QFile::exists(path));
    PlayerProcess player(runtimeDir);
    // As a shell splits it when the user types it without quotes.
    player.start(path.split(u' '));
    QStringList windows;
    ASSERT_TRUE(waitFor([&] { return !(windows = playerWindows()).isEmpty(); }, 20000));
    const std::optional<QRect> frame = windowGeometry(windows.first());
    ASSERT_TRUE(frame);
    const QRect video(frame->x(), frame->y() + 40, frame->width(), frame->height() - 40);
    EXPECT_TRUE(waitFor([&] { return litPixels(screenshot(), video) > video.width() * video.height() / 16; }, 20000))
        << "no picture in the video area";
}

TEST(PlayerE2E, SecondInstanceEndsAtOnceAndLeavesTheFirst)
{
    QTemporaryDir runtimeDir;
    PlayerProcess first(runtimeDir);
    first.start({clip("clip.avi")});
    ASSERT_TRUE(waitFor([&] { return !playerWindows().isEmpty(); }, 20000));

    PlayerProcess second(runtimeDir);
    second.start({clip("clip.mpg")});
    ASSERT_TRUE(second.process.waitForFinished(10000));
    EXPECT_EQ(second.process.exitCode(), 0);
    EXPECT_EQ(first.process.state(), QProcess::Running);
    EXPECT_EQ(playerWindows().size(), 1);
}

TEST(PlayerE2E, CrashedInstanceLeavesNoStaleLock)
{
    QTemporaryDir runtimeDir;
    {
        PlayerProcess crashed(runtimeDir);
        crashed.start({});
        ASSERT_TRUE(waitFor([&] { return !playerWindows().isEmpty(); }, 20000));
        crashed.process.kill(); // SIGKILL: no chance to clean up
        crashed.process.waitForFinished(5000);
    }
    ASSERT_TRUE(waitFor([&] { return playerWindows().isEmpty(); }));
    PlayerProcess next(runtimeDir);
    next.start({});
    EXPECT_TRUE(waitFor([&] { return !playerWindows().isEmpty(); }, 20000));
    EXPECT_EQ(next.process.state(), QProcess::Running);
}

TEST(PlayerE2E, BadFilesNeitherHangNorCrash)
{
    const QString longPath = QStringLiteral("/tmp/") + QString(4000, u'x') + QStringLiteral(".avi");
    const QStringList paths
        = {clip("zero.avi"), clip("text.avi"), clip("truncated.avi"), QStringLiteral("/no/such/file.avi"),
           QDir::tempPath(), longPath};
    for (const QString &path : paths) {
        QTemporaryDir runtimeDir;
        PlayerProcess player(runtimeDir);
        player.start({path});
        EXPECT_TRUE(waitFor([&] { return !playerWindows().isEmpty(); }, 20000)) << path.left(80).toStdString();
        EXPECT_EQ(player.process.state(), QProcess::Running) << path.left(80).toStdString();
        player.process.terminate();
        EXPECT_TRUE(player.process.waitForFinished(10000));
        ASSERT_TRUE(waitFor([&] { return playerWindows().isEmpty(); }));
    }
}

namespace {

QString windowName(const QString &window)
{
    return runTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), window}).value_or(QString());
}

std::optional<QString> windowNamed(const QString &name)
{
    for (const QString &window : playerWindows()) {
        if (windowName(window) == name)
            return window;
    }
    return std::nullopt;
}

bool xdotool(const QStringList &arguments)
{
    return runTool(QStringLiteral("xdotool"), arguments).has_value();
}

} // namespace

TEST(PlayerE2E, PlaylistOnTheCommandLinePlaysItsFirstEntry)
{
    QTemporaryDir runtimeDir;
    QTemporaryDir listDir;
    const QString list = listDir.filePath(QStringLiteral("films.pls"));
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write((clip("clip.avi") + QStringLiteral("\r\n") + clip("clip.mpg") + QStringLiteral("\r\n")).toUtf8());
    file.close();

    PlayerProcess player(runtimeDir);
    player.start({list});
    std::optional<QString> playlistWindow;
    ASSERT_TRUE(waitFor(
        [&] { return (playlistWindow = windowNamed(QStringLiteral("  KAVEL Playlist:clip.avi"))).has_value(); }, 20000))
        << "the playlist window should name the first entry once it plays";
    const QStringList windows = playerWindows();
    ASSERT_EQ(windows.size(), 2);
    const QString mainWindow = windows.first() == *playlistWindow ? windows.last() : windows.first();
    const std::optional<QRect> frame = windowGeometry(mainWindow);
    ASSERT_TRUE(frame);
    const QRect video(frame->x(), frame->y() + 40, frame->width(), frame->height() - 40);
    EXPECT_TRUE(waitFor([&] { return litPixels(screenshot(), video) > video.width() * video.height() / 16; }, 20000))
        << "no picture in the video area";
}

TEST(PlayerE2E, CaptionButtonsShowHoverAndPressAndReachTheWindow)
{
    QTemporaryDir runtimeDir;
    PlayerProcess player(runtimeDir);
    player.start({});
    QStringList windows;
    ASSERT_TRUE(waitFor([&] { return !(windows = playerWindows()).isEmpty(); }, 20000));
    const std::optional<QRect> frame = windowGeometry(windows.first());
    ASSERT_TRUE(frame);
    // The playlist button, "P", stands at (12, 0), 13 pixels square.
    const QRect button(frame->x() + 12, frame->y(), 13, 13);
    const auto buttonImage = [&] {
        return screenshot().copy(button);
    };
    // The face settles in its up look once the window has drawn itself.
    QImage up = buttonImage();
    ASSERT_TRUE(waitFor([&] {
        const QImage again = buttonImage();
        const bool settled = again == up && !up.isNull();
        up = again;
        return settled;
    }));

    // Two moves, as a real pointer makes many: the first one starts the hover tracking.
    const auto pointAtButton = [&] {
        for (int dx : {0, 1}) {
            ASSERT_TRUE(xdotool({QStringLiteral("mousemove"), QString::number(button.center().x() + dx),
                                 QString::number(button.center().y())}));
        }
    };
    pointAtButton();
    QImage hover;
    EXPECT_TRUE(waitFor([&] { return (hover = buttonImage()) != up; })) << "no hover look";

    // Away from the button the hover look goes again.
    ASSERT_TRUE(xdotool(
        {QStringLiteral("mousemove"), QString::number(frame->center().x()), QString::number(frame->center().y())}));
    EXPECT_TRUE(waitFor([&] { return buttonImage() == up; })) << "the hover look stayed";

    pointAtButton();
    ASSERT_TRUE(waitFor([&] { return buttonImage() == hover; }));
    ASSERT_TRUE(xdotool({QStringLiteral("mousedown"), QStringLiteral("1")}));
    EXPECT_TRUE(waitFor([&] {
        const QImage down = buttonImage();
        return down != hover && down != up;
    })) << "no pressed look";
    ASSERT_TRUE(xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}));
    EXPECT_TRUE(waitFor([&] { return windowNamed(QStringLiteral("  KAVEL Playlist")).has_value(); }))
        << "the click should show the playlist window";
}
