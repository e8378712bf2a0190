// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/MpvGraph.h"
#include "HostileMedia.h"
#include "desktop/WaitFor.h"
#include "platform/GpuDevices.h"
#include "player/MpvAudio.h"
#include "player/MpvEngine.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QSet>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>
#include <mpv/client.h>

#include <cmath>

namespace {

constexpr double kClipSeconds = 6.4;
// The graph's own deadline is 5 s; a failure must come within it.
constexpr qint64 kRenderLimitMs = 5500;

QString fixture(const char *name)
{
    return QDir(QStringLiteral(KAVEL_GENERATED_FIXTURES_DIR)).filePath(QString::fromUtf8(name));
}

// The engine tests run once for each output (ctest names it in KAVEL_VIDEO_OUTPUT).
VideoOutput outputUnderTest()
{
    return videoOutputNamed(qEnvironmentVariable("KAVEL_VIDEO_OUTPUT")).value_or(VideoOutput::X11);
}

std::shared_ptr<MpvEnginePool> newEngines()
{
    return std::make_shared<MpvEnginePool>(outputUnderTest);
}

// Whether the picture of the output under test can be checked on this display. Where GL is only
// a software rasteriser the player draws with the X11 output; the GPU output is tested there all
// the same, and its picture on Xvfb reliably reaches the screen only from engines of mpv 0.35's
// client API (later ones draw through Vulkan on lavapipe, whose picture shows now and then).
bool pictureCheckable()
{
    return outputUnderTest() != VideoOutput::Gpu || hasGpuDevice()
        || mpv_client_api_version() <= MPV_MAKE_VERSION(2, 0);
}

bool near(std::optional<double> value, double expected, double tolerance)
{
    return value && std::abs(*value - expected) <= tolerance;
}

// How many different colours a screen area shows, sampled on a grid.
int coloursShown(const QImage &image, const QRect &area)
{
    QSet<QRgb> colours;
    for (int y = area.top(); y <= area.bottom(); y += 4) {
        for (int x = area.left(); x <= area.right(); x += 4)
            colours.insert(image.pixel(x, y));
    }
    return int(colours.size());
}

// Whether every quarter of a screen area shows a detailed picture: black, a
// flat fill or a picture left at an old size does not.
bool showsPicture(const QRect &globalArea)
{
    const QImage image = QGuiApplication::primaryScreen()
                             ->grabWindow(0, globalArea.x(), globalArea.y(), globalArea.width(), globalArea.height())
                             .toImage();
    // Whole pixels: QSize's division rounds, and an odd side would reach past the image.
    const QSize quarter(image.width() / 2, image.height() / 2);
    for (const QPoint corner : {QPoint(0, 0), QPoint(quarter.width(), 0), QPoint(0, quarter.height()),
                                QPoint(quarter.width(), quarter.height())}) {
        if (coloursShown(image, QRect(corner, quarter)) < 8)
            return false;
    }
    return true;
}

class MpvGraphTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(640, 480);
        picture = new QWidget(&window);
        picture->setGeometry(0, 40, 640, 440);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // As in the program, one graph after another takes the engine the last one handed back.
    std::unique_ptr<MpvGraph> open(const char *name)
    {
        auto graph = std::make_unique<MpvGraph>(picture, engines);
        EXPECT_TRUE(graph->RenderFile(fixture(name))) << name;
        return graph;
    }

    // The sequence the main window runs when it opens a file.
    std::unique_ptr<MpvGraph> openInPicture(const char *name)
    {
        auto graph = open(name);
        EXPECT_TRUE(graph->SetWindowStyle(0));
        EXPECT_TRUE(graph->SetOwner(picture));
        EXPECT_TRUE(graph->SetWindowPosition(0, 0, 320, 240));
        return graph;
    }

    QWidget window;
    QWidget *picture = nullptr;
    std::shared_ptr<MpvEnginePool> engines = newEngines();
};

