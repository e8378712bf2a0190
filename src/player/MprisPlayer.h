// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MediaGraph.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QVariantMap>

#include <memory>
#include <optional>

class Form1;

// Playback as a desktop's media keys and controls work it: each command is
// the one the main window's own button runs, seeking and the volume go
// through their bars, and what the engine does is told to the desktop as it
// changes, followed on the main window's clock.
class MprisPlayer : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(double Volume READ Volume WRITE SetVolume)
    Q_PROPERTY(qlonglong Position READ Position)
    Q_PROPERTY(double Rate READ Rate)
    Q_PROPERTY(double MinimumRate READ Rate)
    Q_PROPERTY(double MaximumRate READ Rate)
    Q_PROPERTY(bool CanGoNext READ CanControl)
    Q_PROPERTY(bool CanGoPrevious READ CanControl)
    Q_PROPERTY(bool CanPlay READ CanControl)
    Q_PROPERTY(bool CanPause READ CanControl)
    Q_PROPERTY(bool CanSeek READ CanControl)
    Q_PROPERTY(bool CanControl READ CanControl)

public:
    // service is the object the adaptor is exported with at objectPath on bus.
    MprisPlayer(QObject *service, Form1 &form, const QDBusConnection &bus, const QString &objectPath);

    QString PlaybackStatus();
    QVariantMap Metadata();
    // The volume bar's place, from 0 at its quiet end to 1 at its loud end.
    double Volume();
    void SetVolume(double volume);
    // Microseconds.
    qlonglong Position() const;
    double Rate() const { return 1.0; }
    bool CanControl() const { return true; }

public Q_SLOTS:
    void Next();
    void Previous();
    void Pause();
    void PlayPause();
    void Stop();
    void Play();
    void Seek(qlonglong Offset);
    void SetPosition(const QDBusObjectPath &TrackId, qlonglong Position);
    void OpenUri(const QString &Uri);

Q_SIGNALS:
    void Seeked(qlonglong Position);

private:
    // The file of the current graph, numbered anew for every graph the main window builds.
    struct Track {
        quint64 number = 0;
        QString path;
        bool playable = false;
        std::optional<double> duration;
        bool operator==(const Track &) const = default;
    };

    // Brings what the desktop was told up to date, telling it of every change when announce.
    void refresh(bool announce = true);
    QString statusNow() const;
    Track trackNow();
    double volumeNow() const;
    QVariantMap metadataNow() const;
    QDBusObjectPath trackId() const;
    std::optional<double> positionSeconds() const;
    void seekTo(double seconds);

    Form1 &m_form;
    QDBusConnection m_bus;
    QString m_objectPath;

    std::weak_ptr<MediaGraph> m_graph;
    bool m_hasGraph = false;
    quint64 m_graphsSeen = 0;
    QString m_graphPath;

    QString m_status;
    Track m_track;
    double m_volume = 0;
};
