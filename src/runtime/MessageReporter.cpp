// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageReporter.h"

#include <QMessageBox>

namespace runtime {

namespace {

class ModalBoxes final : public MessageReporter
{
public:
    void showMessage(QWidget *parent, const QString &title, const QString &text, Icon icon) override
    {
        QMessageBox box(parent);
        box.setWindowTitle(title);
        box.setText(text);
        box.setStandardButtons(QMessageBox::Ok);
        switch (icon) {
        case Icon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case Icon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case Icon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        }
        box.exec();
    }
};

} // namespace

MessageReporter &MessageReporter::modalBoxes()
{
    static ModalBoxes boxes;
    return boxes;
}

} // namespace runtime