TEST(MpvAudioTest, VolumeIsExactInDecibels)
{
    const struct {
        int hundredthsDb;
        double volume;
    } cases[]
        = {{0, 100.0}, {-600, 79.432823}, {-2000, 46.415888}, {-5000, 14.677993}, {-6000, 10.0}, {-10000, 2.1544347}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.hundredthsDb);
        EXPECT_NEAR(mpvVolume(c.hundredthsDb), c.volume, 1e-5);
        // The engine's volume is cubic: the gain in decibels is 60 * log10(volume / 100).
        EXPECT_NEAR(60 * std::log10(mpvVolume(c.hundredthsDb) / 100), c.hundredthsDb / 100.0, 1e-9);
    }
}

TEST(MpvAudioTest, BalanceLowersTheOtherSide)
{
    EXPECT_TRUE(mpvBalanceFilter(0).isEmpty());
    EXPECT_EQ(mpvBalanceFilter(2000), "@bal:lavfi=[aformat=channel_layouts=stereo,pan=stereo|c0=0.1*c0|c1=1*c1]");
    EXPECT_EQ(mpvBalanceFilter(-4000), "@bal:lavfi=[aformat=channel_layouts=stereo,pan=stereo|c0=1*c0|c1=0.01*c1]");
    EXPECT_EQ(mpvBalanceFilter(10000), "@bal:lavfi=[aformat=channel_layouts=stereo,pan=stereo|c0=1e-05*c0|c1=1*c1]");
}

TEST_F(MpvGraphTest, PlayableClipsReportDurationAndDisplaySize)
{
    const struct {
        const char *name;
        int width;
        int height;
    } clips[] = {
        {"clip.avi", 320, 240},
        {"clip.divx", 320, 240},
        {"clip.mpg", 320, 240},
        {"clip.dat", 320, 240},
        {"clip.asf", 320, 240},
        {"clip.wmv", 320, 240},
        {"clip with spaces é.avi", 320, 240},
        {"anamorphic.avi", 1024, 576},
    };
    for (const auto &clip : clips) {
        SCOPED_TRACE(clip.name);
        MpvGraph graph(picture, newEngines());
        QElapsedTimer timer;
        timer.start();
        ASSERT_TRUE(graph.RenderFile(fixture(clip.name)));
        EXPECT_LT(timer.elapsed(), kRenderLimitMs);
        EXPECT_TRUE(near(graph.Duration(), kClipSeconds, 0.25)) << graph.Duration().value_or(-1);
        EXPECT_TRUE(near(graph.CurrentPosition(), 0, 0.05));
        EXPECT_EQ(graph.Width(), clip.width);
        EXPECT_EQ(graph.Height(), clip.height);
    }
}

TEST_F(MpvGraphTest, AudioOnlyFilePlaysWithoutVideoWindow)
{
    auto graph = open("audio-only.wmv");
    EXPECT_TRUE(near(graph->Duration(), kClipSeconds, 0.25));
    EXPECT_EQ(graph->Width(), std::nullopt);
    EXPECT_EQ(graph->Height(), std::nullopt);
    EXPECT_FALSE(graph->SetWindowStyle(0));
    EXPECT_FALSE(graph->SetOwner(picture));
    EXPECT_FALSE(graph->SetWindowPosition(0, 0, 100, 100));
    EXPECT_FALSE(graph->SetFullScreenMode(true));
    EXPECT_FALSE(graph->videoWidget()->isVisible());

    EXPECT_TRUE(graph->Run());
    EXPECT_TRUE(waitFor([&] { return graph->CurrentPosition().value_or(0) > 0.3; }));
}

