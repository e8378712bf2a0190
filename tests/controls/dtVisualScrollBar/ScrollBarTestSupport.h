// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecordingReporter.h"
#include "controls/dtVisualScrollBar/ScrollBarBox.h"
#include "controls/dtVisualScrollBar/dtVisualScrollBar.h"
#include "runtime/Units.h"

#include <QList>
#include <QSignalSpy>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

// Shared fixtures of the scroll bar tests: a bar on a shown form whose messages
// are recorded instead of shown, and counters of its events.

class HostedBar
{
public:
    HostedBar()
        : bar(new dtVisualScrollBar(&host))
        , changes(bar, &dtVisualScrollBar::Change)
        , scrolls(bar, &dtVisualScrollBar::Scroll)
    {
        bar->setMessageReporter(&reporter);
        host.resize(2400, 1200);
        host.show();
    }

    // A new instance drawn on a form at the given size, as a designer creates it.
    void drawNew(double widthTwips, double heightTwips)
    {
        bar->InitProperties();
        bar->setGeometry(0, 0, runtime::Units::twipsToPixelsX(widthTwips), runtime::Units::twipsToPixelsY(heightTwips));
    }

    void resizeTwips(double widthTwips, double heightTwips)
    {
        bar->resize(runtime::Units::twipsToPixelsX(widthTwips), runtime::Units::twipsToPixelsY(heightTwips));
    }

    QWidget *widget(const char *name) const { return bar->findChild<QWidget *>(QLatin1String(name)); }

    void clearCounts()
    {
        changes.clear();
        scrolls.clear();
        reporter.messages.clear();
        reporter.titles.clear();
    }

    QWidget host;
    dtVisualScrollBar *bar;
    RecordingReporter reporter;
    QSignalSpy changes;
    QSignalSpy scrolls;
};

// A plain picture of the given size in pixels.
inline runtime::Picture pictureOf(int width, int height, QColor colour = Qt::gray)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return runtime::Picture(image);
}

// The layout arithmetic of these tests is stated for 15 twips per pixel.
inline void expectStandardScreen()
{
    ASSERT_EQ(runtime::Units::twipsPerPixelX(), 15);
    ASSERT_EQ(runtime::Units::twipsPerPixelY(), 15);
}
