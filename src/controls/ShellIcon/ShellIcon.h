// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NotifyIconData.h"
#include "runtime/Nearest.h"
#include "runtime/Picture.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdint>

class NotifyIconHost;
class SystemMenu;

namespace runtime {
class PropertyBag;
}

// One icon in the desktop's notification area, with its picture and tool tip,
// whose mouse activity comes back as events. The icon is shown while Visible
// is True at run time (never in a designer); a left click is told from a
// double click by tmrMenu: SingleClick follows a lone left click after 300 ms.
// A right release, where the notification area sends one, shows the holding
// window's system menu instead of MouseUp and Click while SysMenu is True.
//
// The control has no face at run time. Events are raised synchronously:
// connect them with direct connections so that handlers can change the
// by-reference Button, which is fresh for every raise.
//
// The holder gives it the notification area and loads or saves it with
// ReadProperties and WriteProperties.
class ShellIcon : public QWidget
{
    Q_OBJECT
public:
    explicit ShellIcon(NotifyIconHost *host, QWidget *parent = nullptr);
    ~ShellIcon() override;

    // Container: False while in a designer.
    bool userMode() const { return m_userMode; }
    void setUserMode(bool userMode);

    // Properties. Booleans are 16-bit: True = -1, False = 0.
    // The tip as the notification area gets it: 64 characters.
    const QString &ToolTipText() const { return m_notifyData.szTip; }
    void setToolTipText(const QString &New_ToolTipText);
    const runtime::Picture &Icon() const { return m_icon; }
    void setIcon(const runtime::Picture &New_Icon);
    std::int16_t Visible() const { return m_visible; }
    // Shows or removes the icon; the control's own face is not concerned. The widget's
    // setVisible(bool) stays callable beside it: a 16-bit boolean picks this one, a bool the face's.
    using QWidget::setVisible;
    void setVisible(std::int16_t New_Visible);
    std::int16_t SysMenu() const { return m_sysMenu; }
    void setSysMenu(std::int16_t New_SysMenu);

    // Pops up the system menu of window hwnd, or of the window that holds the
    // control when hwnd is 0, at the pointer. A handle that names no window,
    // or a window inside another, shows nothing.
    void ShowSysMenu(std::uint32_t hwnd);

    void ReadProperties(const runtime::PropertyBag &bag);
    void WriteProperties(runtime::PropertyBag &bag) const;

    // The notification area's callback as it arrives: a mouse move of the
    // control whose X is the originating mouse message.
    void mouseMoveNotification(float X);

    std::int16_t IconAdded() const { return m_iconAdded; }
    const NotifyIconData &NotifyData() const { return m_notifyData; }
    bool tmrMenuEnabled() const { return m_tmrMenu.isActive(); }

Q_SIGNALS:
    void MouseMove();
    void MouseDown(short &Button);
    void MouseUp(short &Button);
    void DblClick(short &Button);
    void Click(short &Button);
    void SingleClick(short &Button);
    void propertyChanged(const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void SetIconShown(std::int16_t Show);
    void shellNotifyIcon(std::uint32_t message);
    void windowMessage(std::uint32_t hWnd, std::uint32_t message, std::uint32_t wParam, std::uint32_t lParam);
    void tmrMenu_Timer();
    // False when a handler deleted the control.
    bool raise(void (ShellIcon::*event)(short &), short button);

    QPointer<NotifyIconHost> m_host;
    bool m_userMode = true;

    NotifyIconData m_notifyData;
    QString m_toolTipText;
    runtime::Picture m_icon;
    std::int16_t m_visible = 0;
    std::int16_t m_iconAdded = 0;
    std::int16_t m_sysMenu = 0;

    QTimer m_tmrMenu;
    SystemMenu *m_systemMenu = nullptr; // made on first use
};
