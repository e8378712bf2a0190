// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClockBeat.h"
#include "MediaGraph.h"

#include "runtime/ChangeLabel.h"
#include "runtime/ChangeText.h"
#include "runtime/FormFile.h"
#include "runtime/MessageReporter.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>

class ButtonEx;
class MainWindowProcedures;
class WindowManagerHints;
class CommonDialog;
class GlobalHotKeys;
class NotifyIconHost;
class QAction;
class QMenu;
class ShellIcon;
class dtVisualScrollBar;
class frmAbout;
class frmWrite;

namespace runtime {
class GraphicalButton;
class ResizableBorder;
} // namespace runtime

// The main window: its face, the current media graph, the clock and bars,
// the video's geometry and the dispatch of the user's commands.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    // trayHost is the desktop's notification area, where the window's icon lives; it outlives the window.
    Form1(MediaGraphFactory graphFactory, NotifyIconHost *trayHost, QWidget *parent = nullptr);
    ~Form1() override;

    // Start-up of the one instance that runs (a second one ends before it builds a window).
    void Form_Load(const QString &commandLine);
    void Form_Unload();

    void CleanUp();
    void LoadFile();
    // What LoadFile does with the file the dialog chose: a playlist fills the list and plays,
    // any other file opens; an empty path, a cancelled dialog's, only empties CurrentFile.
    void openFile(const QString &path);
    void PlayBtn();
    void LoadCommFile();
    void LoadPLFile();
    void CorrectAspect();
    void ToggleFS();
    void Command2_Click();
    // The exit sequence of the Exit commands: graph released, icon removed, every window closed.
    void exitProgram();

    // The playlist window, created hidden the first time it is needed.
    frmWrite &playlistWindow();
    bool hasPlaylistWindow() const { return m_playlistWindow != nullptr; }

    // Whether a file is being opened, while which the user's input waits.
    bool isOpening() const { return m_opening; }

    void setHotKeys(GlobalHotKeys *hotKeys) { m_hotKeys = hotKeys; }
    // Where the playlist window reports what it could not do.
    void setMessageReporter(runtime::MessageReporter *reporter);

    // Members, in the order the program keeps them.
    std::shared_ptr<MediaGraph> BasicAudio;
    QString CurrentFile;
    std::shared_ptr<MediaGraph> MediaControl;
    std::shared_ptr<MediaGraph> MediaPosition;
    std::shared_ptr<MediaGraph> VideoWindow;
    std::int32_t VideoWidth = 0;
    std::int32_t VideoHeight = 0;
    std::int16_t FullScreen = 0;
    std::int16_t PlaylistMode = 0;
    std::int16_t DragX = 0;
    std::int16_t DragY = 0;
    std::unique_ptr<CommonDialog> FileDialog;

    // The face.
    ButtonEx *ButtonEx1 = nullptr; // minimize
    ButtonEx *ButtonEx2 = nullptr; // maximize
    ButtonEx *ButtonEx3 = nullptr; // exit
    ButtonEx *ButtonEx4 = nullptr; // full screen
    ButtonEx *ButtonEx5 = nullptr; // playlist
    runtime::GraphicalButton *Command1 = nullptr; // play
    runtime::GraphicalButton *Command2 = nullptr; // stop
    runtime::GraphicalButton *Command3 = nullptr; // open
    runtime::GraphicalButton *Command4 = nullptr; // pause
    runtime::GraphicalButton *ButtonEx6 = nullptr; // next
    runtime::GraphicalButton *ButtonEx7 = nullptr; // previous
    runtime::ChangeLabel *Label1 = nullptr; // title
    runtime::ChangeLabel *Label2 = nullptr;
    runtime::ChangeLabel *Label3 = nullptr; // elapsed
    runtime::ChangeLabel *Label4 = nullptr; // total
    runtime::ChangeLabel *Label5 = nullptr; // video size
    dtVisualScrollBar *H1 = nullptr; // position
    dtVisualScrollBar *V1 = nullptr; // volume
    dtVisualScrollBar *H2 = nullptr; // balance
    QWidget *Picture1 = nullptr; // video host
    runtime::ChangeText Text1; // remaining time
    runtime::ChangeText Text2; // elapsed time
    runtime::ChangeText Text3; // total time
    runtime::ChangeText Text4; // entry being played
    QTimer Timer1; // the clock
    ShellIcon *ShellIcon1 = nullptr; // the notification-area icon
    QMenu *mnuPopup = nullptr; // its popup menu
    QAction *mnuShow = nullptr;
    QAction *mnuOpen = nullptr;
    QAction *mnuPlay = nullptr;
    QAction *mnuPause = nullptr;
    QAction *mnuStop = nullptr;
    QAction *mnuNext = nullptr;
    QAction *mnuPrev = nullptr;
    QAction *mnuHelp = nullptr;
    QAction *mnuExit = nullptr;

