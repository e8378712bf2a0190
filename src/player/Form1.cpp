// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: its start and end, the media it opens and the playlist it steps through.
#include "Form1.h"

#include "Form1_p.h"
#include "FormatTime.h"
#include "MainWindowProcedures.h"
#include "controls/ShellIcon/ShellIcon.h"
#include "controls/dtVisualScrollBar/dtVisualScrollBar.h"
#include "dialogs/CommonDialog.h"
#include "dialogs/frmAbout.h"
#include "platform/GlobalHotKeys.h"
#include "platform/WindowManagerHints.h"
#include "playlist/ListBox.h"
#include "playlist/PlaylistFile.h"
#include "playlist/frmWrite.h"
#include "runtime/FormControls.h"
#include "runtime/MessageReporter.h"
#include "runtime/Nearest.h"
#include "runtime/PathNames.h"
#include "runtime/ResizableBorder.h"
#include "runtime/Units.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QScopedValueRollback>

using runtime::Units;
using namespace form1;

Form1::Form1(MediaGraphFactory graphFactory, NotifyIconHost *trayHost, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_graphFactory(std::move(graphFactory))
    , m_trayHost(trayHost)
    , m_messages(&runtime::MessageReporter::modalBoxes())
    , m_windowManager(WindowManagerHints::create(this))
    , m_procedures(std::make_unique<MainWindowProcedures>(
          *m_windowManager, [] { QCoreApplication::processEvents(); }, [this] { ToggleFS(); }))
{
    QString skinError;
    const runtime::FormObject form = runtime::loadForm(QStringLiteral("Form1"), &skinError);
    buildFace(form);
    connectHandlers();
    // The window manager's border lies outside the window; only where it draws none does the
    // window's own edge resize it.
    m_windowManager->requestBorderWithoutTitle();
    m_ownBorder = new runtime::ResizableBorder(this, ResizeBorderWidth);
    connect(m_windowManager.get(), &WindowManagerHints::frameExtentsChanged, this, [this](QMargins frame) {
        if (frame.left() > 0 || frame.right() > 0 || frame.bottom() > 0)
            delete m_ownBorder;
    });
    if (!skinError.isEmpty())
        m_messages->showMessage(
            this, ApplicationTitle,
            QStringLiteral("The skin could not be read; the built-in face is used.\n%1").arg(skinError),
            runtime::MessageReporter::Icon::Warning);
}

Form1::~Form1()
{
    delete m_about;
}

void Form1::BarMessages::showMessage(QWidget *parent, const QString &title, const QString &text, Icon icon)
{
    if (!m_form.m_exitPending)
        m_form.m_messages->showMessage(parent, title, text, icon);
}

void Form1::setMessageReporter(runtime::MessageReporter *reporter)
{
    m_messages = reporter;
    if (m_playlistWindow)
        m_playlistWindow->setMessageReporter(reporter);
    if (m_about)
        m_about->setMessageReporter(reporter);
}

void Form1::Form_Load(const QString &commandLine)
{
    m_procedures->installAspectProcedure();
    placeCentred(1.8);
    show();
    placeCentred(1.0);
    // The window manager keeps the minimum too while the user drags a border.
    setMinimumSize(Units::twipsToPixelsX(MinimumWidthTwips), Units::twipsToPixelsY(MinimumHeightTwips));

    registerHotKeys();
    m_procedures->installHotKeyProcedure();
    FullScreen = runtime::False;

    FileDialog = std::make_unique<CommonDialog>();
    FileDialog->setFilter(QStringLiteral(
        "Supported Media Files|*.avi;*.asf;*.mpg;*.mpeg;*.wmv;*.divx;*.dat;*.pls|Divx/Avi files (divx "
        "avi)|*.avi;*.divx|Mpeg/MPG/Dat files (mpg mpeg dat)|*.mpg;*.mpeg;*.dat|Windows Media files (asf "
        "wmv)|*.asf;*.wmv|Playlist Files (pls)|*.pls"));
    FileDialog->setDialogTitle(QStringLiteral("Choose media to play"));

    if (!commandLine.isEmpty()) {
        CurrentFile = QString(commandLine).remove(u'"');
        LoadCommFile();
    }

    setVisible(true);
    activateWindow();
    setFocus();
}

void Form1::registerHotKeys()
{
    if (!m_hotKeys)
        return;
    // Identifiers 0..6; only Alt+Enter acts, the others are merely held.
    const struct {
        Qt::Key key;
        bool keypad;
    } keys[] = {{Qt::Key_Plus, true}, {Qt::Key_Minus, true}, {Qt::Key_Return, false}, {Qt::Key_P, false},
                {Qt::Key_S, false},   {Qt::Key_Down, false}, {Qt::Key_Up, false}};
    for (int id = 0; id < 7; ++id)
        m_hotKeys->registerHotKey(id, keys[id].key, keys[id].keypad);
    connect(m_hotKeys, &GlobalHotKeys::hotKeyPressed, this,
            [this](int id) { m_procedures->sendMessage(platform::WM_HOTKEY, platform::WParam(id), 0); });
}

void Form1::Form_Unload()
{
    m_procedures->restoreOwnProcedure();
    CleanUp();
}

void Form1::CleanUp()
{
    MediaControl.reset();
    BasicAudio.reset();
    MediaPosition.reset();
    m_clockBeat.follow();
    Q_EMIT playbackChanged();
}

void Form1::LoadFile()
{
    if (m_opening)
        return;
    FileDialog->ShowOpen();
    openFile(FileDialog->FileName());
}

void Form1::openFile(const QString &path)
{
    // A drop or a desktop's request that arrives while a file opens (behind a message box of
    // the sequence) does not open another behind it.
    if (m_opening)
        return;
    CurrentFile = path;
    if (playlist::isPlaylistName(CurrentFile)) {
        frmWrite &listWindow = playlistWindow();
        listWindow.appendPlaylistFile(CurrentFile);
        listWindow.setVisible(true);
        PlaylistMode = runtime::True;
        // Docked under the main window.
        const QRect frame = frameGeometry();
        listWindow.move(frame.left() + Units::twipsToPixelsX(15), frame.top() + frame.height());
        listWindow.plscomm = true;
        LoadPLFile();
        PlayBtn();
    } else if (!CurrentFile.isEmpty()) {
        openMedia();
    }
}

void Form1::openMedia()
{
    // A message box of the sequence (the bars' validation) and the engine's wait run their own event
    // loops: what arrives meanwhile must not open another file behind it.
    if (m_opening)
        return;
    {
        const QScopedValueRollback opening(m_opening, true);
        runOpeningSequence();
    }
    m_clockBeat.follow();
    if (std::exchange(m_exitPending, false))
        QMetaObject::invokeMethod(this, &Form1::exitProgram, Qt::QueuedConnection);
}

void Form1::runOpeningSequence()
{
    CleanUp();
    const std::shared_ptr<MediaGraph> graph = m_graphFactory(Picture1);
    MediaControl = graph;
    BasicAudio = graph;
    MediaPosition = graph;
    VideoWindow = graph; // drops the last reference to the previous graph
    m_clockBeat.follow();
    if (!graph)
        return;

    graph->setChangeListener([form = QPointer(this)] {
        if (form) {
            form->m_clockBeat.wake();
            Q_EMIT form->playbackChanged();
        }
    });
    graph->RenderFile(CurrentFile);
    // A new graph starts at full volume and centred: it plays as the bars show.
    BasicAudio->SetVolume(V1->Value());
    BasicAudio->SetBalance(H2->Value());
    VideoWindow->SetWindowStyle(0);
    VideoWindow->SetOwner(Picture1);
    if (const std::optional<int> width = VideoWindow->Width())
        VideoWidth = *width;
    if (const std::optional<int> height = VideoWindow->Height())
        VideoHeight = *height;
    Label5->setCaption(QStringLiteral("%1x%2").arg(VideoWidth).arg(VideoHeight));
    CorrectAspect();
    // Full screen went with the previous graph's window; the new video takes it over.
    if (FullScreen)
        VideoWindow->SetFullScreenMode(true);
    if (const std::optional<double> duration = MediaPosition->Duration()) {
        if (const auto max = runtime::cLng(*duration))
            H1->setMax(*max);
        if (const auto step = runtime::cLng(*duration / 10))
            H1->setSmallChange(*step);
        double seconds = *duration;
        Text3.setText(FormatTime(seconds));
    }
    MediaControl->Run();
    MediaPosition->SetCurrentPosition(0);
}

void Form1::PlayBtn()
{
    if (MediaPosition && Label4->Caption() == ZeroTime)
        MediaPosition->SetCurrentPosition(0);
    if (MediaControl)
        MediaControl->Run();
    if (CurrentFile.isEmpty()) {
        LoadPLFile();
        Label1->setCaption(TitlePrefix + runtime::FileNameOnly(CurrentFile));
    }
    focusPlaylist();
}

void Form1::LoadCommFile()
{
    if (!playlist::isPlaylistName(CurrentFile)) {
        openMedia();
        return;
    }
    frmWrite &listWindow = playlistWindow();
    listWindow.appendPlaylistFile(CurrentFile);
    listWindow.setVisible(true);
    PlaylistMode = runtime::True;
    LoadPLFile();
    PlayBtn();
    listWindow.Text4.setText(QStringLiteral("True"));
}

void Form1::LoadPLFile()
{
    // The file that opens keeps its name while it does.
    if (m_opening)
        return;
    CurrentFile = playlistWindow().List1->Text();
    if (CurrentFile.isEmpty())
        return;
    openMedia();
}

void Form1::Label1_Change()
{
    ShellIcon1->setToolTipText(Label1->Caption());
    Label1->setToolTip(CurrentFile);
}

void Form1::Text4_Change()
{
    Label1->setCaption(TitlePrefix + runtime::FileNameOnly(CurrentFile));
}

void Form1::PlayNextEntry()
{
    stepPlaylist(+1);
}

void Form1::PlayPreviousEntry()
{
    stepPlaylist(-1);
}

void Form1::stepPlaylist(int direction)
{
    if (m_opening)
        return;
    frmWrite &listWindow = playlistWindow();
    playlist::ListBox &list = *listWindow.List1;
    const int count = list.ListCount();
    for (int i = 0; i < count; ++i) {
        if (!list.Selected(i))
            continue;
        Command2_Click();
        int next = i + direction;
        if (next == count || next < 0) {
            // Past either end the list wraps round.
            Command2_Click();
            next = next < 0 ? count - 1 : 0;
        }
        list.setSelected(next, true);
        LoadPLFile();
        Text4.setText(list.Text());
        listWindow.setPlayingCaption(Text4.text());
        return;
    }
}

frmWrite &Form1::playlistWindow()
{
    if (!m_playlistWindow) {
        m_playlistWindow
            = std::make_unique<frmWrite>(static_cast<int>(Units::pixelsToTwipsY(frameGeometry().height())));
        m_playlistWindow->setMessageReporter(m_messages);
        m_playlistWindow->setWindowIcon(windowIcon());
        // Direct connections: these run inside the playlist window's handlers, in order.
        connect(m_playlistWindow.get(), &frmWrite::stopAndRewindRequested, this, &Form1::Command2_Click,
                Qt::DirectConnection);
        connect(m_playlistWindow.get(), &frmWrite::playSelectedRequested, this, &Form1::LoadPLFile,
                Qt::DirectConnection);
        connect(
            m_playlistWindow.get(), &frmWrite::entryPlaying, this, [this](const QString &path) { Text4.setText(path); },
            Qt::DirectConnection);
    }
    return *m_playlistWindow;
}

void Form1::exitProgram()
{
    // Asked for while a file opens (a signal, a command from the desktop's bus): once it is open. A
    // message the sequence waits on is answered for the user, who asked to leave.
    if (m_opening) {
        m_exitPending = true;
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
        return;
    }
    CleanUp();
    ShellIcon1->setVisible(runtime::False);
    delete m_about;
    m_playlistWindow.reset();
    Form_Unload();
    hide();
    Q_EMIT exitRequested();
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Closed by the window manager: the same as the exit commands.
    event->accept();
    exitProgram();
}
