#pragma once

#include "BrowseOrder.h"
#include "RawPager.h"
#include "platform/data/expr/ExprTypes.h"

#include <QSqlDatabase>

#include <memory>
#include <string>
#include <vector>

namespace tarvo::bench {

class PgDb;
class RawDb;

// The hand-written side of the browse benchmark on a data folder's own store: SQLite through its C
// API on Tarvo.db, or PostgreSQL through libpq when the folder's Database.ini names a server.
class RawSide {
  public:
    // Throws std::runtime_error when the store cannot be opened.
    static std::unique_ptr<RawSide> forFolder(const QString &folder, const QString &databasePath);
    virtual ~RawSide() = default;

    virtual const char *name() const = 0; // "raw SQLite"
    // The dialect the data layer compiles the browse filters to on this store.
    virtual data::expr::Dialect dialect() const = 0;
    virtual qint64 issues() = 0;
    // The programs by their number of issues, most first.
    virtual std::vector<qint64> programsByIssues() = 0;
    // The value of `column` most used by the program's issues, blanks aside.
    virtual QString mostUsed(const char *column, qint64 program) = 0;
    virtual std::unique_ptr<RawSidePager> pager(const QString &selectList,
                                                const std::vector<std::pair<QString, bool>> &keyColumns,
                                                const BrowseOrder &order,
                                                const BrowseSelection &selection) = 0;
    // The query plan of a statement the data layer ran (`sql` as prepared, `run` as it ran) on its
    // connection `db`.
    virtual std::string dataLayerPlan(QSqlDatabase &db, const std::string &sql, const std::string &run) = 0;
};

} // namespace tarvo::bench
