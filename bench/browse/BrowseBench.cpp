#include "BrowseBench.h"

#include "DataLayerPager.h"
#include "RawPager.h"
#include "RawSide.h"
#include "StatementLog.h"
#include "common/BenchFolder.h"
#include "common/Catalogue.h"
#include "common/Median.h"
#include "common/Memory.h"
#include "common/Stopwatch.h"
#include "platform/data/Connection.h"
#include "platform/data/Store.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace tarvo::bench {

namespace {
const char *const kMoveNames[] = {"first page", "next page", "previous page", "last page", "count"};

// The key's components as ORDER BY terms: the quoted column, with the data layer's collation on texts.
std::vector<std::pair<QString, bool>> keyColumns(const data::RecordLayout &layout, const QString &keyName)
{
    std::vector<std::pair<QString, bool>> out;
    const data::KeyDecl &key = layout.key(layout.keyIndex(keyName));
    for (const data::KeyComponent &c : key.components) {
        const int f = layout.fieldIndex(c.field);
        QString term = layout.column(f);
        if (layout.isText(f))
            term += QStringLiteral(" COLLATE tarvo_cs");
        out.emplace_back(term, c.descending);
    }
    return out;
}

QString shortKey(const QString &key)
{
    return key.mid(key.indexOf(QLatin1Char(':')) + 1);
}
} // namespace

BrowseSelection BrowseBench::select(RawSide &raw) const
{
    BrowseSelection s;
    s.programLimit = Catalogue().programLimit(30);
    s.tab = 1;
    // The largest program the user may see, its most used release and program file.
    for (const qint64 id : raw.programsByIssues()) {
        if (s.programLimit.contains(QStringLiteral("|%1|").arg(id))) {
            s.program = id;
            break;
        }
    }
    s.release = raw.mostUsed("Version", s.program);
    s.file = raw.mostUsed("Programfile", s.program);
    return s;
}

std::vector<std::vector<qint64>> BrowseBench::cycle(Pager &pager, bool withCount) const
{
    std::vector<std::vector<qint64>> read;
    read.push_back(pager.firstPage());
    for (int p = 0; p < m_options.pages; ++p)
        read.push_back(pager.nextPage());
    for (int p = 0; p < m_options.pages; ++p)
        read.push_back(pager.previousPage());
    read.push_back(pager.lastPage());
    if (withCount)
        read.push_back({pager.count()});
    return read;
}

std::array<double, BrowseBench::MoveCount> BrowseBench::sample(Pager &pager, bool withCount) const
{
    std::array<double, MoveCount> ms{};
    Stopwatch clock;
    pager.firstPage();
    ms[First] = clock.micros() / 1000;
    clock.restart();
    for (int p = 0; p < m_options.pages; ++p)
        pager.nextPage();
    ms[Next] = clock.micros() / 1000 / m_options.pages;
    clock.restart();
    for (int p = 0; p < m_options.pages; ++p)
        pager.previousPage();
    ms[Previous] = clock.micros() / 1000 / m_options.pages;
    clock.restart();
    pager.lastPage();
    ms[Last] = clock.micros() / 1000;
    if (withCount) {
        clock.restart();
        pager.count();
        ms[Count] = clock.micros() / 1000;
    }
    return ms;
}

