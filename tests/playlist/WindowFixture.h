// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "QtPrinters.h"
#include "RecordingReporter.h"
#include "playlist/frmWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A double-click as the system delivers it: press, release, double-click, release.
inline void doubleClickAt(QWidget *widget, QPoint at)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

// A folder of its own for each test, and a playlist window opened in it (once
// the test has put its files there) with its messages recorded.
class WindowFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        previousFolder = QDir::currentPath();
        QDir::setCurrent(folder.path());
    }

    void openWindow()
    {
        window = std::make_unique<frmWrite>(6000);
        window->setMessageReporter(&reporter);
    }

    void TearDown() override
    {
        window.reset();
        QDir::setCurrent(previousFolder);
    }

    // The folder as the process sees it (a temporary folder may lie behind a symbolic link).
    QString path(const QString &name) const
    {
        return QDir::toNativeSeparators(QDir(QFileInfo(folder.path()).canonicalFilePath()).filePath(name));
    }

    QString writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            ADD_FAILURE() << "cannot prepare " << name.toStdString();
        return path(name);
    }

    static QByteArray readFile(const QString &filePath)
    {
        QFile file(filePath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

    QTemporaryDir folder;
    QString previousFolder;
    RecordingReporter reporter;
    std::unique_ptr<frmWrite> window;
};
