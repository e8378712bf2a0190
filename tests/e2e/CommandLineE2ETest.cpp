// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlayerProcess.h"

#include <gtest/gtest.h>

namespace {

struct Answer {
    int exitCode = -1;
    QString output;
    QString errors;
};

// The variables of a terminal's environment that name a display ("NAME=value").
using DisplayVariables = QStringList;
const DisplayVariables NoDisplay;

// Runs the player to its end with the arguments, in the environment a user's terminal has or
// (display given) one whose display is named by those variables alone, and with the runtime
// folder of home.
std::optional<Answer> runPlayer(const QTemporaryDir &home, const QStringList &arguments,
                                const std::optional<DisplayVariables> &display = std::nullopt)
{
    PlayerProcess player(home);
    if (display) {
        QProcessEnvironment env = player.process.processEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY"})
            env.remove(QString::fromLatin1(name));
        for (const QString &variable : *display)
            env.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        player.process.setProcessEnvironment(env);
    }
    player.start(arguments);
    if (!player.process.waitForFinished(10000) || player.process.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return Answer {player.process.exitCode(), QString::fromUtf8(player.process.readAllStandardOutput()),
                   QString::fromUtf8(player.process.readAllStandardError())};
}

const QString versionLine = QStringLiteral("kavel-player " KAVEL_VERSION_TEXT "\n");

bool isUsage(const QString &text)
{
    return text.startsWith(QStringLiteral("Usage: kavel-player [FILE]\n")) && text.contains(QStringLiteral("--version"))
        && text.endsWith(u'\n');
}

enum class Printed { Usage, Version, Nothing, Other };

Printed printed(const QString &output)
{
    if (isUsage(output))
        return Printed::Usage;
    if (output == versionLine)
        return Printed::Version;
    return output.isEmpty() ? Printed::Nothing : Printed::Other;
}

} // namespace

TEST(CommandLine, HelpAndVersionNeedNoDisplay)
{
    QTemporaryDir home;
    const std::optional<Answer> help = runPlayer(home, {QStringLiteral("--help")}, NoDisplay);
    ASSERT_TRUE(help) << "--help did not end by itself";
    EXPECT_EQ(help->exitCode, 0);
    EXPECT_TRUE(isUsage(help->output)) << help->output.toStdString();
    EXPECT_EQ(help->errors, QString());

    const std::optional<Answer> version = runPlayer(home, {QStringLiteral("--version")}, NoDisplay);
    ASSERT_TRUE(version) << "--version did not end by itself";
    EXPECT_EQ(version->exitCode, 0);
    EXPECT_EQ(version->output, versionLine);
    EXPECT_EQ(version->errors, QString());
}

TEST(CommandLine, WithoutADisplayItSaysSoInOneLineAndEndsWithStatusOne)
{
    const struct {
        const char *name;
        DisplayVariables display;
    } cases[] = {
        {"no display", NoDisplay},
        {"a display no X server answers at", {QStringLiteral("DISPLAY=:4217")}},
        {"Wayland without XWayland", {QStringLiteral("WAYLAND_DISPLAY=wayland-0")}},
    };
    for (const auto &c : cases) {
        QTemporaryDir home;
        const std::optional<Answer> answer = runPlayer(home, {clip("clip.avi")}, c.display);
        ASSERT_TRUE(answer) << c.name << ": it crashed or did not end";
        EXPECT_EQ(answer->exitCode, 1) << c.name;
        EXPECT_EQ(answer->output, QString()) << c.name;
        EXPECT_EQ(answer->errors.count(u'\n'), 1) << c.name << ": " << answer->errors.toStdString();
        EXPECT_TRUE(answer->errors.endsWith(u'\n')) << c.name;
        EXPECT_TRUE(answer->errors.contains(QStringLiteral("no display"))) << c.name;
        EXPECT_TRUE(answer->errors.contains(QStringLiteral("DISPLAY"))) << c.name;
        EXPECT_FALSE(answer->errors.contains(QStringLiteral("einstall"))) << c.name;
    }
}

TEST(CommandLine, RunningPlayerIsUntouchedAndOnlyTheExactRequestsCount)
{
    QTemporaryDir home;
    PlayerProcess first(home);
    first.start({clip("long.avi")});
    QStringList windows;
    ASSERT_TRUE(waitFor([&] { return !(windows = playerWindows()).isEmpty(); }, 20000));

    const struct {
        QStringList arguments;
        Printed expected; // Nothing: a path, which a second player leaves to the first
    } cases[] = {
        {{QStringLiteral("--help")}, Printed::Usage},
        {{QStringLiteral("--version")}, Printed::Version},
        {{QStringLiteral("--help"), QStringLiteral("me.avi")}, Printed::Nothing},
        {{QStringLiteral("--version"), QString()}, Printed::Nothing},
        {{QStringLiteral("./--help")}, Printed::Nothing},
        {{QStringLiteral("-h")}, Printed::Nothing},
    };
    for (const auto &c : cases) {
        const std::string name = c.arguments.join(u'|').toStdString();
        const std::optional<Answer> answer = runPlayer(home, c.arguments);
        ASSERT_TRUE(answer) << name;
        EXPECT_EQ(answer->exitCode, 0) << name;
        EXPECT_EQ(printed(answer->output), c.expected) << name << ": " << answer->output.toStdString();
        EXPECT_EQ(first.process.state(), QProcess::Running) << name;
        EXPECT_EQ(playerWindows(), windows) << name;
    }

    // The first player still holds the lock: a later start still leaves it alone.
    const std::optional<Answer> later = runPlayer(home, {clip("clip.avi")});
    ASSERT_TRUE(later) << "a second player did not end at once";
    EXPECT_EQ(later->exitCode, 0);
    EXPECT_EQ(first.process.state(), QProcess::Running);
    // It ends before it looks for a display: from a terminal without one, as silently.
    const std::optional<Answer> displayless = runPlayer(home, {clip("clip.avi")}, NoDisplay);
    ASSERT_TRUE(displayless) << "a second player without a display did not end at once";
    EXPECT_EQ(displayless->exitCode, 0);
    EXPECT_EQ(displayless->errors, QString());
}
