// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmAbout.h"

#include "platform/ProgramLauncher.h"
#include "runtime/FormControls.h"
#include "runtime/Line.h"
#include "runtime/MessageReporter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVersionNumber>

#include <algorithm>
#include <array>

namespace {

// The key rights the lookups ask for: read control plus query value, set
// value, create sub-key, enumerate sub-keys, notify and create link.
constexpr std::uint32_t KeyAccess = 0x2003F;
constexpr std::size_t ValueBufferSize = 1024;

constexpr QLatin1String SysInfoKey("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
constexpr QLatin1String SysInfoValue("PATH");
// This one names the tool's folder.
constexpr QLatin1String SysInfoLocationKey("SOFTWARE\\Microsoft\\Shared Tools Location");
constexpr QLatin1String SysInfoLocationValue("MSINFO");
constexpr QLatin1String SysInfoProgram("\\MSINFO32.EXE");

// An open key, closed however the reading ends; closing a key that never
// opened (handle 0) does nothing.
class OpenKey
{
public:
    explicit OpenKey(Registry &registry)
        : m_registry(registry)
    {
    }
    ~OpenKey() { m_registry.closeKey(handle); }
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;

    Registry::Handle handle = 0;

private:
    Registry &m_registry;
};

// "&h" and the bytes' hexadecimal digits, the last byte the most significant.
QString hexValue(const QByteArray &data)
{
    QString digits;
    for (auto byte = data.crbegin(); byte != data.crend(); ++byte)
        digits += QStringLiteral("%1").arg(static_cast<unsigned char>(*byte), 2, 16, QLatin1Char('0'));
    while (digits.size() > 1 && digits.front() == u'0')
        digits.remove(0, 1);
    return QLatin1String("&h") + (digits.isEmpty() ? QStringLiteral("0") : digits.toUpper()); // no bytes: zero
}

} // namespace

frmAbout::frmAbout(const QString &applicationTitle)
    : frmAbout(applicationTitle, Registry::create(), ProgramLauncher::create())
{
}

frmAbout::frmAbout(const QString &applicationTitle, std::unique_ptr<Registry> registry,
                   std::unique_ptr<ProgramLauncher> launcher)
    : QWidget(nullptr, Qt::Dialog)
    , m_title(applicationTitle)
    , m_registry(std::move(registry))
    , m_launcher(std::move(launcher))
    , m_reporter(&runtime::MessageReporter::modalBoxes())
{
    setAttribute(Qt::WA_DeleteOnClose);
    buildFromForm();
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::buildFromForm()
{
    setObjectName(QStringLiteral("frmAbout"));
    QString userFormError;
    const runtime::FormObject form = runtime::loadForm(QStringLiteral("frmAbout"), &userFormError);
    if (!userFormError.isEmpty())
        m_reporter->showMessage(this, m_title, userFormError, runtime::MessageReporter::Icon::Warning);

    const runtime::FaceBuilder face(form);
    face.applyWindowProperties(this);
    setFixedSize(face.clientSize(4095, 3555));

    const QString caption = QStringLiteral("Caption");
    const auto label = [&](const QString &name) {
        auto *control = face.place(new QLabel(face.text(name, caption), this), name);
        control->setTextFormat(Qt::PlainText);
        control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        control->setWordWrap(true);
        return control;
    };
    const auto button = [&](const QString &name) {
        auto *control = face.place(new QPushButton(face.text(name, caption), this), name);
        // Enter presses the button that has the focus.
        control->setAutoDefault(true);
        return control;
    };

    // Built in the form's order, so that later controls lie over earlier ones.
    lblTitle = label(QStringLiteral("lblTitle"));
    lblVersion = label(QStringLiteral("lblVersion"));
    const QString text1 = QStringLiteral("Text1");
    Text1 = face.place(new QPlainTextEdit(face.text(text1, QStringLiteral("Text")), this), text1);
    Text1->setReadOnly(face.block(text1).properties.ReadProperty(QStringLiteral("Locked"), false).toBool());
    Text1->setAccessibleName(QStringLiteral("Keyboard hint"));
    // Lines wrap at the box's width, as in a multi-line text box without scroll bars.
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (const runtime::FormObject &block : form.children) {
        if (block.name.compare(QLatin1String("Line1"), Qt::CaseInsensitive) != 0)
            continue;
        auto *line = new runtime::Line(this);
        line->setObjectName(block.name);
        line->readProperties(block);
        Line1.append(line);
    }
    lblDisclaimer = label(QStringLiteral("lblDisclaimer"));
    cmdOK = button(QStringLiteral("cmdOK"));
    cmdSysInfo = button(QStringLiteral("cmdSysInfo"));

    setTabOrder(cmdOK, cmdSysInfo);
    setTabOrder(cmdSysInfo, Text1);
    cmdOK->setFocus();
}

void frmAbout::Form_Load()
{
    setWindowTitle(QLatin1String("About ") + m_title);
    const QVersionNumber version = QVersionNumber::fromString(QCoreApplication::applicationVersion());
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(version.majorVersion())
                            .arg(version.minorVersion())
                            .arg(version.microVersion()));
    lblTitle->setText(m_title);
}

void frmAbout::setMessageReporter(runtime::MessageReporter *reporter)
{
    m_reporter = reporter;
}

void frmAbout::Unload()
{
    close();
}

void frmAbout::cmdOK_Click()
{
    Unload();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    // The first entry names the program itself and is trusted as it is; the
    // second names its folder, which must hold the program.
    QString SysInfoPath;
    bool found = GetKeyValue(Registry::LocalMachine, SysInfoKey, SysInfoValue, SysInfoPath);
    if (!found && GetKeyValue(Registry::LocalMachine, SysInfoLocationKey, SysInfoLocationValue, SysInfoPath)) {
        SysInfoPath += SysInfoProgram;
        found = QFileInfo(SysInfoPath).isFile();
    }
    if (found && m_launcher->startProgram(SysInfoPath))
        return;
    m_reporter->showMessage(this, m_title, QStringLiteral("System Information Is Unavailable At This Time"),
                            runtime::MessageReporter::Icon::None);
}

bool frmAbout::GetKeyValue(Registry::Handle KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal)
{
    OpenKey key(*m_registry);
    if (m_registry->openKey(KeyRoot, KeyName, KeyAccess, key.handle) != Registry::Status::Success) {
        KeyVal.clear();
        return false;
    }
    std::array<char, ValueBufferSize> buffer {};
    Registry::ValueType type {};
    std::uint32_t size = 0;
    if (m_registry->queryValue(key.handle, SubKeyRef, buffer, type, size) != Registry::Status::Success) {
        KeyVal.clear();
        return false;
    }
    QByteArray data(buffer.data(), static_cast<qsizetype>(std::min<std::size_t>(size, buffer.size())));
    // A string keeps its terminator in its size; only that one goes.
    if (data.endsWith('\0'))
        data.chop(1);
    // A value of any other type leaves KeyVal as it was.
    switch (type) {
    case Registry::ValueType::String:
        KeyVal = QString::fromLocal8Bit(data);
        break;
    case Registry::ValueType::DWord:
        KeyVal = hexValue(data);
        break;
    }
    return true;
}
