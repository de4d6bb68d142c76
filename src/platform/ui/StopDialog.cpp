#include "platform/ui/StopDialog.h"

#include "platform/runtime/Messages.h"
#include "platform/runtime/ProgramInfo.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace tarvo::ui {

StopDialog::Choice StopDialog::ask(const QString &text, QWidget *parent)
{
    QMessageBox box(parent ? parent : QApplication::activeWindow());
    box.setObjectName(QStringLiteral("StopDialog"));
    box.setWindowTitle(ProgramInfo::productName());
    box.setIcon(QMessageBox::Critical);
    box.setTextFormat(Qt::PlainText);
    box.setText(messageTextToDisplay(text));
    QPushButton *abort = box.addButton(QMessageBox::Abort);
    QPushButton *ignore = box.addButton(QMessageBox::Ignore);
    abort->setText(QStringLiteral("&Abort"));
    ignore->setText(QStringLiteral("&Ignore"));
    box.setDefaultButton(ignore);
    box.setEscapeButton(ignore);
    box.exec();
    return box.clickedButton() == abort ? Choice::Abort : Choice::Ignore;
}

} // namespace tarvo::ui
