// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1Fixture.h"
#include "QtPrinters.h"
#include "desktop/WaitFor.h"

#include "controls/ButtonEx/ButtonEx.h"

#include <QProcess>
#include <QTest>
#include <QTimer>

// The main window on a real display, where the user's input comes from the
// window system as it does on a desktop.

namespace {

// Counts how often a widget is painted.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

using Form1DisplayTest = Form1Fixture;

TEST_F(Form1DisplayTest, SlowFileKeepsTheWindowPaintingAndTheUsersClickWaits)
{
    load();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    graphs.next.loadMs = 3000;
    PaintCounter painted(form->Label1);
    QTimer repaint;
    QObject::connect(&repaint, &QTimer::timeout, form->Label1, qOverload<>(&QWidget::update));
    repaint.start(100);

    // A click on the playlist button a second into the load, through the window system.
    const QPoint button = form->ButtonEx5->mapToGlobal(QPoint(6, 6));
    QProcess click;
    bool shownDuringTheLoad = false;
    QTimer::singleShot(1000, [&] {
        click.start(QStringLiteral("xdotool"),
                    {QStringLiteral("mousemove"), QString::number(button.x()), QString::number(button.y()),
                     QStringLiteral("click"), QStringLiteral("1")});
    });
    QTimer::singleShot(2500, [&] { shownDuringTheLoad = form->hasPlaylistWindow(); });

    form->CurrentFile = QStringLiteral("/share/slow.avi");
    form->LoadCommFile();
    EXPECT_GE(painted.paints, 10) << "the window froze while the file loaded";
    EXPECT_EQ(click.exitCode(), 0);
    EXPECT_FALSE(shownDuringTheLoad) << "the click ran inside the opening sequence";
    EXPECT_EQ(callsOf(1).last(), QStringLiteral("CurrentPosition 0")) << "the sequence ran to its end";
    EXPECT_TRUE(waitFor([&] { return form->hasPlaylistWindow() && form->playlistWindow().isVisible(); }))
        << "the click was lost instead of waiting";
}

TEST_F(Form1DisplayTest, AWindowShownOverAButtonUnderTheRestingPointerEndsItsHover)
{
    load();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    // The pointer comes to rest on the full-screen button, as it does for a click on it: it moves
    // over it until the button shows that it is there.
    const QPoint centre = form->ButtonEx4->mapToGlobal(QPoint(6, 6));
    int step = 0;
    ASSERT_TRUE(waitFor([&] {
        QProcess::execute(
            QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QString::number(centre.x() + (step++ % 3) - 1), QString::number(centre.y())});
        return form->ButtonEx4->CurrentState() == ButtonEx::Hover;
    }));

    // The picture across the whole screen covers the button: the pointer has not moved, but the
    // button no longer has it, and stops asking the window system where it is.
    QWidget fullScreen;
    fullScreen.showFullScreen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fullScreen));
    const auto *hoverTimer = form->ButtonEx4->findChild<QTimer *>(QStringLiteral("Timer1"));
    ASSERT_TRUE(hoverTimer);
    EXPECT_TRUE(waitFor([&] { return !hoverTimer->isActive(); })) << "the covered button goes on polling the pointer";
    EXPECT_EQ(form->ButtonEx4->CurrentState(), ButtonEx::Up);
}
