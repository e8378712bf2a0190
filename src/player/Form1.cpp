#include "Form1.h"

#include "FormatTime.h"
#include "VideoFit.h"

#include "ButtonEx.h"
#include "CommonDialog.h"
#include "FileDrop.h"
#include "FormControls.h"
#include "GlobalHotKeys.h"
#include "GraphicalButton.h"
#include "ListBox.h"
#include "MainWindowProcedures.h"
#include "MessageReporter.h"
#include "Nearest.h"
#include "NotifyIconHost.h"
#include "PathNames.h"
#include "PlaylistFile.h"
#include "ResizableBorder.h"
#include "SavedValue.h"
#include "ShellIcon.h"
#include "Units.h"
#include "WindowManagerHints.h"
#include "dtVisualScrollBar.h"
#include "frmAbout.h"
#include "frmWrite.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScreen>

using runtime::Units;

namespace {

const QString ApplicationTitle = QStringLiteral("KAVEL Player");
const QString TitlePrefix = ApplicationTitle + QStringLiteral(" :");
const QString ZeroTime = QStringLiteral("00:00:00");

// The minimum outer size of the main window, in twips.
constexpr int MinimumWidthTwips = 6120;
constexpr int MinimumHeightTwips = 5610;
// The title strip above the video.
constexpr int TitleStripHeight = 40;
// How far in from the edges the window can be sized, in pixels.
constexpr int ResizeBorderWidth = 4;

QString textOf(const runtime::FormObject &block)
{
    return block.properties.ReadProperty(QStringLiteral("Text")).toString();
}

} // namespace

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

