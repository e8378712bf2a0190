// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmAbout.h"

#include "MemoryRegistry.h"
#include "QtPrinters.h"
#include "RecordingLauncher.h"
#include "RecordingReporter.h"
#include "ScopedEnvironment.h"
#include "desktop/WaitFor.h"
#include "runtime/Line.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString ToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString LocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString Unavailable = QStringLiteral("System Information Is Unavailable At This Time");

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray data;
    for (int value : values)
        data.append(static_cast<char>(value));
    return data;
}

// The title and version the program gives itself, for the length of a test.
class AboutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_oldVersion = QCoreApplication::applicationVersion();
        QCoreApplication::setApplicationVersion(QStringLiteral("2.3.17"));
    }
    void TearDown() override { QCoreApplication::setApplicationVersion(m_oldVersion); }

    // A box over the given registry and launcher, whose messages are recorded.
    std::unique_ptr<frmAbout> makeBox(std::unique_ptr<Registry> registry, std::unique_ptr<ProgramLauncher> launcher)
    {
        auto box = std::make_unique<frmAbout>(QStringLiteral("KAVEL Player"), std::move(registry), std::move(launcher));
        box->setMessageReporter(&reporter);
        return box;
    }

    RecordingReporter reporter;

private:
    QString m_oldVersion;
};

struct VersionCase {
    const char *version;
    const char *label;
};

class AboutVersion : public AboutTest, public ::testing::WithParamInterface<VersionCase>
{
};

TEST_P(AboutVersion, LabelShowsMajorMinorAndRevisionInDecimal)
{
    QCoreApplication::setApplicationVersion(QLatin1String(GetParam().version));
    frmAbout box(QStringLiteral("KAVEL Player"), std::make_unique<MemoryRegistry>(),
                 std::make_unique<RecordingLauncher>());
    EXPECT_EQ(box.lblVersion->text(), QLatin1String(GetParam().label));
}

INSTANTIATE_TEST_SUITE_P(Versions, AboutVersion,
                         ::testing::Values(VersionCase {"2.3.17", "Version 2.3.17"},
                                           VersionCase {"1.0.5", "Version 1.0.5"},
                                           VersionCase {"4.02", "Version 4.2.0"}));

TEST_F(AboutTest, FaceCarriesTheTitleAndTheDesignedControls)
{
    frmAbout box(QStringLiteral("Some Title"), std::make_unique<MemoryRegistry>(),
                 std::make_unique<RecordingLauncher>());
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About Some Title"));
    EXPECT_EQ(box.lblTitle->text(), QStringLiteral("Some Title"));
    EXPECT_EQ(box.size(), QSize(273, 237));

    EXPECT_EQ(box.Text1->toPlainText(), QStringLiteral("ALT+Enter   (Toggle FullScreen"));
    EXPECT_TRUE(box.Text1->isReadOnly());
    EXPECT_EQ(box.Text1->geometry(), QRect(4, 60, 265, 65));
    EXPECT_EQ(box.lblDisclaimer->text(), QStringLiteral("Warning: ...None..."));
    EXPECT_EQ(box.cmdOK->text(), QStringLiteral("OK"));
    EXPECT_EQ(box.cmdOK->geometry(), QRect(96, 179, 84, 23));
    EXPECT_EQ(box.cmdSysInfo->text(), QStringLiteral("&System Info..."));
    EXPECT_EQ(box.cmdSysInfo->geometry(), QRect(96, 209, 83, 23));

    ASSERT_EQ(box.Line1.size(), 2);
    EXPECT_EQ(box.Line1[0]->BorderColor(), 0x808080u);
    EXPECT_EQ(box.Line1[0]->from(), QPoint(8, 128));
    EXPECT_EQ(box.Line1[0]->to(), QPoint(268, 128));
    EXPECT_EQ(box.Line1[1]->BorderColor(), 0xFFFFFFu);
    EXPECT_EQ(box.Line1[1]->from(), QPoint(7, 128));
    EXPECT_EQ(box.Line1[1]->to(), QPoint(268, 128));
}

TEST_F(AboutTest, OkUnloadsAndDeletesTheBox)
{
    QPointer<frmAbout> box = new frmAbout(QStringLiteral("KAVEL Player"), std::make_unique<MemoryRegistry>(),
                                          std::make_unique<RecordingLauncher>());
    box->show();
    ASSERT_TRUE(waitFor([&] { return box->isVisible(); }));
    QTest::mouseClick(box->cmdOK, Qt::LeftButton);
    EXPECT_TRUE(box.isNull() || !box->isVisible());
    EXPECT_TRUE(waitFor([&] { return box.isNull(); }));
}

TEST_F(AboutTest, ClosingTheWindowAlsoDeletesTheBox)
{
    QPointer<frmAbout> box = new frmAbout(QStringLiteral("KAVEL Player"), std::make_unique<MemoryRegistry>(),
                                          std::make_unique<RecordingLauncher>());
    box->show();
    box->close();
    EXPECT_TRUE(waitFor([&] { return box.isNull(); }));
}