TEST_F(MpvGraphTest, UnplayableFilesFailQuicklyAndLeaveAnEmptyGraph)
{
    const QString longPath
        = QDir::tempPath() + QLatin1Char('/') + QString(3990, QLatin1Char('a')) + QStringLiteral(".avi");
    const QString paths[] = {
        fixture("missing.avi"),
        // A folder of clips must not play them one after another.
        QStringLiteral(KAVEL_GENERATED_FIXTURES_DIR),
        fixture("zero.avi"),
        fixture("text.avi"),
        longPath,
        QString(),
    };
    for (const QString &path : paths) {
        SCOPED_TRACE(path.left(80).toStdString());
        MpvGraph graph(picture, newEngines());
        QElapsedTimer timer;
        timer.start();
        EXPECT_FALSE(graph.RenderFile(path));
        EXPECT_LT(timer.elapsed(), kRenderLimitMs);
        EXPECT_EQ(graph.Duration(), std::nullopt);
        EXPECT_EQ(graph.CurrentPosition(), std::nullopt);
        EXPECT_EQ(graph.Width(), std::nullopt);
        EXPECT_FALSE(graph.Run());
        EXPECT_FALSE(graph.Pause());
        EXPECT_FALSE(graph.Stop());
        EXPECT_EQ(graph.State(), std::nullopt);
        EXPECT_FALSE(graph.SetCurrentPosition(0));
        EXPECT_FALSE(graph.SetVolume(0));
        EXPECT_FALSE(graph.SetBalance(0));
        EXPECT_FALSE(graph.SetOwner(picture));
        EXPECT_FALSE(graph.SetFullScreenMode(true));
        // Nothing plays in the background.
        EXPECT_FALSE(waitFor([&] { return graph.CurrentPosition().has_value(); }, 200));
    }
}

TEST_F(MpvGraphTest, OnlyLocalFilesPlayAndTheyPlayAsTheMediaTheyHold)
{
    // A server on this machine that a stream or a reference inside a file would reach.
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const QString url = QStringLiteral("http://127.0.0.1:%1/clip.avi").arg(server.serverPort());
    QTemporaryDir folder;
    const QString previousFolder = QDir::currentPath();
    QDir::setCurrent(folder.path());
    const auto file = [&](const char *name, const QByteArray &content) {
        QFile out(folder.filePath(QString::fromUtf8(name)));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
        return out.fileName();
    };
    const QByteArray clip = QFile::encodeName(fixture("clip.avi"));
    const QString refused[] = {
        url,
        QStringLiteral("av://lavfi:testsrc"),
        QStringLiteral("lavfi:testsrc"),
        QStringLiteral("edl://") + fixture("clip.avi"),
        QStringLiteral("memory://abc"),
        QStringLiteral("--vo=null"),
        QStringLiteral("@") + fixture("clip.avi"),
        // Files that are references to others, under a media file's name.
        file("edl.avi", "# mpv EDL v0\n" + clip + "\n"),
        file("list.avi", "#EXTM3U\n" + clip + "\n" + url.toUtf8() + "\n"),
        file("stream.avi", "#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:10,\n" + url.toUtf8() + "\n#EXT-X-ENDLIST\n"),
    };
    for (const QString &path : refused) {
        MpvGraph graph(picture, newEngines());
        EXPECT_FALSE(graph.RenderFile(path)) << path.toStdString();
    }
    EXPECT_FALSE(server.hasPendingConnections() || server.waitForNewConnection(200))
        << "the engine went on the network";

    // A local file is played whatever its name looks like.
    QFile::copy(fixture("clip.avi"), folder.filePath(QStringLiteral("--vo=null")));
    MpvGraph graph(picture, newEngines());
    EXPECT_TRUE(graph.RenderFile(QStringLiteral("--vo=null")));
    QDir::setCurrent(previousFolder);
}

