#pragma once

#include "access/AccessRecords.h"

#include <QDialog>

#include <vector>

class QTabBar;
class QTableWidget;

namespace tarvo::access {

// The user picker: every user of the access system (deactivated ones too), by code or by name.
class Vuvuzu_BrowseUsers final : public QDialog {
    Q_OBJECT
  public:
    explicit Vuvuzu_BrowseUsers(const QString &userCode, QWidget *parent = nullptr);

    // The chosen code, or userCode when the list was closed without choosing.
    static QString choose(const QString &userCode, QWidget *parent);

    QTableWidget *list() const { return m_list; }
    QString result() const { return m_result; }
    // "&Auswahl": the selected row's code becomes the result.
    void select();
    // The telephone and e-mail buttons: the selected user's number or address to the desktop.
    void callUser();
    void mailUser();
    void done(int result) override;

  private:
    void fill();
    // The user of the selected row, or null.
    const UserRecord *selectedUser() const;

    QString m_result;
    QTabBar *m_order;
    QTableWidget *m_list;
    std::vector<UserRecord> m_users;
    // The users in the order shown.
    std::vector<UserRecord> m_rows;
};

} // namespace tarvo::access