struct KeyCase {
    const char *name;
    bool keyPresent;
    bool valuePresent;
    Registry::ValueType type;
    QByteArray data;
    bool result;
    QString keyVal; // the text before the call is "before"
};

void PrintTo(const KeyCase &c, std::ostream *out)
{
    *out << c.name;
}

class GetKeyValueCase : public AboutTest, public ::testing::WithParamInterface<KeyCase>
{
};

TEST_P(GetKeyValueCase, ReadsTheValueAndAlwaysClosesTheKey)
{
    const KeyCase &c = GetParam();
    auto registry = std::make_unique<MemoryRegistry>();
    MemoryRegistry &memory = *registry;
    if (c.keyPresent)
        memory.addKey(QStringLiteral("Some\\Key"));
    if (c.valuePresent)
        memory.setValue(QStringLiteral("Some\\Key"), QStringLiteral("Value"), c.type, c.data);
    auto box = makeBox(std::move(registry), std::make_unique<RecordingLauncher>());

    QString keyVal = QStringLiteral("before");
    EXPECT_EQ(box->GetKeyValue(Registry::LocalMachine, QStringLiteral("Some\\Key"), QStringLiteral("Value"), keyVal),
              c.result);
    EXPECT_EQ(keyVal, c.keyVal);
    EXPECT_EQ(memory.accessAsked, QList<std::uint32_t> {0x2003F});
    EXPECT_TRUE(memory.openKeys.isEmpty());
    // Once, also when the key never opened (handle 0).
    EXPECT_EQ(memory.closedHandles, QList<Registry::Handle> {c.keyPresent ? 1u : 0u});
}

const QString before = QStringLiteral("before");

INSTANTIATE_TEST_SUITE_P(
    Values, GetKeyValueCase,
    ::testing::Values(
        KeyCase {"KeyMissing", false, false, Registry::ValueType::String, {}, false, {}},
        KeyCase {"ValueMissing", true, false, Registry::ValueType::String, {}, false, {}},
        KeyCase {"StringLosesItsTerminator", true, true, Registry::ValueType::String,
                 QByteArray("C:\\Tools\\tool.exe", 17) + '\0', true, QStringLiteral("C:\\Tools\\tool.exe")},
        KeyCase {"StringWithoutTerminatorKeepsItsLastCharacter", true, true, Registry::ValueType::String,
                 QByteArray("abc"), true, QStringLiteral("abc")},
        KeyCase {"OnlyOneTerminatorIsCut", true, true, Registry::ValueType::String, QByteArray("abc\0\0", 5), true,
                 QString::fromLatin1("abc\0", 4)},
        KeyCase {"EmptyString", true, true, Registry::ValueType::String, QByteArray(), true, {}},
        KeyCase {"StringFillingTheBuffer", true, true, Registry::ValueType::String, QByteArray(1024, 'a'), true,
                 QString(1024, u'a')},
        KeyCase {"StringLongerThanTheBufferIsAbsent",
                 true,
                 true,
                 Registry::ValueType::String,
                 QByteArray(1024, 'a') + '\0',
                 false,
                 {}},
        KeyCase {"DWordInHexadecimal", true, true, Registry::ValueType::DWord, bytes({0xB3, 0xA2, 0x01, 0x00}), true,
                 QStringLiteral("&h1A2B3")},
        KeyCase {"DWordKeepsInnerZeroBytes", true, true, Registry::ValueType::DWord, bytes({0x03, 0x02, 0x01, 0x00}),
                 true, QStringLiteral("&h10203")},
        KeyCase {"DWordZero", true, true, Registry::ValueType::DWord, bytes({0, 0, 0, 0}), true, QStringLiteral("&h0")},
        KeyCase {"ExpandableStringLeavesKeyValAsItWas", true, true, static_cast<Registry::ValueType>(2),
                 QByteArray("%HOME%", 7), true, before},
        KeyCase {"BinaryLeavesKeyValAsItWas", true, true, static_cast<Registry::ValueType>(3), bytes({1, 2}), true,
                 before}),
    [](const ::testing::TestParamInfo<KeyCase> &info) { return std::string(info.param.name); });

// The tool's lookups, over a registry held in memory.
class StartSysInfoTest : public AboutTest
{
protected:
    std::unique_ptr<frmAbout> makeBox(bool launcherSucceeds = true)
    {
        auto launcher = std::make_unique<RecordingLauncher>(launcherSucceeds);
        m_launcher = launcher.get();
        return AboutTest::makeBox(std::move(m_registry), std::move(launcher));
    }
    void setString(const QString &key, const QString &name, const QString &text)
    {
        m_registry->setValue(key, name, Registry::ValueType::String, text.toLocal8Bit() + '\0');
    }
    QStringList started() const { return m_launcher->started; }

private:
    std::unique_ptr<MemoryRegistry> m_registry = std::make_unique<MemoryRegistry>();
    RecordingLauncher *m_launcher = nullptr;
};

TEST_F(StartSysInfoTest, FirstEntryIsStartedAsItIsWithoutLookingForTheFile)
{
    setString(ToolKey, QStringLiteral("PATH"), QStringLiteral("/nowhere/tool"));
    setString(LocationKey, QStringLiteral("MSINFO"), QStringLiteral("/elsewhere"));
    auto box = makeBox();
    box->cmdSysInfo->click();
    EXPECT_EQ(started(), QStringList {QStringLiteral("/nowhere/tool")});
    EXPECT_TRUE(reporter.messages.isEmpty());
}