TEST_F(MpvGraphTest, HostileMediaFailsOrPlaysButNeverHangsTheEngine)
{
    QTemporaryDir folder;
    const QStringList files = hostile::make(folder.path(), fixture("clip.avi"), fixture("clip.mpg"),
                                            fixture("audio-only.wmv"), fixture("video-only.avi"));
    for (const QString &path : files) {
        SCOPED_TRACE(path.toStdString());
        MpvGraph graph(picture, newEngines());
        QElapsedTimer timer;
        timer.start();
        const bool loaded = graph.RenderFile(path);
        EXPECT_LT(timer.elapsed(), kRenderLimitMs);
        if (!loaded) {
            EXPECT_EQ(graph.Duration(), std::nullopt);
            EXPECT_FALSE(graph.Run());
            continue;
        }
        // What loads plays, and answers while it does.
        graph.SetOwner(picture);
        EXPECT_TRUE(graph.Run());
        EXPECT_TRUE(graph.SetCurrentPosition(0));
        EXPECT_TRUE(graph.Pause());
        EXPECT_LE(graph.Width().value_or(0), 16384) << "a picture no engine makes";
    }
}

TEST_F(MpvGraphTest, TruncatedClipEndsLikeAnyOther)
{
    // The engine plays what is there, about the first half.
    MpvGraph graph(picture, newEngines());
    ASSERT_TRUE(graph.RenderFile(fixture("truncated.avi")));
    EXPECT_TRUE(near(graph.Duration(), kClipSeconds / 2, 0.5)) << graph.Duration().value_or(-1);
    graph.SetCurrentPosition(2.5);
    EXPECT_TRUE(graph.Run());
    EXPECT_TRUE(waitFor([&] { return graph.CurrentPosition() && graph.CurrentPosition() == graph.Duration(); }, 10000));
    // The program's stop and rewind after the end.
    EXPECT_TRUE(graph.Stop());
    EXPECT_TRUE(graph.SetCurrentPosition(0));
    EXPECT_TRUE(waitFor([&] { return near(graph.CurrentPosition(), 0, 0.1); }));
    EXPECT_EQ(graph.State(), MediaGraph::GraphState::Stopped);
}

TEST_F(MpvGraphTest, RunPauseAndStop)
{
    auto graph = open("clip.avi");
    // A rendered graph waits for Run.
    EXPECT_FALSE(waitFor([&] { return graph->CurrentPosition().value_or(0) > 0.1; }, 300));
    EXPECT_EQ(graph->State(), MediaGraph::GraphState::Stopped);

    ASSERT_TRUE(graph->Run());
    // As the engine reports it.
    EXPECT_TRUE(waitFor([&] { return graph->State() == MediaGraph::GraphState::Running; }));
    ASSERT_TRUE(waitFor([&] { return graph->CurrentPosition().value_or(0) > 0.3; }));

    ASSERT_TRUE(graph->Pause());
    EXPECT_TRUE(waitFor([&] { return graph->State() == MediaGraph::GraphState::Paused; }));
    ASSERT_TRUE(waitFor([&] {
        const double before = graph->CurrentPosition().value_or(-1);
        return !waitFor([&] { return graph->CurrentPosition().value_or(-1) != before; }, 150);
    }));
    const double paused = graph->CurrentPosition().value_or(-1);
    EXPECT_FALSE(waitFor([&] { return graph->CurrentPosition().value_or(-1) != paused; }, 300));

    ASSERT_TRUE(graph->Run());
    EXPECT_TRUE(waitFor([&] { return graph->CurrentPosition().value_or(0) > paused + 0.2; }));
    EXPECT_EQ(graph->State(), MediaGraph::GraphState::Running);
    ASSERT_TRUE(graph->Stop());
    EXPECT_EQ(graph->State(), MediaGraph::GraphState::Stopped);
    ASSERT_TRUE(graph->SetCurrentPosition(0));
    EXPECT_TRUE(near(graph->CurrentPosition(), 0, 0.01));
    EXPECT_FALSE(waitFor([&] { return !near(graph->CurrentPosition(), 0, 0.1); }, 300));
}