void Form1::buildFace(const runtime::FormObject &form)
{
    setObjectName(QStringLiteral("Form1"));
    const runtime::PropertyBag &props = form.properties;
    runtime::applyControlProperties(this, form);
    resize(Units::twipsToPixelsX(
               runtime::savedNumber(props.ReadProperty(QStringLiteral("ClientWidth"), 6000)).value_or(6000)),
           Units::twipsToPixelsY(
               runtime::savedNumber(props.ReadProperty(QStringLiteral("ClientHeight"), 5100)).value_or(5100)));
    const QVariant icon = props.ReadProperty(QStringLiteral("Icon"));
    if (icon.canConvert<runtime::Picture>())
        setWindowIcon(QIcon(QPixmap::fromImage(icon.value<runtime::Picture>().image())));

    const auto block = [&form](const char *name) -> const runtime::FormObject & {
        return runtime::controlBlock(form, QString::fromLatin1(name));
    };

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAccessibleName(QStringLiteral("Video"));
    runtime::applyControlProperties(Picture1, block("Picture1"));

    const auto makeLabel = [&](const char *name) {
        auto *label = new runtime::ChangeLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        const runtime::FormObject &b = block(name);
        runtime::applyControlProperties(label, b);
        label->setCaption(b.properties.ReadProperty(QStringLiteral("Caption")).toString());
        return label;
    };
    Label1 = makeLabel("Label1");
    Label2 = makeLabel("Label2");
    Label3 = makeLabel("Label3");
    Label4 = makeLabel("Label4");
    Label5 = makeLabel("Label5");
    // Label2 carries no behaviour and lies where the video goes.
    Label2->hide();

    const auto makeCommand = [&](const char *name) {
        auto *button = new runtime::GraphicalButton(this);
        button->setObjectName(QString::fromLatin1(name));
        const runtime::FormObject &b = block(name);
        runtime::applyControlProperties(button, b);
        button->setPicture(b.properties.ReadProperty(QStringLiteral("Picture")).value<runtime::Picture>());
        button->setDownPicture(b.properties.ReadProperty(QStringLiteral("DownPicture")).value<runtime::Picture>());
        button->setToolTipText(b.properties.ReadProperty(QStringLiteral("ToolTipText")).toString());
        return button;
    };
    Command3 = makeCommand("Command3");
    ButtonEx7 = makeCommand("ButtonEx7");
    Command4 = makeCommand("Command4");
    Command1 = makeCommand("Command1");
    Command2 = makeCommand("Command2");
    ButtonEx6 = makeCommand("ButtonEx6");

    const auto makeImageButton = [&](const char *name) {
        auto *button = new ButtonEx(this);
        button->setObjectName(QString::fromLatin1(name));
        const runtime::FormObject &b = block(name);
        button->setAmbientFont(font());
        button->ReadProperties(b.properties);
        button->setContainerToolTip(b.properties.ReadProperty(QStringLiteral("ToolTipText")).toString());
        runtime::applyControlProperties(button, b);
        return button;
    };
    ButtonEx5 = makeImageButton("ButtonEx5");
    ButtonEx4 = makeImageButton("ButtonEx4");
    ButtonEx1 = makeImageButton("ButtonEx1");
    ButtonEx2 = makeImageButton("ButtonEx2");
    ButtonEx3 = makeImageButton("ButtonEx3");

    const auto makeBar = [&](const char *name) {
        auto *bar = new dtVisualScrollBar(this);
        bar->setObjectName(QString::fromLatin1(name));
        const runtime::FormObject &b = block(name);
        bar->setMessageReporter(&m_barMessages);
        bar->ReadProperties(b.properties);
        bar->setContainerToolTip(b.properties.ReadProperty(QStringLiteral("ToolTipText")).toString());
        runtime::applyControlProperties(bar, b);
        return bar;
    };
    V1 = makeBar("V1");
    H1 = makeBar("H1");
    H2 = makeBar("H2");
    // The balance bar lies where the video goes once the window is laid out: no user ever sees it.
    H2->hide();

    Text1.setText(textOf(block("Text1")));
    Text2.setText(textOf(block("Text2")));
    Text3.setText(textOf(block("Text3")));
    Text4.setText(textOf(block("Text4")));

    Timer1.setTimerType(Qt::PreciseTimer);
    runtime::applyTimerProperties(Timer1, block("Timer1"));
    m_clockEnabled = Timer1.isActive();
    followTheClock();

    ShellIcon1 = new ShellIcon(m_trayHost, this);
    ShellIcon1->setObjectName(QStringLiteral("ShellIcon1"));
    // The icon goes into the notification area as it reads its saved Visible.
    ShellIcon1->ReadProperties(block("ShellIcon1").properties);

    mnuPopup = runtime::menuFrom(form, QStringLiteral("mnuPopup"), this);
    const auto item = [this](const char *name) {
        return mnuPopup->findChild<QAction *>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    };
    mnuShow = item("mnuShow");
    mnuOpen = item("mnuOpen");
    mnuPlay = item("mnuPlay");
    mnuPause = item("mnuPause");
    mnuStop = item("mnuStop");
    mnuNext = item("mnuNext");
    mnuPrev = item("mnuPrev");
    mnuHelp = item("mnuHelp");
    mnuExit = item("mnuExit");

    // Keyboard order of the face.
    const QList<QWidget *> tabOrder = {Command3,  Command4,  Command1,  Command2,  H1,        V1,        H2,
                                       ButtonEx1, ButtonEx2, ButtonEx3, ButtonEx4, ButtonEx5, ButtonEx6, ButtonEx7};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void Form1::connectHandlers()
{
    connect(&Timer1, &QTimer::timeout, this, &Form1::tickTheClock);
    connect(&Text2, &runtime::ChangeText::Change, this, [this] { Label3->setCaption(Text2.text()); });
    connect(&Text3, &runtime::ChangeText::Change, this, [this] { Label4->setCaption(Text3.text()); });
    connect(&Text1, &runtime::ChangeText::Change, this, &Form1::Text1_Change);
    connect(&Text4, &runtime::ChangeText::Change, this, &Form1::Text4_Change);
    connect(Label1, &runtime::ChangeLabel::Change, this, &Form1::Label1_Change);
    connect(Label3, &runtime::ChangeLabel::Change, this, &Form1::Label3_Change);
    Label1->installEventFilter(this);

    connect(H1, &dtVisualScrollBar::Scroll, this, &Form1::H1_Scroll);
    connect(H1, &dtVisualScrollBar::Change, this, [this] {
        // Any move but the clock's own is one that the next tick puts back.
        if (!m_clockWritesTheBar)
            wakeTheClock();
    });
    connect(V1, &dtVisualScrollBar::Scroll, this, &Form1::V1_Scroll);
    connect(H2, &dtVisualScrollBar::Change, this, &Form1::H2_Change);

    connect(ButtonEx1, &ButtonEx::Click, this, &Form1::ButtonEx1_Click);
    connect(ButtonEx2, &ButtonEx::Click, this, &Form1::ButtonEx2_Click);
    connect(ButtonEx3, &ButtonEx::Click, this, &Form1::exitProgram);
    connect(ButtonEx4, &ButtonEx::Click, this, &Form1::ToggleFS);
    connect(ButtonEx5, &ButtonEx::Click, this, &Form1::ButtonEx5_Click);
    connect(ButtonEx6, &QAbstractButton::clicked, this, &Form1::ButtonEx6_Click);
    connect(ButtonEx7, &QAbstractButton::clicked, this, &Form1::ButtonEx7_Click);
    connect(Command1, &QAbstractButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QAbstractButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QAbstractButton::clicked, this, &Form1::LoadFile);
    connect(Command4, &QAbstractButton::clicked, this, &Form1::Command4_Click);

    connect(mnuShow, &QAction::triggered, this, &Form1::mnuShow_Click);
    connect(mnuOpen, &QAction::triggered, this, &Form1::LoadFile);
    connect(mnuPlay, &QAction::triggered, this, &Form1::Command1_Click);
    connect(mnuPause, &QAction::triggered, this, &Form1::Command4_Click);
    connect(mnuStop, &QAction::triggered, this, &Form1::Command2_Click);
    connect(mnuNext, &QAction::triggered, this, &Form1::ButtonEx6_Click);
    connect(mnuPrev, &QAction::triggered, this, &Form1::ButtonEx7_Click);
    connect(mnuHelp, &QAction::triggered, this, &Form1::mnuHelp_Click);
    connect(mnuExit, &QAction::triggered, this, &Form1::exitProgram);
    connect(ShellIcon1, &ShellIcon::MouseDown, this, [this](short &Button) { ShellIcon1_MouseDown(Button); });
    connect(ShellIcon1, &ShellIcon::DblClick, this, &Form1::ShellIcon1_DblClick);
    connect(new runtime::FileDrop(this, runtime::FileDrop::Accepts::Files), &runtime::FileDrop::Dropped, this,
            &Form1::Form_OLEDragDrop);
    if (m_trayHost) {
        // With the notification area gone a window hidden there could never come back.
        connect(m_trayHost, &NotifyIconHost::availabilityChanged, this, [this](bool available) {
            if (!available && !isVisible())
                mnuShow_Click();
        });
    }
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
    followTheClock();
    Q_EMIT playbackChanged();
}

void Form1::followTheClock()
{
    // Without a graph every tick's reads fail and nothing happens: the clock rests meanwhile.
    if (MediaPosition && m_clockEnabled)
        Timer1.start();
    else
        Timer1.stop();
}

void Form1::wakeTheClock()
{
    if (Timer1.isActive() || m_tickQueued)
        return;
    // Changes that come faster than the clock's beat are read by one tick.
    if (m_sinceTick.isValid() && m_sinceTick.elapsed() < Timer1.interval()) {
        followTheClock();
        return;
    }
    // A beat has passed since the last tick: this change is read in the same turn of the event
    // loop, without a wake-up of its own a beat later. Not from inside the graph's report, though:
    // what a tick sets off (an end of file, the next entry) may drop that graph.
    m_tickQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_tickQueued = false;
            if (m_opening)
                followTheClock(); // the file that opens is read once it is open
            else if (MediaPosition && m_clockEnabled)
                tickTheClock();
        },
        Qt::QueuedConnection);
}