int BrowseBench::run()
{
    BenchFolder folder(m_options.folder);
    data::FileManager &bugs = folder.file(QStringLiteral("Bugs"));
    auto conn = folder.session().connection();
    if (!conn)
        throw std::runtime_error(conn.error().message.toStdString());
    const std::unique_ptr<RawSide> raw = RawSide::forFolder(m_options.folder, folder.databasePath());
    const BrowseSelection selection = select(*raw);
    const qint64 issues = raw->issues();

    std::printf(
        "Issue browse on %s (%s): %lld issues; program limit %s (30 programs); selected program %lld, "
        "release %s, program file %s; tab %d%s\n",
        qPrintable(m_options.folder), qPrintable(folder.session().store().location()),
        static_cast<long long>(issues), qPrintable(selection.programLimit),
        static_cast<long long>(selection.program), qPrintable(selection.release), qPrintable(selection.file),
        selection.tab, m_options.pinInRange ? "; the filters' pinned values passed as range too" : "");
    std::printf("Median of %d runs in ms (paging moves per page of %d rows, %d pages each way); "
                "data layer / %s = ratio\n\n",
                m_options.repetitions, Pager::kPageRows, m_options.pages, raw->name());
    std::printf("%-2s %-34s %8s", "#", "key", "rows");
    for (const char *name : kMoveNames)
        std::printf(" | %-22s", name);
    std::printf("\n");

    int mismatches = 0;
    double worstFirst = 0;
    std::vector<std::string> plans;
    for (const BrowseOrder &order : BrowseOrder::all()) {
        DataLayerPager dl(bugs, order, selection, raw->dialect(), m_options.pinInRange);
        const auto rp =
            raw->pager(bugs.layout().selectList(), keyColumns(bugs.layout(), order.key), order, selection);
        // The first pass warms the caches and checks that both sides read the same rows.
        const auto a = cycle(dl, true);
        const auto b = cycle(*rp, true);
        if (a != b) {
            ++mismatches;
            std::printf("!! order %d: the data layer and %s read different rows\n", order.number,
                        raw->name());
        }
        Timing t;
        t.rows = b.back().front();
        std::array<std::vector<double>, MoveCount> sd, sr;
        // Counts under the program limit use the index on PrgID, so every run counts too.
        for (int r = 0; r < m_options.repetitions; ++r) {
            // Alternate which side goes first, so neither always finds the warmer cache.
            const auto x = r % 2 ? sample(*rp, true) : sample(dl, true);
            const auto y = r % 2 ? sample(dl, true) : sample(*rp, true);
            const auto &d = r % 2 ? y : x;
            const auto &w = r % 2 ? x : y;
            for (int m = 0; m < MoveCount; ++m) {
                sd[size_t(m)].push_back(d[size_t(m)]);
                sr[size_t(m)].push_back(w[size_t(m)]);
            }
        }
        std::printf("%-2d %-34s %8lld", order.number, qPrintable(shortKey(order.key)),
                    static_cast<long long>(t.rows));
        bool slow = m_options.allPlans;
        for (int m = 0; m < MoveCount; ++m) {
            t.dataLayer[size_t(m)] = median(sd[size_t(m)]);
            t.raw[size_t(m)] = median(sr[size_t(m)]);
            const double ratio = t.raw[size_t(m)] > 0 ? t.dataLayer[size_t(m)] / t.raw[size_t(m)] : 0;
            std::printf(" | %7.3f %7.3f %5.2fx", t.dataLayer[size_t(m)], t.raw[size_t(m)], ratio);
            if (m == First)
                worstFirst = std::max(worstFirst, ratio);
            slow = slow || ratio > m_options.planRatio;
        }
        std::printf("\n");
        if (slow) {
            QSqlDatabase &db = conn.value()->database();
            StatementLog log(db);
            plans.push_back(this->plans(order, t, dl, *rp, *raw, db, log, bugs.layout().selectList()));
        }
    }
    std::printf("\nworst first page: %.2fx %s (target: within 2x)\n", worstFirst, raw->name());
    for (const std::string &p : plans)
        std::printf("\n%s", p.c_str());
    measureMemory(folder, *raw, selection);
    return mismatches ? 1 : 0;
}

