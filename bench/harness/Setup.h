#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

// What every measurement shares: the programs and where the picture shows.
struct Setup {
    QString playerBinary;
    // The in-process benchmarks of the playlist window.
    QString playlistLoadBinary;
    QString addAllBinary;
    // The engine options the player gives libmpv, as mpv command line options.
    QStringList mpvOptions;
    // The size of the player's main window.
    QSize playerWindow;

    // Bare mpv's window: the player's picture area (below its 40-pixel title strip) where
    // the player means its window to be, in the middle of the 1280x1024 screen.
    QRect videoArea() const
    {
        const QPoint topLeft((1280 - playerWindow.width()) / 2, (1024 - playerWindow.height()) / 2);
        return QRect(topLeft, playerWindow).adjusted(0, 40, 0, 0);
    }
};

// The options of libmpv that the player sets, read from its engine's source so that bare
// mpv runs with the same ones: each {"name", "value"} pair becomes --name=value. An option
// this mpv does not know is left out, as libmpv of the same version ignores it for the player.
QStringList engineOptionsFrom(const QString &sourceFile);
