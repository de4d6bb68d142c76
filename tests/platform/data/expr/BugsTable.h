#pragma once

#include "platform/data/expr/NameTable.h"

#include <QSqlDatabase>
#include <QVariantList>

#include <vector>

namespace tarvo::data::expr::test {

// A few issue rows in an in-memory SQLite table, and the names a filter over them may use.
class BugsTable final {
  public:
    BugsTable();
    ~BugsTable();

    QSqlDatabase database() const { return QSqlDatabase::database(m_connection); }
    NameTable &names() { return m_names; }
    // Loads row `index` into the name table's column values, for the in-memory evaluator.
    void loadRow(size_t index);
    size_t rowCount() const { return m_rows.size(); }
    int idOf(size_t index) const { return m_rows[index][0].toInt(); }

  private:
    QString m_connection;
    NameTable m_names;
    std::vector<QVariantList> m_rows;
};

} // namespace tarvo::data::expr::test
