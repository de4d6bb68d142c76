#pragma once

#include "access/LoginService.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace tarvo::access {

// The login window: a sheet without tab headers holding the plain page and the product page
// (Tarvo's layout); the checks themselves are LoginService's.
class Vuvuzu_Login final : public QDialog {
    Q_OBJECT
  public:
    explicit Vuvuzu_Login(LoginService &service, QWidget *parent = nullptr);

    // Applies the switches and the layout, presses OK for "/AutoLogin" and otherwise waits for the
    // user; true when somebody logged in.
    bool run();

    QLineEdit *codeField() const;
    QLineEdit *passwordField() const;
    // OK: takes the typed code and password and runs the checks.
    void pressOk();

  private:
    struct Page final {
        QWidget *page = nullptr;
        QLineEdit *code = nullptr;
        QLineEdit *password = nullptr;
        QLabel *passwordPrompt = nullptr;
        QPushButton *ok = nullptr;
    };
    Page buildPage(const QString &suffix, bool product);
    const Page &current() const;
    bool namedLayout() const;

    LoginService &m_service;
    QStackedWidget *m_sheet;
    Page m_plain;
    Page m_product;
    QLabel *m_version = nullptr;
    bool m_loggedIn = false;
};

} // namespace tarvo::access