// The engine a playing graph hands back carries nothing of it into the next file.
TEST_F(MpvGraphTest, NextGraphWaitsForRunAndThenPlays)
{
    QWidget *played = nullptr;
    {
        auto first = openInPicture("clip.avi");
        ASSERT_TRUE(first->Run());
        ASSERT_TRUE(waitFor([&] { return first->CurrentPosition().value_or(0) > 0.3; }));
        played = first->videoWidget();
    }
    auto next = openInPicture("clip.mpg");
    ASSERT_EQ(next->videoWidget(), played) << "the engine was not reused";
    EXPECT_FALSE(waitFor([&] { return next->CurrentPosition().value_or(0) > 0.1; }, 300));
    ASSERT_TRUE(next->Run());
    EXPECT_TRUE(waitFor([&] { return next->CurrentPosition().value_or(0) > 0.5; }));
    EXPECT_EQ(next->State(), MediaGraph::GraphState::Running);
}

TEST_F(MpvGraphTest, TheStopOfAFailedFileLandsBeforeTheNextFilesLoad)
{
    // The failed file's engine is stopped by a queued command; the next file, taken up at once,
    // must not be the one that stop ends.
    for (const char *failing : {"text.avi", "zero.avi", "missing.avi"}) {
        SCOPED_TRACE(failing);
        {
            MpvGraph failed(picture, engines);
            failed.RenderFile(fixture(failing));
        }
        auto next = openInPicture("clip.avi");
        ASSERT_TRUE(next->Run());
        EXPECT_TRUE(waitFor([&] { return next->CurrentPosition().value_or(0) > 0.5; }));
        EXPECT_EQ(next->State(), MediaGraph::GraphState::Running);
    }
}

TEST_F(MpvGraphTest, EngineTakenAtOnceLoadsOverTheLastFileAndLeavesNoPictureOfIt)
{
    const struct {
        const char *name;
        bool plays;
        std::optional<int> width;
    } nextFiles[] = {
        {"anamorphic.avi", true, 1024},
        {"audio-only.wmv", true, std::nullopt},
        {"text.avi", false, std::nullopt},
        {"missing.avi", false, std::nullopt},
    };
    const auto engines = newEngines();
    for (const auto &file : nextFiles) {
        SCOPED_TRACE(file.name);
        QWidget *shown = nullptr;
        {
            MpvGraph first(picture, engines);
            ASSERT_TRUE(first.RenderFile(fixture("clip.avi")));
            ASSERT_TRUE(first.SetOwner(picture));
            shown = first.videoWidget();
            ASSERT_TRUE(shown->isVisible());
        }
        // The last file's picture goes with its graph, before the next file loads over it.
        EXPECT_FALSE(shown->isVisible());
        MpvGraph next(picture, engines);
        EXPECT_EQ(next.RenderFile(fixture(file.name)), file.plays);
        ASSERT_EQ(next.videoWidget(), shown) << "the engine was not reused";
        // Nothing of the file it replaced comes through as this one's.
        EXPECT_EQ(next.Width(), file.width);
        // Shown again where its owner takes a picture of this file's.
        EXPECT_EQ(next.SetOwner(picture), file.width.has_value());
        EXPECT_EQ(shown->isVisible(), file.width.has_value());
        EXPECT_EQ(next.Run(), file.plays);
    }
}

TEST_F(MpvGraphTest, SeekingShowsTheNewPositionAtOnce)
{
    for (const char *name : {"clip.mpg", "clip.avi", "clip.wmv"}) {
        SCOPED_TRACE(name);
        auto graph = open(name);
        ASSERT_TRUE(graph->Run());
        ASSERT_TRUE(waitFor([&] { return graph->CurrentPosition().value_or(0) > 0.2; }));
        ASSERT_TRUE(graph->Pause());

        ASSERT_TRUE(graph->SetCurrentPosition(3));
        EXPECT_TRUE(near(graph->CurrentPosition(), 3, 0.01));
        // Where the engine lands, once it is there, and no earlier position comes back meanwhile.
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 400) {
            ASSERT_TRUE(near(graph->CurrentPosition(), 3, 0.1)) << graph->CurrentPosition().value_or(-1);
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }

        EXPECT_FALSE(graph->SetCurrentPosition(-1));
        EXPECT_FALSE(graph->SetCurrentPosition(std::nan("")));
        EXPECT_TRUE(near(graph->CurrentPosition(), 3, 0.1));
    }
}

