// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Registry.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <memory>

class ProgramLauncher;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace runtime {
class Line;
class MessageReporter;
} // namespace runtime

// The About box: the application's title and version, the full-screen key,
// and a button that starts the system information tool. A window of its own
// with no owner, shown modeless. Unloading it (OK, or closing its window)
// deletes it once control is back in the event loop, so the next showing
// builds it afresh.
class frmAbout : public QWidget
{
    Q_OBJECT
public:
    // applicationTitle names the program in the caption, the title and the
    // messages; the version is the application's. With the platform's
    // registry and program launcher unless others are given.
    explicit frmAbout(const QString &applicationTitle);
    frmAbout(const QString &applicationTitle, std::unique_ptr<Registry> registry,
             std::unique_ptr<ProgramLauncher> launcher);
    ~frmAbout() override;

    void setMessageReporter(runtime::MessageReporter *reporter);

    void Unload();

    // Starts the system information tool, or says that it is unavailable;
    // the box stays open either way.
    void StartSysInfo();

    // Reads the value SubKeyRef of the key KeyName under KeyRoot into KeyVal:
    // a string as its text, a 32-bit number as "&h" and hexadecimal digits;
    // a value of another type leaves KeyVal as it was. False, with KeyVal
    // emptied, when the key or the value cannot be read.
    bool GetKeyValue(Registry::Handle KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal);

    QLabel *lblTitle;
    QLabel *lblVersion;
    QPlainTextEdit *Text1;
    // The etched separator, in drawing order.
    QList<runtime::Line *> Line1;
    QLabel *lblDisclaimer;
    QPushButton *cmdOK;
    QPushButton *cmdSysInfo;

private:
    void buildFromForm();
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    QString m_title;
    std::unique_ptr<Registry> m_registry;
    std::unique_ptr<ProgramLauncher> m_launcher;
    runtime::MessageReporter *m_reporter;
};
