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

  private:
    void fill();

    QString m_result;
    QTabBar *m_order;
    QTableWidget *m_list;
    std::vector<UserRecord> m_users;
};

} // namespace tarvo::access
