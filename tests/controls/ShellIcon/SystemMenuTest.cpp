// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ShellIcon/SystemMenu.h"
#include "FakeNotifyIconHost.h"
#include "controls/ShellIcon/ShellIcon.h"

#include <QAction>

#include <gtest/gtest.h>

namespace {

QStringList offered(const SystemMenu &menu)
{
    QStringList names;
    for (const QAction *action : menu.actions()) {
        if (!action->isSeparator() && action->isEnabled())
            names << action->text().remove(u'&');
    }
    return names;
}

QAction *command(const SystemMenu &menu, const QString &name)
{
    for (QAction *action : menu.actions()) {
        if (action->text().remove(u'&') == name)
            return action;
    }
    return nullptr;
}

} // namespace

TEST(SystemMenu, OffersTheCommandsThatApplyToTheWindowsState)
{
    struct Case {
        const char *name;
        std::function<void(QWidget &)> setUp;
        QStringList commands;
    };
    const Case cases[] = {
        {"normal", [](QWidget &w) { w.show(); }, {"Move", "Size", "Minimize", "Maximize", "Close"}},
        {"maximized", [](QWidget &w) { w.showMaximized(); }, {"Restore", "Minimize", "Close"}},
        {"minimized", [](QWidget &w) { w.showMinimized(); }, {"Restore", "Maximize", "Close"}},
        {"fixed size",
         [](QWidget &w) {
             w.setFixedSize(200, 100);
             w.show();
         },
         {"Move", "Minimize", "Close"}},
        {"hidden", [](QWidget &) {}, {"Minimize", "Maximize", "Close"}},
    };
    for (const Case &c : cases) {
        QWidget window;
        c.setUp(window);
        SystemMenu menu;
        menu.popupFor(&window, QPoint(10, 10));
        EXPECT_EQ(offered(menu), c.commands) << c.name;
        EXPECT_EQ(menu.target(), &window);
        menu.close();
    }
}

TEST(SystemMenu, CommandsActOnTheirWindow)
{
    struct Case {
        const char *command;
        std::function<void(QWidget &)> setUp;
        std::function<bool(const QWidget &)> done;
    };
    const Case cases[] = {
        {"Minimize", [](QWidget &w) { w.show(); },
         [](const QWidget &w) {
             return w.isMinimized();
         }},
        {"Maximize", [](QWidget &w) { w.show(); },
         [](const QWidget &w) {
             return w.isMaximized();
         }},
        {"Restore", [](QWidget &w) { w.showMaximized(); },
         [](const QWidget &w) {
             return w.windowState() == Qt::WindowNoState;
         }},
        {"Close", [](QWidget &w) { w.show(); },
         [](const QWidget &w) {
             return !w.isVisible();
         }},
    };
    for (const Case &c : cases) {
        QWidget window;
        QWidget other;
        other.show();
        c.setUp(window);
        SystemMenu menu;
        menu.popupFor(&window, QPoint(10, 10));
        QAction *action = command(menu, QString::fromLatin1(c.command));
        ASSERT_NE(action, nullptr) << c.command;
        action->trigger();
        EXPECT_TRUE(c.done(window)) << c.command;
        EXPECT_EQ(other.windowState(), Qt::WindowNoState) << c.command;
        EXPECT_TRUE(other.isVisible()) << c.command;
    }
}

TEST(SystemMenu, ACommandForAWindowThatWentAwayDoesNothing)
{
    SystemMenu menu;
    auto window = std::make_unique<QWidget>();
    window->show();
    menu.popupFor(window.get(), QPoint(10, 10));
    window.reset();
    command(menu, QStringLiteral("Close"))->trigger();
    EXPECT_EQ(menu.target(), nullptr);
}

TEST(SystemMenu, ShellIconShowsItForTheWindowAHandleNames)
{
    struct Case {
        const char *name;
        bool holder;
        std::function<std::uint32_t(const ShellIcon &, const QWidget &)> hwnd;
        bool shown;
    };
    const Case cases[] = {
        {"0 in a holder", true, [](const ShellIcon &, const QWidget &) { return 0u; }, true},
        {"0 with no holder", false, [](const ShellIcon &, const QWidget &) { return 0u; }, false},
        {"another window", false, [](const ShellIcon &, const QWidget &w) { return std::uint32_t(w.winId()); }, true},
        {"the control's own window", true,
         [](const ShellIcon &icon, const QWidget &) { return icon.NotifyData().hWnd; }, false},
    };
    for (const Case &c : cases) {
        FakeNotifyIconHost host;
        QWidget window;
        window.show();
        auto icon = std::make_unique<ShellIcon>(&host, c.holder ? &window : nullptr);
        icon->ShowSysMenu(c.hwnd(*icon, window));
        const SystemMenu *menu = icon->findChild<SystemMenu *>();
        EXPECT_EQ(menu && menu->isVisible(), c.shown) << c.name;
        if (c.shown) {
            EXPECT_EQ(menu->target(), &window) << c.name;
        }
    }
}
