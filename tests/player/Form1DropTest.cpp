// SPDX-License-Identifier: GPL-3.0-or-later
#include "DragAndDrop.h"
#include "FileDialogDriver.h"
#include "Form1Fixture.h"
#include "QtPrinters.h"

#include <QDir>

using Form1DropTest = Form1Fixture;

namespace {

// What a main window has done with a file: the graphs' calls, the playlist and its hand-over.
struct Outcome {
    QStringList graphCalls;
    QStringList entries;
    bool playlistShown = false;
    bool plscomm = false;
    std::int16_t playlistMode = 0;
    QString currentFile;
};

Outcome outcomeOf(Form1 &form, const FakeGraphFactory &graphs)
{
    Outcome outcome {graphs.log, {}, false, false, form.PlaylistMode, form.CurrentFile};
    if (form.hasPlaylistWindow()) {
        outcome.entries = form.playlistWindow().List1->entries();
        outcome.playlistShown = form.playlistWindow().isVisible();
        outcome.plscomm = form.playlistWindow().plscomm;
    }
    return outcome;
}

} // namespace

TEST_F(Form1DropTest, DroppedFileOpensAsTheOpenDialogOpensIt)
{
    const QString clip = file(QStringLiteral("clip.avi"));
    const QByteArray entries = (clip + QStringLiteral("\r\n") + clip + QStringLiteral("\r\n")).toUtf8();
    const QString cases[] = {
        clip, file(QStringLiteral("upper.PLS"), entries), // a playlist
        file(QStringLiteral("mixed.Pls"), entries), // a media file to the graph
    };
    for (const QString &path : cases) {
        SCOPED_TRACE(path.toStdString());
        FakeGraphFactory chosenGraphs;
        FakeNotifyIconHost chosenTray;
        Form1 chosen(chosenGraphs.factory(), &chosenTray);
        chosen.setMessageReporter(&messages);
        chosen.Form_Load(QString());
        answerNextFileDialog(path);
        chosen.LoadFile();

        FakeGraphFactory droppedGraphs;
        FakeNotifyIconHost droppedTray;
        Form1 dropped(droppedGraphs.factory(), &droppedTray);
        dropped.setMessageReporter(&messages);
        dropped.Form_Load(QString());
        const DragOutcome drag = dragAndDrop(&dropped, *filesData({path}));
        EXPECT_TRUE(drag.entered);
        EXPECT_TRUE(drag.dropped);
        EXPECT_EQ(drag.action, Qt::CopyAction);

        const Outcome expected = outcomeOf(chosen, chosenGraphs);
        const Outcome actual = outcomeOf(dropped, droppedGraphs);
        EXPECT_FALSE(expected.graphCalls.isEmpty() && expected.entries.isEmpty()) << "the dialog opened nothing";
        EXPECT_EQ(actual.graphCalls, expected.graphCalls);
        EXPECT_EQ(actual.entries, expected.entries);
        EXPECT_EQ(actual.playlistShown, expected.playlistShown);
        EXPECT_EQ(actual.plscomm, expected.plscomm);
        EXPECT_EQ(actual.playlistMode, expected.playlistMode);
        EXPECT_EQ(actual.currentFile, expected.currentFile);
    }
}

TEST_F(Form1DropTest, OnlyTheFirstOfSeveralFilesOpens)
{
    load();
    const QString first = file(QStringLiteral("first.avi"));
    const QString second = file(QStringLiteral("second.avi"));
    EXPECT_TRUE(dragAndDrop(form.get(), *filesData({first, second})).dropped);
    EXPECT_EQ(rendered(), QStringList {first});
}

TEST_F(Form1DropTest, WhatIsNotALocalFileIsNotEvenTaken)
{
    load(QStringLiteral("/films/one.avi"));
    auto web = std::make_unique<QMimeData>();
    web->setUrls({QUrl(QStringLiteral("https://example.org/film.avi"))});
    auto text = std::make_unique<QMimeData>();
    text->setText(file(QStringLiteral("named.avi")));
    QDir(dir.path()).mkdir(QStringLiteral("folder.avi"));
    const auto folder = filesData({dir.filePath(QStringLiteral("folder.avi"))});
    for (const QMimeData *data : {web.get(), text.get(), folder.get()}) {
        SCOPED_TRACE(data->formats().join(u' ').toStdString());
        EXPECT_FALSE(dragAndDrop(form.get(), *data).entered);
    }
    EXPECT_EQ(rendered(), QStringList {QStringLiteral("/films/one.avi")});
    EXPECT_EQ(form->CurrentFile, QStringLiteral("/films/one.avi"));
}
