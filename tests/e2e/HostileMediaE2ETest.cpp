// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostileMedia.h"
#include "PlayerProcess.h"

#include "runtime/PathNames.h"

#include <QElapsedTimer>

// The real player fed what users download: after each damaged, deceptive or
// odd file it lives, answers at once, and plays the next good file.

TEST(HostileMediaE2E, NoFileTakesThePlayerDown)
{
    QTemporaryDir home;
    const QStringList files = hostile::make(home.path(), clip("clip.avi"), clip("clip.mpg"), clip("audio-only.wmv"),
                                            clip("video-only.avi"));
    // Each one, then a good clip.
    QStringList entries;
    for (const QString &file : files)
        entries << file << clip("clip.avi");
    PlayerProcess player(home);
    player.start({playlistOf(home, entries)});

    // A short or damaged clip meets the position bar's own validation: its message box waits for OK.
    const auto dismissBarMessage = [] {
        const std::optional<QString> box = windowNamed(QStringLiteral("Error"));
        if (box) {
            xdotool({QStringLiteral("windowactivate"), *box});
            xdotool({QStringLiteral("key"), QStringLiteral("Return")});
        }
        return box.has_value();
    };
    const auto playing = [](const QString &path) {
        return windowNamed(QStringLiteral("  KAVEL Playlist:") + runtime::FileNameOnly(path)).has_value();
    };
    std::optional<QString> window;
    ASSERT_TRUE(waitFor([&] { return (window = mainWindow()).has_value(); }, 20000));
    const std::optional<QRect> frame = settledGeometry(*window);
    ASSERT_TRUE(frame);
    const QRect video = videoArea(*frame);
    const QPoint nextButton
        = desktop::formControlRect(QStringLiteral("ButtonEx6")).translated(frame->topLeft()).center();
    const auto next = [&] {
        return xdotool({QStringLiteral("mousemove"), QString::number(nextButton.x()), QString::number(nextButton.y())})
            && xdotool({QStringLiteral("click"), QStringLiteral("1")});
    };

    qint64 slowestAnswer = 0;
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        ASSERT_TRUE(waitFor([&] { return dismissBarMessage(), playing(file); }, 20000)) << "the entry never opened";
        ASSERT_EQ(player.process.state(), QProcess::Running);
        // The command after the load is taken at once.
        QElapsedTimer answer;
        answer.start();
        ASSERT_TRUE(next());
        // The box can come up after the click, which its modality then swallowed: a user clicks again.
        ASSERT_TRUE(waitFor([&] { return (dismissBarMessage() && next()), playing(clip("clip.avi")); }, 10000))
            << "Next was not taken";
        slowestAnswer = std::max(slowestAnswer, answer.elapsed());
        // The good clip after it plays.
        EXPECT_TRUE(waitFor([&] { return desktop::showsPicture(screenshot(), video); }, 20000))
            << "the next good file did not play";
        ASSERT_TRUE(next());
    }
    RecordProperty("slowest_answer_ms", int(slowestAnswer));
    EXPECT_EQ(player.process.state(), QProcess::Running);
}
