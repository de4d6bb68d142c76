#pragma once

#include <QString>

#include <functional>

namespace tarvo::access {

// The rules of a password change (Vuvuzu_ChangePassword): permission, old password, minimum
// length, a second entry, and the history of passwords that may not be used again. The master
// access changes its own password with the same rules, without a history. Shows its messages
// through the message layer; the dialog only collects the texts.
class PasswordChanger final {
  public:
    enum class Field { None, OldPassword, NewPassword };
    enum class Outcome { Changed, Refused };

    // For the user with this code, or for the master access when master is true.
    PasswordChanger(QString userCode, bool master);

    // Whether the dialog may open: the user exists and may change the password (else the
    // permission message is shown). The master access may always change its password.
    bool mayChange();

    // OK of the dialog. verifyAgain asks for the new password a second time ("" = cancelled).
    Outcome change(const QString &oldPassword, const QString &newPassword,
                   const std::function<QString()> &verifyAgain);
    // The field that takes the focus after a refusal, and whether the new password is to be cleared.
    Field focus() const { return m_focus; }
    bool clearNewPassword() const { return m_clearNew; }

  private:
    Outcome refuse(Field focus, bool clearNew);
    Outcome changeUser(const QString &newPassword);
    Outcome changeMaster(const QString &newPassword);

    QString m_code;
    bool m_master;
    Field m_focus = Field::None;
    bool m_clearNew = false;
};

// Typed passwords count without trailing blanks, as the fixed-width fields did.
QString clippedPassword(const QString &typed);

} // namespace tarvo::access
