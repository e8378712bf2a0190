// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a window: its place and size, the picture fitted into it, full screen,
// and moving it by its title.
#include "Form1.h"

#include "Form1_p.h"
#include "MainWindowProcedures.h"
#include "VideoFit.h"
#include "controls/ButtonEx/ButtonEx.h"
#include "controls/ShellIcon/ShellIcon.h"
#include "controls/dtVisualScrollBar/dtVisualScrollBar.h"
#include "platform/NotifyIconHost.h"
#include "platform/WindowManagerHints.h"
#include "playlist/frmWrite.h"
#include "runtime/Nearest.h"
#include "runtime/Units.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

using runtime::Units;
using namespace form1;

void Form1::placeCentred(double topFactor)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const int tppX = Units::twipsPerPixelX();
    const int tppY = Units::twipsPerPixelY();
    const QRect area = screen->geometry();
    // The first placement, while hidden, sits lower; the second one centres.
    const double left = (area.width() - width()) / 2.0 * tppX;
    const double top = (area.height() - height()) / 2.0 * tppY * topFactor;
    const auto x = runtime::cLng(left / tppX);
    const auto y = runtime::cLng(top / tppY);
    if (x && y)
        setWindowGeometry(QRect(area.x() + *x, area.y() + *y, width(), height()));
}

void Form1::setWindowGeometry(const QRect &proposed)
{
    // Every place and size the program gives the window passes its window procedures first.
    setGeometry(m_procedures->windowPosChanging(proposed));
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Form1::Form_Resize()
{
    // Below the minimum size the window snaps back, through its procedures as any size the program
    // sets, where it stands: pos() would be the frame's corner, and each snap would creep the window.
    if (!(windowState() & Qt::WindowMinimized)) {
        const QPoint place = geometry().topLeft();
        const int minimumHeight = Units::twipsToPixelsY(MinimumHeightTwips);
        const int minimumWidth = Units::twipsToPixelsX(MinimumWidthTwips);
        if (height() < minimumHeight)
            setWindowGeometry(QRect(place, QSize(width(), minimumHeight)));
        if (width() < minimumWidth)
            setWindowGeometry(QRect(place, QSize(minimumWidth, height())));
    }
    const int W = width();
    const int H = height();
    ButtonEx1->move(W - 39, ButtonEx1->y());
    ButtonEx2->move(W - 26, ButtonEx2->y());
    ButtonEx3->move(W - 13, ButtonEx3->y());
    Label1->setGeometry(39, Label1->y(), W - 80, Label1->height());
    H1->resize(W - 176 - 2, H1->height());
    V1->move(W - 66, V1->y());
    Picture1->setGeometry(0, TitleStripHeight, W, H - TitleStripHeight);
    CorrectAspect();
    focusPlaylist();
}

void Form1::CorrectAspect()
{
    if (!VideoWindow)
        return;
    if (const std::optional<QRect> place = fitVideo(Picture1->width(), Picture1->height(), VideoWidth, VideoHeight))
        VideoWindow->SetWindowPosition(place->x(), place->y(), place->width(), place->height());
}

void Form1::ToggleFS()
{
    if (FullScreen) {
        if (VideoWindow)
            VideoWindow->SetFullScreenMode(false);
        FullScreen = runtime::False;
    } else {
        if (VideoWindow)
            VideoWindow->SetFullScreenMode(true);
        FullScreen = runtime::True;
    }
    if (MediaControl)
        MediaControl->Run();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label1) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            Label1_MouseDown(static_cast<QMouseEvent *>(event)->position());
            break;
        case QEvent::MouseMove: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            Label1_MouseMove(mouse->buttons(), mouse->position());
            break;
        }
        case QEvent::MouseButtonDblClick:
            Label1_DblClick();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::Label1_MouseDown(const QPointF &position)
{
    DragX = runtime::cInt(position.x()).value_or(DragX);
    DragY = runtime::cInt(position.y()).value_or(DragY);
}

void Form1::Label1_MouseMove(Qt::MouseButtons buttons, const QPointF &position)
{
    if (showsMaximized() || windowState() & (Qt::WindowMinimized | Qt::WindowFullScreen))
        return;
    if (buttons == Qt::NoButton || buttons == Qt::RightButton)
        return;
    // The pressed point stays under the pointer.
    move(x() + static_cast<int>(runtime::nearest(position.x() - DragX)),
         y() + static_cast<int>(runtime::nearest(position.y() - DragY)));
}

void Form1::Label1_DblClick()
{
    ButtonEx2_Click();
}

void Form1::ButtonEx1_Click()
{
    if (m_playlistWindow)
        m_playlistWindow->setVisible(false);
    // Into the notification area where the icon is there to bring the window back; without one
    // the window is minimized as any other, so that it is never out of reach.
    if (m_trayHost && m_trayHost->isAvailable() && ShellIcon1->IconAdded())
        setVisible(false);
    else
        showMinimized();
}

void Form1::ButtonEx2_Click()
{
    if (showsMaximized()) {
        if (m_normalGeometry)
            setGeometry(*std::exchange(m_normalGeometry, std::nullopt));
        else
            showNormal(); // maximized by the window manager
        return;
    }
    if (windowState() & Qt::WindowMinimized)
        showNormal();
    // The window manager would fill the screen; kept in proportion instead, as any size the program sets.
    m_normalGeometry = geometry();
    const QRect workArea = screen()->availableGeometry().marginsRemoved(m_windowManager->frameExtents());
    setGeometry(m_procedures->maximizedGeometry(workArea));
}

bool Form1::showsMaximized() const
{
    return m_normalGeometry.has_value() || windowState() & Qt::WindowMaximized;
}
