#pragma once

#include "access/AccessRecords.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QTabBar;
class QTableWidget;

namespace tarvo::access {

// The administration window "Vuvuzu": every user of the access system, from which users are
// entered, changed and deleted, called or mailed, and the options and the login log are reached.
class VuvuzuAdministration final : public QDialog {
    Q_OBJECT
  public:
    explicit VuvuzuAdministration(QWidget *parent = nullptr);

    QTableWidget *list() const { return m_list; }
    QTabBar *order() const { return m_order; }
    // The user of the selected row, or "" when none is selected.
    QString selectedCode() const;
    void selectCode(const QString &code);

    // Reads the users again and shows them in the chosen order.
    void fill();
    void insertUser();
    void changeUser();
    void deleteUser();
    void callUser();
    void mailUser();
    void openOptions();
    void openLogins();

    void done(int result) override;

  private:
    QPushButton *button(const QString &caption, const char *name, void (VuvuzuAdministration::*action)());

    QTabBar *m_order;
    QTableWidget *m_list;
    std::vector<UserRecord> m_users;
};

} // namespace tarvo::access
