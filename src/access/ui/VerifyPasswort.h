#pragma once

#include <QDialog>

class QLineEdit;

namespace tarvo::access {

// Asks for a new password a second time ("Passwort-Überprüfung").
class VerifyPasswort final : public QDialog {
    Q_OBJECT
  public:
    explicit VerifyPasswort(QWidget *parent = nullptr);
    // The password typed, or "" when cancelled.
    static QString ask(QWidget *parent);
    QLineEdit *passwordField() const { return m_password; }

    void accept() override;

  private:
    QLineEdit *m_password;
};

} // namespace tarvo::access
