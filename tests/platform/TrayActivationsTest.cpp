// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TrayActivations.h"

#include <gtest/gtest.h>

// Activations as Qt reports them from an XEmbed tray and from a StatusNotifier
// host, at the times they arrive, and the mouse messages the icon's window hears.

namespace {

constexpr std::uint32_t Down = 0x0201, Up = 0x0202, Double = 0x0203, RightDown = 0x0204;

struct Activation {
    QSystemTrayIcon::ActivationReason reason;
    qint64 at;
};

constexpr auto Trigger = QSystemTrayIcon::Trigger;
constexpr auto DoubleClick = QSystemTrayIcon::DoubleClick;
constexpr auto Context = QSystemTrayIcon::Context;
constexpr auto MiddleClick = QSystemTrayIcon::MiddleClick;

} // namespace

TEST(TrayActivations, TwoTriggersWithinThePairingIntervalAreADoubleClick)
{
    const struct {
        const char *name;
        int pairingIntervalMs;
        std::vector<Activation> activations;
        std::vector<std::uint32_t> mouseMessages;
    } cases[] = {
        {"a click", 400, {{Trigger, 0}}, {Down, Up}},
        {"a double click on a StatusNotifier host", 400, {{Trigger, 1000}, {Trigger, 1120}}, {Down, Up, Double, Up}},
        {"just inside the interval", 400, {{Trigger, 0}, {Trigger, 399}}, {Down, Up, Double, Up}},
        {"two clicks the interval apart", 400, {{Trigger, 0}, {Trigger, 400}}, {Down, Up, Down, Up}},
        {"the desktop's longer interval", 800, {{Trigger, 0}, {Trigger, 600}}, {Down, Up, Double, Up}},
        {"a third quick click after a double click",
         400,
         {{Trigger, 0}, {Trigger, 120}, {Trigger, 240}},
         {Down, Up, Double, Up, Down, Up}},
        {"four quick clicks",
         400,
         {{Trigger, 0}, {Trigger, 100}, {Trigger, 200}, {Trigger, 300}},
         {Down, Up, Double, Up, Down, Up, Double, Up}},
        {"a double click on an XEmbed tray", 0, {{Trigger, 0}, {DoubleClick, 120}}, {Down, Up, Double, Up}},
        {"two clicks on an XEmbed tray that arrive together", 0, {{Trigger, 0}, {Trigger, 10}}, {Down, Up, Down, Up}},
        {"a triple click on an XEmbed tray",
         0,
         {{Trigger, 0}, {DoubleClick, 100}, {Trigger, 200}},
         {Down, Up, Double, Up, Down, Up}},
        {"a right click", 400, {{Context, 0}}, {RightDown}},
        {"a right click between two clicks",
         400,
         {{Trigger, 0}, {Context, 100}, {Trigger, 200}},
         {Down, Up, RightDown, Down, Up}},
        {"a middle click between two clicks",
         400,
         {{Trigger, 0}, {MiddleClick, 100}, {Trigger, 200}},
         {Down, Up, Down, Up}},
    };
    for (const auto &c : cases) {
        TrayActivations activations;
        std::vector<std::uint32_t> heard;
        for (const Activation &activation : c.activations) {
            const std::vector<std::uint32_t> messages
                = activations.mouseMessages(activation.reason, activation.at, c.pairingIntervalMs);
            heard.insert(heard.end(), messages.begin(), messages.end());
        }
        EXPECT_EQ(heard, c.mouseMessages) << c.name;
    }
}
