// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands: the play buttons, the notification-area icon and its menu.
#include "Form1.h"

#include "Form1_p.h"
#include "controls/ShellIcon/ShellIcon.h"
#include "dialogs/frmAbout.h"
#include "playlist/frmWrite.h"
#include "runtime/MessageReporter.h"

#include <QCursor>
#include <QMenu>

using namespace form1;

void Form1::Command1_Click()
{
    PlayBtn();
}

void Form1::Command2_Click()
{
    if (MediaControl)
        MediaControl->Stop();
    if (MediaPosition)
        MediaPosition->SetCurrentPosition(0);
    focusPlaylist();
}

void Form1::Command4_Click()
{
    if (MediaControl)
        MediaControl->Pause();
    focusPlaylist();
}

void Form1::focusPlaylist()
{
    if (m_playlistWindow && m_playlistWindow->isVisible())
        m_playlistWindow->SetFocus();
}

void Form1::ButtonEx5_Click()
{
    frmWrite &listWindow = playlistWindow();
    if (listWindow.isVisible()) {
        listWindow.setVisible(false);
        PlaylistMode = runtime::False;
    } else {
        listWindow.setVisible(true);
        PlaylistMode = runtime::True;
    }
}

void Form1::ButtonEx6_Click()
{
    PlayNextEntry();
    focusPlaylist();
}

void Form1::ButtonEx7_Click()
{
    PlayPreviousEntry();
    focusPlaylist();
}

void Form1::mnuShow_Click()
{
    setVisible(true);
    SetFocus();
    if (PlaylistMode)
        playlistWindow().setVisible(true);
}

void Form1::Form_OLEDragDrop(const QStringList &paths)
{
    // One file, as the Open dialog chooses one.
    openFile(paths.first());
}

void Form1::mnuHelp_Click()
{
    // One box at most, modeless and without an owner: the player stays usable while it is open.
    if (!m_about) {
        m_about = new frmAbout(ApplicationTitle);
        m_about->setMessageReporter(m_messages);
        m_about->setWindowIcon(windowIcon());
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void Form1::ShellIcon1_MouseDown(short Button)
{
    if (Button != 2)
        return;
    // In front, so that the menu closes again when the user clicks elsewhere.
    SetFocus();
    mnuPopup->popup(QCursor::pos());
}

void Form1::ShellIcon1_DblClick()
{
    if (isVisible())
        setVisible(false);
    else
        mnuShow_Click();
}

void Form1::SetFocus()
{
    raise();
    activateWindow();
}
