#pragma once

#include "access/PasswordChanger.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tarvo::access {

// The change-password dialog: old and new password; forced, it closes only after a change.
class Vuvuzu_ChangePassword final : public QDialog {
    Q_OBJECT
  public:
    Vuvuzu_ChangePassword(const QString &userCode, bool master, bool forced, QWidget *parent = nullptr);

    // Opens the dialog when the user may change the password; true when it was changed.
    static bool run(const QString &userCode, bool master, bool forced, QWidget *parent = nullptr);

    QLineEdit *oldPasswordField() const { return m_old; }
    QLineEdit *newPasswordField() const { return m_new; }
    // What asks for the new password a second time; the dialog VerifyPasswort by default.
    void setVerifier(std::function<QString()> verifier) { m_verifier = std::move(verifier); }

    void accept() override;
    void reject() override;

  private:
    PasswordChanger m_changer;
    bool m_forced;
    QLineEdit *m_old;
    QLineEdit *m_new;
    QPushButton *m_cancel;
    std::function<QString()> m_verifier;
};

} // namespace tarvo::access