void Form1::tickTheClock()
{
    Timer1_Timer();
    Q_EMIT clockTicked();
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
    followTheClock();
    if (!graph)
        return;

    graph->setChangeListener([form = QPointer(this)] {
        if (form) {
            form->wakeTheClock();
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

void Form1::Timer1_Timer()
{
    if (!MediaPosition || m_opening)
        return;
    // What a tick writes follows from the graph's readings and the bar alone, and both tell of
    // every change: until one comes, the next tick would read and write what this one did.
    Timer1.stop();
    m_sinceTick.start();
    if (const std::optional<double> position = MediaPosition->CurrentPosition()) {
        if (const auto value = runtime::cLng(*position)) {
            const QScopedValueRollback writing(m_clockWritesTheBar, true);
            H1->setValue(*value);
        }
    }
    const std::optional<double> duration = MediaPosition->Duration();
    const std::optional<double> position = MediaPosition->CurrentPosition();
    // Only this clock writes the two texts: the same readings as last time write the same texts.
    if (duration == m_timesShown.duration && position == m_timesShown.position)
        return;
    m_timesShown = {duration, position};
    if (duration && position) {
        double remaining = *duration - *position;
        Text1.setText(FormatTime(remaining));
    }
    if (std::optional<double> elapsed = position)
        Text2.setText(FormatTime(*elapsed));
}

void Form1::Label3_Change()
{
    if (Label3->Caption() == Label4->Caption())
        Command2_Click();
}

void Form1::Text1_Change()
{
    if (Label3->Caption() == Label4->Caption())
        PlayNextEntry();
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

void Form1::H1_Scroll()
{
    if (MediaPosition)
        MediaPosition->SetCurrentPosition(H1->Value());
}

void Form1::V1_Scroll()
{
    if (BasicAudio)
        BasicAudio->SetVolume(V1->Value());
}

void Form1::H2_Change()
{
    if (BasicAudio)
        BasicAudio->SetBalance(H2->Value());
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
