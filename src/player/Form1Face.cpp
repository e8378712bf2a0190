// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's face, built from its form file, and the wiring of its controls.
#include "Form1.h"

#include "controls/ButtonEx/ButtonEx.h"
#include "controls/ShellIcon/ShellIcon.h"
#include "controls/dtVisualScrollBar/dtVisualScrollBar.h"
#include "platform/NotifyIconHost.h"
#include "runtime/FileDrop.h"
#include "runtime/FormControls.h"
#include "runtime/GraphicalButton.h"
#include "runtime/MessageReporter.h"

#include <QMenu>

void Form1::buildFace(const runtime::FormObject &form)
{
    setObjectName(QStringLiteral("Form1"));
    const runtime::FaceBuilder face(form);
    runtime::applyControlProperties(this, form);
    resize(face.clientSize(6000, 5100));
    const QVariant icon = form.properties.ReadProperty(QStringLiteral("Icon"));
    if (icon.canConvert<runtime::Picture>())
        setWindowIcon(QIcon(QPixmap::fromImage(icon.value<runtime::Picture>().image())));

    const auto block = [&face](const char *name) -> const runtime::FormObject & {
        return face.block(QString::fromLatin1(name));
    };

    Picture1 = face.place(new QWidget(this), QStringLiteral("Picture1"));
    Picture1->setAccessibleName(QStringLiteral("Video"));

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

    // The user controls read their saved properties as the old runtime loaded them.
    const auto loadUserControl = [&](auto *control, const char *name) {
        control->setObjectName(QString::fromLatin1(name));
        const runtime::FormObject &b = block(name);
        control->ReadProperties(b.properties);
        control->setContainerToolTip(b.properties.ReadProperty(QStringLiteral("ToolTipText")).toString());
        runtime::applyControlProperties(control, b);
        return control;
    };
    const auto makeImageButton = [&](const char *name) {
        auto *button = new ButtonEx(this);
        button->setAmbientFont(font());
        return loadUserControl(button, name);
    };
    ButtonEx5 = makeImageButton("ButtonEx5");
    ButtonEx4 = makeImageButton("ButtonEx4");
    ButtonEx1 = makeImageButton("ButtonEx1");
    ButtonEx2 = makeImageButton("ButtonEx2");
    ButtonEx3 = makeImageButton("ButtonEx3");

    const auto makeBar = [&](const char *name) {
        auto *bar = new dtVisualScrollBar(this);
        bar->setMessageReporter(&m_barMessages);
        return loadUserControl(bar, name);
    };
    V1 = makeBar("V1");
    H1 = makeBar("H1");
    H2 = makeBar("H2");
    // The balance bar lies where the video goes once the window is laid out: no user ever sees it.
    H2->hide();

    Text1.setText(face.text(QStringLiteral("Text1"), QStringLiteral("Text")));
    Text2.setText(face.text(QStringLiteral("Text2"), QStringLiteral("Text")));
    Text3.setText(face.text(QStringLiteral("Text3"), QStringLiteral("Text")));
    Text4.setText(face.text(QStringLiteral("Text4"), QStringLiteral("Text")));

    Timer1.setTimerType(Qt::PreciseTimer);
    runtime::applyTimerProperties(Timer1, block("Timer1"));
    m_clockEnabled = Timer1.isActive();
    m_clockBeat.follow();

    ShellIcon1 = new ShellIcon(m_trayHost, this);
    ShellIcon1->setObjectName(QStringLiteral("ShellIcon1"));
    // The icon goes into the notification area as it reads its saved Visible.
    ShellIcon1->ReadProperties(block("ShellIcon1").properties);

    mnuPopup = face.menu(QStringLiteral("mnuPopup"), this);
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
    connect(&m_clockBeat, &ClockBeat::tick, this, &Form1::tickTheClock);
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
            m_clockBeat.wake();
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