Q_SIGNALS:
    // The exit commands ran; the application should quit.
    void exitRequested();
    // The clock read the graph and wrote the bar and the times from it.
    void clockTicked();
    // The graph may read otherwise (its state, duration or position), or it was released.
    void playbackChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildFace(const runtime::FormObject &form);
    void connectHandlers();
    void registerHotKeys();
    void tickTheClock();
    void placeCentred(double topFactor);
    void setWindowGeometry(const QRect &proposed);
    // Maximized by the program (in proportion) or by the window manager.
    bool showsMaximized() const;
    void openMedia();
    void runOpeningSequence();
    void focusPlaylist();
    void PlayNextEntry();
    void PlayPreviousEntry();
    void stepPlaylist(int direction);

    void Form_Resize();
    void Timer1_Timer();
    void Label1_Change();
    void Label3_Change();
    void Text1_Change();
    void Text4_Change();
    void Label1_MouseDown(const QPointF &position);
    void Label1_MouseMove(Qt::MouseButtons buttons, const QPointF &position);
    void Label1_DblClick();
    void ButtonEx1_Click();
    void ButtonEx2_Click();
    void ButtonEx5_Click();
    void ButtonEx6_Click();
    void ButtonEx7_Click();
    void Command1_Click();
    void Command4_Click();
    void H1_Scroll();
    void V1_Scroll();
    void H2_Change();
    void mnuShow_Click();
    void mnuHelp_Click();
    void Form_OLEDragDrop(const QStringList &paths);
    void ShellIcon1_MouseDown(short Button);
    void ShellIcon1_DblClick();
    void SetFocus();

    MediaGraphFactory m_graphFactory;
    // While a file opens nothing starts opening another: the clock's ticks, playlist steps and
    // the Open command that arrive meanwhile do nothing, and the exit waits until it is open.
    bool m_opening = false;
    bool m_exitPending = false;
    // The readings the clock last wrote the elapsed and remaining texts from.
    struct TimesShown {
        std::optional<double> duration;
        std::optional<double> position;
    } m_timesShown;
    bool m_clockWritesTheBar = false;
    // Whether the form runs its clock at all.
    bool m_clockEnabled = false;
    ClockBeat m_clockBeat {Timer1, [this] {
                               return MediaPosition && m_clockEnabled && !m_opening;
                           }};
    // The bars' validation messages, of which none is shown once the user asked to leave.
    class BarMessages final : public runtime::MessageReporter
    {
    public:
        explicit BarMessages(const Form1 &form)
            : m_form(form)
        {
        }
        void showMessage(QWidget *parent, const QString &title, const QString &text, Icon icon) override;

    private:
        const Form1 &m_form;
    };
    BarMessages m_barMessages {*this};
    NotifyIconHost *m_trayHost;
    GlobalHotKeys *m_hotKeys = nullptr;
    runtime::MessageReporter *m_messages = nullptr;
    std::unique_ptr<frmWrite> m_playlistWindow;
    // Deletes itself when the user closes it.
    QPointer<frmAbout> m_about;
    std::unique_ptr<WindowManagerHints> m_windowManager;
    std::unique_ptr<MainWindowProcedures> m_procedures;
    // The window's own resizing edge, for as long as the window manager draws no border.
    QPointer<runtime::ResizableBorder> m_ownBorder;
    // Where a window the program maximized returns to.
    std::optional<QRect> m_normalGeometry;
};
