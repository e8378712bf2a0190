// SPDX-License-Identifier: GPL-3.0-or-later
#include "MprisClient.h"
#include "PlayerProcess.h"
#include "desktop/SessionBus.h"

// The keys and the mouse on the player as a user runs it; what they did is read as the
// desktop's media controls read it.

TEST(KeysAndMouseE2E, SpaceArrowsWheelEscAndADoubleClickWorkThePlayer)
{
    const desktop::SessionBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon did not start";
    const QDBusConnection desktop = bus.connection();
    QTemporaryDir home;
    PlayerProcess player(home);
    player.useSessionBus(bus.address());
    player.start({clip("long.avi")});
    std::optional<QString> window;
    ASSERT_TRUE(waitFor([&] { return (window = mainWindow()).has_value(); }, 20000));
    const std::optional<QRect> frame = settledGeometry(*window);
    ASSERT_TRUE(frame);
    const auto status = [&] {
        return playerProperty(desktop, QStringLiteral("PlaybackStatus")).toString();
    };
    const auto position = [&] {
        return playerProperty(desktop, QStringLiteral("Position")).toLongLong();
    };
    const auto volume = [&] {
        return playerProperty(desktop, QStringLiteral("Volume")).toDouble();
    };
    ASSERT_TRUE(waitFor([&] { return status() == QStringLiteral("Playing"); }, 20000));
    ASSERT_TRUE(xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), *window}));
    const auto key = [](const char *name) {
        return xdotool({QStringLiteral("key"), QString::fromLatin1(name)});
    };

    ASSERT_TRUE(key("space"));
    EXPECT_TRUE(waitFor([&] { return status() == QStringLiteral("Paused"); })) << "Space did not pause";
    const qlonglong paused = position();
    ASSERT_TRUE(key("Right"));
    EXPECT_TRUE(waitFor([&] { return position() >= paused + 4'000'000; })) << "Right did not seek";
    EXPECT_LE(position(), paused + 6'000'000);
    ASSERT_TRUE(key("space"));
    EXPECT_TRUE(waitFor([&] { return status() == QStringLiteral("Playing"); })) << "Space did not play";

    // A notch down over the volume bar, which the window keeps 66 pixels in from its right edge
    // in the form's row.
    const double loud = volume();
    const QRect volumeBar = desktop::formControlRect(QStringLiteral("V1"));
    const QPoint bar(frame->x() + frame->width() - 66 + volumeBar.width() / 2, frame->y() + volumeBar.center().y());
    ASSERT_TRUE(xdotool({QStringLiteral("mousemove"), QString::number(bar.x()), QString::number(bar.y())}));
    ASSERT_TRUE(xdotool({QStringLiteral("click"), QStringLiteral("5")}));
    EXPECT_TRUE(waitFor([&] { return volume() < loud; })) << "the wheel did not move the volume bar";

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const auto fullScreen = [&] {
        for (const QString &shown : playerWindows()) {
            if (windowGeometry(shown) == screen)
                return true;
        }
        return false;
    };
    ASSERT_TRUE(key("f"));
    ASSERT_TRUE(waitFor(fullScreen)) << "F did not fill the screen";
    ASSERT_TRUE(key("Escape"));
    EXPECT_TRUE(waitFor([&] { return !fullScreen(); })) << "Esc did not leave full screen";

    const auto doubleClickAt = [](QPoint point) {
        return xdotool({QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y())})
            && xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
                        QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")});
    };
    const QPoint picture = videoArea(*frame).center();
    ASSERT_TRUE(doubleClickAt(picture));
    ASSERT_TRUE(waitFor(fullScreen)) << "a double click on the picture did not fill the screen";
    ASSERT_TRUE(doubleClickAt(screen.center()));
    EXPECT_TRUE(waitFor([&] { return !fullScreen(); })) << "a double click did not leave full screen";
}
