// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

// A name of its own for each test, so parallel runs and a running player never meet.
QString uniqueName()
{
    static int count = 0;
    return QStringLiteral("kavel-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(++count);
}

QString lockFile(const QString &name)
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)).filePath(name + ".lock");
}

// Another instance, in a process of its own.
class OtherInstance
{
public:
    explicit OtherInstance(const QString &name) { m_process.start(QStringLiteral(KAVEL_LOCK_HOLDER), {name}); }
    ~OtherInstance()
    {
        m_process.kill();
        m_process.waitForFinished(10000);
    }

    // "first" or "previous", as the other instance found it.
    QString answer()
    {
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(10000))
                return QStringLiteral("no answer");
        }
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }

    bool quit()
    {
        m_process.closeWriteChannel();
        return m_process.waitForFinished(10000) && m_process.exitStatus() == QProcess::NormalExit;
    }

    bool crash()
    {
        m_process.kill(); // SIGKILL: nothing is cleaned up
        return m_process.waitForFinished(10000);
    }

private:
    QProcess m_process;
};

} // namespace

TEST(SingleInstance, SecondInstanceInOneProcess)
{
    const QString name = uniqueName();
    {
        const SingleInstance first(name);
        EXPECT_FALSE(first.PrevInstance());
        EXPECT_TRUE(QFileInfo::exists(lockFile(name)));

        const SingleInstance second(name);
        EXPECT_TRUE(second.PrevInstance());
        const SingleInstance unrelated(uniqueName());
        EXPECT_FALSE(unrelated.PrevInstance());
    }
    EXPECT_FALSE(QFileInfo::exists(lockFile(name)));
    const SingleInstance afterwards(name);
    EXPECT_FALSE(afterwards.PrevInstance());
}

TEST(SingleInstance, InstanceInAnotherProcess)
{
    const QString name = uniqueName();
    OtherInstance other(name);
    ASSERT_EQ(other.answer().toStdString(), "first");
    EXPECT_TRUE(SingleInstance(name).PrevInstance());

    ASSERT_TRUE(other.quit());
    EXPECT_FALSE(SingleInstance(name).PrevInstance());
}

TEST(SingleInstance, ProcessSeesThisInstance)
{
    const QString name = uniqueName();
    const SingleInstance first(name);
    ASSERT_FALSE(first.PrevInstance());
    OtherInstance other(name);
    EXPECT_EQ(other.answer().toStdString(), "previous");
}

TEST(SingleInstance, CrashedInstanceIsTakenOverAtOnce)
{
    const QString name = uniqueName();
    OtherInstance crashed(name);
    ASSERT_EQ(crashed.answer().toStdString(), "first");
    ASSERT_TRUE(crashed.crash());
    ASSERT_TRUE(QFileInfo::exists(lockFile(name))); // left behind by the crash

    const SingleInstance next(name);
    EXPECT_FALSE(next.PrevInstance());
    OtherInstance later(name);
    EXPECT_EQ(later.answer().toStdString(), "previous");
}