TEST_F(MpvGraphTest, PositionReadsAsDurationAtTheEnd)
{
    auto graph = open("clip.wmv");
    const double duration = graph->Duration().value_or(0);
    ASSERT_GT(duration, 1);
    ASSERT_TRUE(graph->SetCurrentPosition(duration - 0.5));
    ASSERT_TRUE(graph->Run());
    ASSERT_TRUE(waitFor([&] { return graph->CurrentPosition() == duration; }, 5000));
    // It stays there: the last frame is kept.
    EXPECT_FALSE(waitFor([&] { return graph->CurrentPosition() != duration; }, 300));

    // The program's stop and rewind, then it plays again.
    ASSERT_TRUE(graph->Stop());
    ASSERT_TRUE(graph->SetCurrentPosition(0));
    EXPECT_TRUE(waitFor([&] { return near(graph->CurrentPosition(), 0, 0.1); }));
    ASSERT_TRUE(graph->Run());
    EXPECT_TRUE(waitFor([&] { return graph->CurrentPosition().value_or(0) > 0.3; }));
}

TEST_F(MpvGraphTest, VolumeAndBalanceRefuseValuesOutOfRange)
{
    auto graph = open("clip.avi");
    ASSERT_TRUE(graph->Run());
    for (int volume : {0, -1, -600, -5000, -10000})
        EXPECT_TRUE(graph->SetVolume(volume)) << volume;
    for (int volume : {1, -10001, 2147483647})
        EXPECT_FALSE(graph->SetVolume(volume)) << volume;
    for (int balance : {0, 2500, -2500, 10000, -10000, 0})
        EXPECT_TRUE(graph->SetBalance(balance)) << balance;
    for (int balance : {10001, -10001, 2147483647})
        EXPECT_FALSE(graph->SetBalance(balance)) << balance;
    // The audio chain still plays after the filter changes.
    const double before = graph->CurrentPosition().value_or(0);
    EXPECT_TRUE(waitFor([&] { return graph->CurrentPosition().value_or(0) > before + 0.3; }));
}

TEST_F(MpvGraphTest, VideoWindowLivesInItsOwnerAtTheGivenPlace)
{
    auto graph = open("clip.avi");
    QWidget *video = graph->videoWidget();
    EXPECT_FALSE(video->isVisible());
    EXPECT_TRUE(video->testAttribute(Qt::WA_NativeWindow));
    // Its first file sets it up at the size it is shown at.
    EXPECT_EQ(video->geometry(), picture->rect());

    ASSERT_TRUE(graph->SetOwner(picture));
    ASSERT_TRUE(graph->SetWindowPosition(10, 20, 300, 200));
    EXPECT_EQ(video->parentWidget(), picture);
    EXPECT_TRUE(video->isVisible());
    EXPECT_EQ(video->geometry(), QRect(10, 20, 300, 200));
    EXPECT_FALSE(graph->SetWindowPosition(0, 0, -1, 10));
    EXPECT_EQ(video->geometry(), QRect(10, 20, 300, 200));

    // Another owner takes the same native window.
    QWidget other(&window);
    other.setGeometry(0, 0, 200, 200);
    const WId id = video->winId();
    ASSERT_TRUE(graph->SetOwner(&other));
    EXPECT_EQ(video->parentWidget(), &other);
    EXPECT_EQ(video->winId(), id);
}