std::string BrowseBench::plans(const BrowseOrder &order, const Timing &t, DataLayerPager &dl,
                               RawSidePager &rp, RawSide &side, QSqlDatabase &db, StatementLog &log,
                               const QString &selectList) const
{
    const std::string columns = selectList.toStdString();
    auto shorten = [&](std::string sql) {
        const size_t at = sql.find(columns);
        if (at != std::string::npos)
            sql.replace(at, columns.size(), "<all columns>");
        return sql;
    };
    // One more pass of the data layer with the log on, to catch its SQL for every move.
    std::array<StatementLog::Entry, MoveCount> dlSql;
    log.clear();
    dl.firstPage();
    dlSql[First] = log.last("SELECT");
    dl.nextPage();
    dlSql[Next] = log.last("SELECT");
    dl.previousPage();
    dlSql[Previous] = log.last("SELECT");
    dl.lastPage();
    dlSql[Last] = log.last("SELECT");
    dl.count();
    dlSql[Count] = log.last("SELECT COUNT");
    // PostgreSQL plans a statement for the values it runs with: the raw side makes the same moves, so
    // that each of its statements last ran with the values the data layer's did.
    rp.firstPage();
    rp.nextPage();
    rp.previousPage();
    rp.lastPage();
    rp.count();
    std::string out;
    for (int m = 0; m < MoveCount; ++m) {
        const double ratio = t.raw[size_t(m)] > 0 ? t.dataLayer[size_t(m)] / t.raw[size_t(m)] : 0;
        if (!m_options.allPlans && ratio <= m_options.planRatio)
            continue;
        char head[200];
        std::snprintf(head, sizeof head, "order %d %s, %s: data layer %.3f ms, raw %.3f ms (%.2fx)\n",
                      order.number, qPrintable(shortKey(order.key)), kMoveNames[m], t.dataLayer[size_t(m)],
                      t.raw[size_t(m)], ratio);
        out += head;
        const StatementLog::Entry &e = dlSql[size_t(m)];
        const auto statement = RawSidePager::Statement(m);
        out += "  data layer: " + shorten(e.sql) + "\n" + side.dataLayerPlan(db, e.sql, e.run);
        out += "  raw:        " + shorten(rp.sql(statement)) + "\n" + rp.plan(statement);
    }
    return out;
}

void BrowseBench::measureMemory(BenchFolder &folder, RawSide &raw, const BrowseSelection &selection) const
{
    data::FileManager &bugs = folder.file(QStringLiteral("Bugs"));
    const int pages = 10 * m_options.pages;
    auto walk = [&](Pager &pager) {
        pager.firstPage();
        for (int p = 0; p < pages; ++p)
            pager.nextPage();
        pager.lastPage();
        for (int p = 0; p < pages; ++p)
            pager.previousPage();
    };
    // The whole process's peak so far: opening the folder and every timed move of every order.
    const long openPeak = Memory::peakKb();
    const bool reset = Memory::resetPeak();
    const long before = Memory::residentKb();
    for (const BrowseOrder &order : BrowseOrder::all()) {
        DataLayerPager dl(bugs, order, selection, raw.dialect(), m_options.pinInRange);
        walk(dl);
    }
    const long dlPeak = Memory::peakKb();
    Memory::resetPeak();
    const long rawBefore = Memory::residentKb();
    for (const BrowseOrder &order : BrowseOrder::all()) {
        const auto rp =
            raw.pager(bugs.layout().selectList(), keyColumns(bugs.layout(), order.key), order, selection);
        walk(*rp);
    }
    const long rawPeak = Memory::peakKb();
    std::printf("\nMemory while paging every order %d pages forward from the top and back from the end%s:\n",
                pages, reset ? "" : " (the peak could not be reset: figures include the set-up)");
    std::printf("  data layer: resident %.1f MiB before, peak %.1f MiB (+%.1f MiB)\n", before / 1024.0,
                dlPeak / 1024.0, (dlPeak - before) / 1024.0);
    std::printf("  %s: resident %.1f MiB before, peak %.1f MiB (+%.1f MiB)\n", raw.name(), rawBefore / 1024.0,
                rawPeak / 1024.0, (rawPeak - rawBefore) / 1024.0);
    std::printf("  process peak before paging (open and every timed move): %.1f MiB\n", openPeak / 1024.0);
}

} // namespace tarvo::bench
