// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakeGraph.h"
#include "FakeNotifyIconHost.h"
#include "RecordingReporter.h"

#include "player/Form1.h"
#include "playlist/ListBox.h"
#include "playlist/frmWrite.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// The main window over fake graphs and a fake notification area, with its
// messages recorded and a folder of its own for the files a test chooses.
class Form1Fixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        form = std::make_unique<Form1>(graphs.factory(), &tray);
        form->setMessageReporter(&messages);
    }

    void load(const QString &commandLine = {}) { form->Form_Load(commandLine); }

    // A file that exists, for the dialogs to choose.
    QString file(const QString &name, const QByteArray &content = {})
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }

    QString playlistOf(const QStringList &entries)
    {
        QByteArray bytes;
        for (const QString &entry : entries)
            bytes += entry.toUtf8() + "\r\n";
        return file(QStringLiteral("list.pls"), bytes);
    }

    // The calls graph number n received, in order.
    QStringList callsOf(int graph) const
    {
        const QString prefix = QStringLiteral("#%1 ").arg(graph);
        QStringList calls;
        for (const QString &line : graphs.log) {
            if (line.startsWith(prefix))
                calls.append(line.mid(prefix.size()));
        }
        return calls;
    }

    // The files graphs were built for, in order.
    QStringList rendered() const
    {
        QStringList paths;
        for (const QString &line : graphs.log) {
            const qsizetype at = line.indexOf(QStringLiteral(" RenderFile "));
            if (at >= 0)
                paths.append(line.mid(at + 12));
        }
        return paths;
    }

    playlist::ListBox &list() { return *form->playlistWindow().List1; }

    QTemporaryDir dir;
    FakeGraphFactory graphs;
    FakeNotifyIconHost tray;
    RecordingReporter messages;
    std::unique_ptr<Form1> form;
};