TEST_F(MpvGraphTest, FullScreenAndBackKeepPlaying)
{
    if (!pictureCheckable())
        GTEST_SKIP() << "the GPU output's picture on software GL with this engine";
    auto graph = openInPicture("clip.avi");
    QWidget *video = graph->videoWidget();
    ASSERT_TRUE(graph->SetWindowPosition(5, 6, 320, 240));
    const WId id = video->winId();
    ASSERT_TRUE(graph->Run());

    ASSERT_TRUE(graph->SetFullScreenMode(true));
    QWidget *fullScreen = video->window();
    ASSERT_NE(fullScreen, &window);
    EXPECT_TRUE(fullScreen->isFullScreen());
    EXPECT_TRUE(waitFor([&] { return video->isVisible() && video->size() == fullScreen->size(); }));
    EXPECT_EQ(fullScreen->geometry(), window.screen()->geometry());
    EXPECT_EQ(video->winId(), id);
    // The engine follows its window to the new size by itself.
    EXPECT_TRUE(waitFor([&] { return showsPicture(fullScreen->geometry()); }));
    EXPECT_TRUE(graph->SetFullScreenMode(true));
    EXPECT_EQ(video->window(), fullScreen);
    // The place in the owner changes while full screen, for the return.
    ASSERT_TRUE(graph->SetWindowPosition(7, 8, 300, 225));
    EXPECT_NE(video->geometry(), QRect(7, 8, 300, 225));

    double position = graph->CurrentPosition().value_or(0);
    EXPECT_TRUE(waitFor([&] { return graph->CurrentPosition().value_or(0) > position + 0.2; }));

    ASSERT_TRUE(graph->SetFullScreenMode(false));
    EXPECT_EQ(video->parentWidget(), picture);
    EXPECT_EQ(video->geometry(), QRect(7, 8, 300, 225));
    EXPECT_TRUE(video->isVisible());
    EXPECT_EQ(video->winId(), id);
    EXPECT_TRUE(waitFor([&] { return showsPicture(QRect(video->mapToGlobal(QPoint(0, 0)), video->size())); }));
    position = graph->CurrentPosition().value_or(0);
    EXPECT_TRUE(waitFor([&] { return graph->CurrentPosition().value_or(0) > position + 0.2; }));
}

TEST_F(MpvGraphTest, VideoWindowShowsThePicture)
{
    if (!pictureCheckable())
        GTEST_SKIP() << "the GPU output's picture on software GL with this engine";
    auto graph = openInPicture("clip.avi");
    ASSERT_TRUE(graph->Run());
    const QRect area(graph->videoWidget()->mapToGlobal(QPoint(0, 0)), QSize(320, 240));
    EXPECT_TRUE(waitFor([&] { return showsPicture(area); }, 10000));
}

TEST_F(MpvGraphTest, DestroyingIsQuickWhilePlayingAndAfterFailing)
{
    QElapsedTimer timer;
    {
        auto graph = openInPicture("clip.asf");
        ASSERT_TRUE(graph->Run());
        ASSERT_TRUE(waitFor([&] { return graph->CurrentPosition().value_or(0) > 0.2; }));
        timer.start();
    }
    EXPECT_LT(timer.elapsed(), 2000);
    {
        MpvGraph graph(picture, newEngines());
        EXPECT_FALSE(graph.RenderFile(fixture("text.avi")));
        timer.start();
    }
    EXPECT_LT(timer.elapsed(), 2000);
}

TEST_F(MpvGraphTest, GraphOutlivingItsVideoHostFailsSafely)
{
    auto host = std::make_unique<QWidget>(&window);
    auto graph = std::make_unique<MpvGraph>(host.get(), newEngines());
    ASSERT_TRUE(graph->RenderFile(fixture("clip.avi")));
    ASSERT_TRUE(graph->SetOwner(host.get()));
    ASSERT_TRUE(graph->Run());
    host.reset();
    EXPECT_EQ(graph->videoWidget(), nullptr);
    EXPECT_FALSE(graph->Run());
    EXPECT_FALSE(graph->SetFullScreenMode(true));
    EXPECT_EQ(graph->CurrentPosition(), std::nullopt);
    graph.reset();
}

} // namespace
