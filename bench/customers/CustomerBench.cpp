#include "CustomerBench.h"

#include "common/BenchFolder.h"
#include "common/Median.h"
#include "common/RawDb.h"
#include "common/RawStatement.h"
#include "common/Rng.h"
#include "common/Stopwatch.h"
#include "common/TextMaker.h"
#include "listext/ViewRowSource.h"
#include "listext/ui/BrowseListModel.h"
#include "masterdata/customers/CustomerColumns.h"
#include "masterdata/customers/CustomerTasks.h"
#include "platform/data/Transaction.h"
#include "platform/data/View.h"

#include <QDir>

#include <cstdio>
#include <functional>
#include <stdexcept>

namespace tarvo::bench {

namespace {

constexpr int PageRows = 100;

void check(const Result<void> &r)
{
    if (!r)
        throw std::runtime_error(r.error().message.toStdString());
}

// Customers through the data layer, in one transaction, until the folder holds `wanted`.
void fill(BenchFolder &folder, int wanted)
{
    data::FileManager &customers = folder.file(QStringLiteral("Customer"));
    auto count = data::View(customers, QStringLiteral("CUS:KeyID")).count();
    if (!count)
        throw std::runtime_error(count.error().message.toStdString());
    if (*count >= wanted)
        return;
    std::printf("Adding %lld customers ...\n", static_cast<long long>(wanted - *count));
    std::fflush(stdout);
    auto connection = folder.session().connection();
    if (!connection)
        throw std::runtime_error(connection.error().message.toStdString());
    data::Transaction transaction(**connection);
    check(transaction.started());
    Rng rng(4711);
    static const char *const cities[] = {"Berlin", "München", "New York", "London", "Köln", "Paris", "Wien"};
    for (qint64 i = *count; i < wanted; ++i) {
        data::Record r = customers.newRecord();
        const QString name = TextMaker::line(rng, 40);
        r.setValue(QStringLiteral("Searchname"), name);
        r.setValue(QStringLiteral("Lastname"), QString(name + QStringLiteral(" GmbH")));
        r.setValue(QStringLiteral("Firstname"), TextMaker::line(rng, 20));
        r.setValue(QStringLiteral("City"), QString::fromUtf8(cities[rng.between(0, 6)]));
        r.setValue(QStringLiteral("Address1"),
                   QString(TextMaker::line(rng, 30) + QStringLiteral(" %1").arg(i % 200)));
        r.setValue(QStringLiteral("Phone"), QStringLiteral("+49 89 %1").arg(100000 + i));
        r.setValue(QStringLiteral("EMail"), QStringLiteral("c%1@example.com").arg(i));
        r.setValue(QStringLiteral("Notes"), TextMaker::text(rng, 40, 200));
        r.setValue(QStringLiteral("Direction"), TextMaker::text(rng, 20, 80));
        check(customers.insert(r));
    }
    check(transaction.commit());
}

// One case on each side, timed in turns.
struct Case {
    QString label;
    std::function<qint64()> ours;
    std::function<qint64()> raw;
};

bool runCases(const std::vector<Case> &cases, int repetitions)
{
    bool same = true;
    for (const Case &c : cases) {
        std::vector<double> ours, theirs;
        qint64 ourCount = 0, rawCount = 0;
        for (int r = 0; r < repetitions; ++r) {
            // The sides take turns going first, so that neither always finds the cache warmed.
            for (int side = 0; side < 2; ++side) {
                Stopwatch clock;
                if ((side == 0) == (r % 2 == 0)) {
                    ourCount = c.ours();
                    ours.push_back(clock.micros() / 1000.0);
                } else {
                    rawCount = c.raw();
                    theirs.push_back(clock.micros() / 1000.0);
                }
            }
        }
        const double a = median(ours), b = median(theirs);
        same = same && ourCount == rawCount;
        std::printf("  %-28s | %8lld | %9.2f ms | %9.2f ms | %5.2fx%s\n", qPrintable(c.label),
                    static_cast<long long>(ourCount), a, b, a / b, ourCount == rawCount ? "" : "  DIFFERENT");
        std::fflush(stdout);
    }
    return same;
}

// The raw scan: every text field and memo compared by SQLite itself.
std::string rawSearchSql(const data::RecordLayout &layout, bool ignoreCase)
{
    QStringList terms;
    for (int f = 0; f < layout.fieldCount(); ++f)
        if (layout.isText(f))
            terms << (ignoreCase ? QStringLiteral("%1 LIKE ?1").arg(layout.column(f))
                                 : QStringLiteral("instr(%1, ?1) > 0").arg(layout.column(f)));
    return QStringLiteral("SELECT \"ID\" FROM \"Customer\" WHERE %1")
        .arg(terms.join(QStringLiteral(" OR ")))
        .toStdString();
}

} // namespace

int CustomerBench::run()
{
    BenchFolder folder(m_options.folder);
    fill(folder, m_options.customers);
    data::FileManager &customers = folder.file(QStringLiteral("Customer"));
    RawDb raw(folder.databasePath().toStdString());

    // The first page as the browse shows it: whole customers in the search-name order.
    listext::ViewRowSource source(customers, QStringLiteral("CUS:KeySearchname"));
    listext::ui::BrowseListModel model(source, masterdata::CustomerColumns::customers());
    model.setPageSize(PageRows);
    // The raw side keeps an index of its own in the order, as a program written for it would.
    raw.exec("CREATE INDEX IF NOT EXISTS bench_raw_searchname ON \"Customer\" (\"Searchname\", \"_rid\")");
    RawStatement firstPage(raw.handle(),
                           "SELECT * FROM \"Customer\" ORDER BY \"Searchname\", \"_rid\" LIMIT " +
                               std::to_string(PageRows));
    RawStatement count(raw.handle(), "SELECT COUNT(*) FROM \"Customer\"");
    std::vector<Case> cases;
    cases.push_back({QStringLiteral("first page"),
                     [&]() -> qint64 {
                         check(model.reload());
                         qint64 n = 0;
                         for (int row = 0; row < PageRows && row < model.rowCount(); ++row)
                             n += model.rawValue(row, QStringLiteral("CUS:ID")).toLongLong() > 0;
                         return n;
                     },
                     [&]() -> qint64 {
                         // The list's scroll bar spans every customer, so both sides count them.
                         count.reset();
                         if (!count.step() || count.integer(0) < 0)
                             throw std::runtime_error("the customers cannot be counted");
                         firstPage.reset();
                         qint64 n = 0;
                         while (firstPage.step()) {
                             for (int c = 0; c < firstPage.columnCount(); ++c)
                                 (void)firstPage.text(c);
                             ++n;
                         }
                         return n;
                     }});

    const masterdata::CustomerTasks tasks(folder.session());
    struct Search {
        const char *text;
        bool ignoreCase;
    };
    // One customer, a seventh of them, every one, and none.
    for (const Search &s : {Search{"c4711@example.com", false}, Search{"C4711@EXAMPLE.COM", true},
                            Search{"Köln", false}, Search{"BERLIN", true}, Search{"GMBH", true},
                            Search{"nowhere at all", false}, Search{"NOWHERE AT ALL", true}}) {
        const QString text = QString::fromUtf8(s.text);
        auto statement =
            std::make_shared<RawStatement>(raw.handle(), rawSearchSql(customers.layout(), s.ignoreCase));
        const std::string parameter = (s.ignoreCase ? QStringLiteral("%%1%").arg(text) : text).toStdString();
        cases.push_back({QStringLiteral("search \"%1\"%2")
                             .arg(text, s.ignoreCase ? QStringLiteral(", any case") : QString()),
                         [&tasks, &customers, text, s]() -> qint64 {
                             auto found = tasks.search(data::View(customers, QStringLiteral("CUS:KeyID")),
                                                       text, s.ignoreCase);
                             if (!found)
                                 throw std::runtime_error(found.error().message.toStdString());
                             return qint64(found->size());
                         },
                         [statement, parameter]() -> qint64 {
                             statement->reset();
                             statement->bind(1, parameter);
                             qint64 n = 0;
                             while (statement->step())
                                 ++n;
                             return n;
                         }});
    }

    std::printf("Customer browse on %d customers, %d runs each, median:\n", m_options.customers,
                m_options.repetitions);
    std::printf("  %-28s | %8s | %12s | %12s | %s\n", "case", "rows", "ours", "raw", "ours / raw");
    return runCases(cases, m_options.repetitions) ? 0 : 1;
}

} // namespace tarvo::bench