TEST_F(StartSysInfoTest, AFailedStartSaysUnavailableAndTheBoxStaysOpen)
{
    setString(ToolKey, QStringLiteral("PATH"), QStringLiteral("/nowhere/tool"));
    auto box = makeBox(false);
    box->show();
    box->StartSysInfo();
    EXPECT_EQ(started(), QStringList {QStringLiteral("/nowhere/tool")});
    EXPECT_EQ(reporter.messages, QStringList {Unavailable});
    EXPECT_EQ(reporter.titles, QStringList {QStringLiteral("KAVEL Player")});
    EXPECT_TRUE(box->isVisible());
}

TEST_F(StartSysInfoTest, NoEntrySaysUnavailable)
{
    auto box = makeBox();
    box->StartSysInfo();
    EXPECT_TRUE(started().isEmpty());
    EXPECT_EQ(reporter.messages, QStringList {Unavailable});
}

TEST_F(StartSysInfoTest, PressingTwiceStartsTwice)
{
    setString(ToolKey, QStringLiteral("PATH"), QStringLiteral("/usr/bin/tool"));
    auto box = makeBox();
    box->cmdSysInfo->click();
    box->cmdSysInfo->click();
    EXPECT_EQ(started(), QStringList(2, QStringLiteral("/usr/bin/tool")));
}

struct FolderCase {
    const char *name;
    const char *folder; // the entry, under a temporary folder
    const char *existing; // what exists in that folder ("" nothing)
    bool isFolder; // and is a folder rather than a file
    const char *started; // the program started, "" none
};

void PrintTo(const FolderCase &c, std::ostream *out)
{
    *out << c.name;
}

class SecondEntry : public StartSysInfoTest, public ::testing::WithParamInterface<FolderCase>
{
};

TEST_P(SecondEntry, NamesTheFolderThatMustHoldTheProgram)
{
    const FolderCase &c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString existing = QString::fromLatin1(c.existing);
    if (c.isFolder) {
        ASSERT_TRUE(QDir(dir.path()).mkdir(existing));
    } else if (!existing.isEmpty()) {
        QFile file(dir.filePath(existing));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    setString(LocationKey, QStringLiteral("MSINFO"), dir.path() + u'/' + QLatin1String(c.folder));
    auto box = makeBox();
    box->StartSysInfo();

    const QString expected = QString::fromLatin1(c.started);
    if (expected.isEmpty()) {
        EXPECT_TRUE(started().isEmpty());
        EXPECT_EQ(reporter.messages, QStringList {Unavailable});
    } else {
        EXPECT_EQ(started(), QStringList {dir.path() + u'/' + expected});
        EXPECT_TRUE(reporter.messages.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Folders, SecondEntry,
    ::testing::Values(FolderCase {"ProgramInTheFolder", "tools", "tools\\MSINFO32.EXE", false, "tools\\MSINFO32.EXE"},
                      FolderCase {"TrailingBackslashIsKept", "tools\\", "tools\\\\MSINFO32.EXE", false,
                                  "tools\\\\MSINFO32.EXE"},
                      FolderCase {"NoBackslashIsTakenAway", "tools\\", "tools\\MSINFO32.EXE", false, ""},
                      FolderCase {"ProgramMissing", "tools", "", false, ""},
                      FolderCase {"AFolderIsNoProgram", "tools", "tools\\MSINFO32.EXE", true, ""}),
    [](const ::testing::TestParamInfo<FolderCase> &info) { return std::string(info.param.name); });

// The platform's own registry, with the tools on PATH under the test's control.
class PlatformLookup : public AboutTest
{
protected:
    QTemporaryDir bin;
    ScopedEnvironment path {"PATH", bin.path().toLocal8Bit()};
    ScopedEnvironment desktop {"XDG_CURRENT_DESKTOP", QByteArray()};
};

TEST_F(PlatformLookup, StartsAnInstalledSystemInformationProgram)
{
    QFile tool(bin.filePath(QStringLiteral("hardinfo")));
    ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
    tool.write("#!/bin/sh\n");
    tool.close();
    ASSERT_TRUE(tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    auto launcher = std::make_unique<RecordingLauncher>();
    RecordingLauncher &recorded = *launcher;
    auto box = makeBox(Registry::create(), std::move(launcher));
    box->StartSysInfo();
    EXPECT_EQ(recorded.started, QStringList {tool.fileName()});
    EXPECT_TRUE(reporter.messages.isEmpty());
}

TEST_F(PlatformLookup, WithoutOneSaysUnavailable)
{
    auto launcher = std::make_unique<RecordingLauncher>();
    RecordingLauncher &recorded = *launcher;
    auto box = makeBox(Registry::create(), std::move(launcher));
    box->StartSysInfo();
    EXPECT_TRUE(recorded.started.isEmpty());
    EXPECT_EQ(reporter.messages, QStringList {Unavailable});
}

} // namespace
