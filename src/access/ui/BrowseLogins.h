#pragma once

#include "access/AccessRecords.h"

#include <QDialog>

#include <vector>

class QTableWidget;

namespace tarvo::access {

// The login log "Benutzer-Anmeldungen": the successful logins, by code and newest first; rows
// can only be deleted.
class BrowseLogins final : public QDialog {
    Q_OBJECT
  public:
    explicit BrowseLogins(QWidget *parent = nullptr);

    QTableWidget *list() const { return m_list; }
    void fill();
    // Asks, then deletes the selected row.
    void deleteRow();
    void done(int result) override;

  private:
    QTableWidget *m_list;
    std::vector<LoginRecord> m_rows;
};

} // namespace tarvo::access
