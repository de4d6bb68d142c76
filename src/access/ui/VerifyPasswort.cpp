#include "access/ui/VerifyPasswort.h"

#include "access/AccessMessages.h"
#include "access/ui/DialogButtons.h"
#include "access/ui/WindowTranslation.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace tarvo::access {

VerifyPasswort::VerifyPasswort(QWidget *parent) : QDialog(parent), m_password(new QLineEdit(this))
{
    setObjectName(QStringLiteral("VerifyPasswort"));
    setWindowTitle(QStringLiteral("Passwort-Überprüfung"));
    m_password->setObjectName(QStringLiteral("Passwort"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(35);
    const DialogButtons dialogButtons = okCancelButtons(this);
    QDialogButtonBox *buttons = dialogButtons.box;
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("Passwort:"), m_password);
    form->addRow(buttons);
    translateWindow(this);
}

void VerifyPasswort::accept()
{
    if (m_password->text().isEmpty()) {
        AccessMessages::inform({QStringLiteral("Bitte geben Sie das Passwort ein!")});
        m_password->setFocus();
        return;
    }
    QDialog::accept();
}

QString VerifyPasswort::ask(QWidget *parent)
{
    VerifyPasswort dialog(parent);
    return dialog.exec() == QDialog::Accepted ? dialog.passwordField()->text() : QString();
}

} // namespace tarvo::access
