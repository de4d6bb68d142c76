#pragma once

#include "BrowseOrder.h"

#include <QSqlDatabase>
#include <QString>

#include <array>
#include <string>
#include <vector>

namespace tarvo::bench {

class BenchFolder;
class DataLayerPager;
class Pager;
class RawSide;
class RawSidePager;
class StatementLog;

// Times the issue browse's sixteen orders through the data layer and through hand-written SQL on
// the folder's store (SQLite, or PostgreSQL when its Database.ini names a server) side by side, checks that
// both read the same rows, prints the figures with their ratios, the query plans where the data layer falls
// behind, and the memory while paging.
class BrowseBench final {
  public:
    struct Options {
        QString folder;
        int repetitions = 7;
        int pages = 10;
        double planRatio = 2.0; // show the plans of moves slower than this against the raw side
        bool allPlans = false;
        // Give the view the values the order's filter pins as part of its range, too.
        bool pinInRange = false;
    };

    explicit BrowseBench(Options options) : m_options(std::move(options)) {}
    // Answers the process's exit code: 1 when the two sides read different rows.
    int run();

  private:
    enum Move { First, Next, Previous, Last, Count, MoveCount };
    struct Timing {
        std::array<double, MoveCount> dataLayer{};
        std::array<double, MoveCount> raw{};
        qint64 rows = 0;
    };

    BrowseSelection select(RawSide &raw) const;
    // One pass of every move; answers the issue numbers read, for the comparison.
    std::vector<std::vector<qint64>> cycle(Pager &pager, bool withCount) const;
    // One timed pass: milliseconds per move (per page for the paging moves); count when asked.
    std::array<double, MoveCount> sample(Pager &pager, bool withCount) const;
    // The query plans of both sides for the moves slower than the plan ratio (all when asked).
    std::string plans(const BrowseOrder &order, const Timing &t, DataLayerPager &dl, RawSidePager &raw,
                      RawSide &side, QSqlDatabase &db, StatementLog &log, const QString &selectList) const;
    void measureMemory(BenchFolder &folder, RawSide &raw, const BrowseSelection &selection) const;

    Options m_options;
};

} // namespace tarvo::bench
