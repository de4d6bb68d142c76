#include "access/ui/Vuvuzu_ChangePassword.h"

#include "access/ui/DialogButtons.h"
#include "access/ui/VerifyPasswort.h"
#include "access/ui/WindowTranslation.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace tarvo::access {

Vuvuzu_ChangePassword::Vuvuzu_ChangePassword(const QString &userCode, bool master, bool forced,
                                             QWidget *parent)
    : QDialog(parent), m_changer(userCode, master), m_forced(forced), m_old(new QLineEdit(this)),
      m_new(new QLineEdit(this))
{
    setObjectName(QStringLiteral("Vuvuzu_ChangePassword"));
    setWindowTitle(QStringLiteral("Passwort ändern"));
    for (auto *field : {m_old, m_new}) {
        field->setEchoMode(QLineEdit::Password);
        field->setMaxLength(35);
    }
    m_old->setObjectName(QStringLiteral("AltesPasswort"));
    m_new->setObjectName(QStringLiteral("NeuesPasswort"));
    const DialogButtons dialogButtons = okCancelButtons(this);
    QDialogButtonBox *buttons = dialogButtons.box;
    m_cancel = dialogButtons.cancel;
    m_cancel->setEnabled(!forced);
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("Altes Passwort:"), m_old);
    form->addRow(QStringLiteral("Neues Passwort:"), m_new);
    form->addRow(buttons);
    m_verifier = [this] { return VerifyPasswort::ask(this); };
    translateWindow(this);
}

void Vuvuzu_ChangePassword::accept()
{
    if (m_changer.change(m_old->text(), m_new->text(), m_verifier) == PasswordChanger::Outcome::Changed) {
        QDialog::accept();
        return;
    }
    if (m_changer.clearNewPassword())
        m_new->clear();
    (m_changer.focus() == PasswordChanger::Field::OldPassword ? m_old : m_new)->setFocus();
}

void Vuvuzu_ChangePassword::reject()
{
    // Forced, only a successful change closes the dialog (Escape and Cancel do nothing).
    if (!m_forced)
        QDialog::reject();
}

bool Vuvuzu_ChangePassword::run(const QString &userCode, bool master, bool forced, QWidget *parent)
{
    if (!PasswordChanger(userCode, master).mayChange())
        return false;
    Vuvuzu_ChangePassword dialog(userCode, master, forced, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace tarvo::access
