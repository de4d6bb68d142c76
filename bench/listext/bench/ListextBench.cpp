#include "ListextBench.h"

#include "RawExport.h"
#include "common/BenchFolder.h"
#include "common/Memory.h"
#include "common/RawDb.h"
#include "common/Stopwatch.h"
#include "listext/GraphData.h"
#include "listext/IssueColumns.h"
#include "listext/ListExport.h"
#include "listext/TableRows.h"
#include "listext/ViewRowSource.h"
#include "platform/data/Connection.h"
#include "platform/data/View.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>

namespace tarvo::bench {

namespace {

QByteArray digest(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(&f);
    return hash.result().toHex();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// One timed side: the median of its runs and the highest resident growth of any run.
struct Side {
    std::vector<double> ms;
    long peakGrowthKb = 0;
    long peakKb = 0;

    void time(const std::function<void()> &run)
    {
        const long before = Memory::residentKb();
        Memory::resetPeak();
        Stopwatch clock;
        run();
        ms.push_back(clock.micros() / 1000.0);
        peakKb = std::max(peakKb, Memory::peakKb());
        peakGrowthKb = std::max(peakGrowthKb, Memory::peakKb() - before);
    }
};

void report(const char *what, qint64 rows, const Side &data, const Side &raw, const char *agree)
{
    const double d = median(data.ms);
    const double r = median(raw.ms);
    std::printf("%-28s %9lld rows  data layer %9.1f ms  raw %9.1f ms  %5.2fx  %s\n", what,
                static_cast<long long>(rows), d, r, r > 0 ? d / r : 0.0, agree);
    std::printf("%-28s peak resident %.1f MiB (data side +%.1f MiB, raw side +%.1f MiB)\n", "",
                data.peakKb / 1024.0, data.peakGrowthKb / 1024.0, raw.peakGrowthKb / 1024.0);
    std::fflush(stdout);
}

void check(const Result<qint64> &r, const char *what)
{
    if (!r)
        throw std::runtime_error(std::string(what) + ": " + r.error().message.toStdString());
}

RawExport::Kind rawKind(const QString &picture)
{
    switch (listext::columnKindOfPicture(picture)) {
    case listext::ColumnKind::Text:
        return RawExport::Kind::Text;
    case listext::ColumnKind::Date:
        return RawExport::Kind::Date;
    default:
        return RawExport::Kind::Number;
    }
}

} // namespace

int ListextBench::run()
{
    BenchFolder folder(m_options.folder);
    data::FileManager &bugs = folder.file(QStringLiteral("Bugs"));
    RawDb raw(folder.databasePath().toStdString());
    const std::string table = bugs.layout().table().toStdString();
    const std::string order = "\"ID\" DESC"; // the key BUG:KeyID
    std::vector<RawExport::Column> rawColumns;
    for (const listext::TableColumn &c : issueListTableColumns())
        rawColumns.push_back({c.field.mid(c.field.indexOf(QLatin1Char(':')) + 1).toStdString(),
                              c.header.toStdString(), rawKind(c.picture)});
    const RawExport rawExport(raw.handle(), table, rawColumns, order);
    QTemporaryDir out;
    if (!out.isValid())
        throw std::runtime_error("no temporary folder");
    const QString caption = QStringLiteral("Issues & <notes>");
    int failures = 0;
    const int runs = m_options.repetitions;
    std::printf("listext on %s, %d runs each (median)\n", qPrintable(m_options.folder), runs);

    // Both sides once before the runs, so that both find the file in the cache.
    (void)rawExport.readWholeRows(bugs.layout().selectList().toStdString());

    if (m_options.exports) {
        for (const bool html : {true, false}) {
            const QString dataPath =
                out.filePath(html ? QStringLiteral("data.html") : QStringLiteral("data.csv"));
            const std::string rawPath =
                out.filePath(html ? QStringLiteral("raw.html") : QStringLiteral("raw.csv")).toStdString();
            Side dataSide, rawSide;
            qint64 rows = 0;
            for (int i = 0; i < runs; ++i) {
                dataSide.time([&]() {
                    listext::ViewRowSource source(bugs, QStringLiteral("BUG:KeyID"));
                    auto reader = listext::tableRows(source, issueListTableColumns());
                    auto written = html ? listext::ListExport::exportHtmlFile(dataPath, caption, *reader)
                                        : listext::ListExport::exportTextFile(dataPath, *reader);
                    check(written, "export");
                    rows = written.value();
                });
                rawSide.time([&]() {
                    html ? rawExport.writeHtml(rawPath, caption.toStdString()) : rawExport.writeText(rawPath);
                });
            }
            const bool same = digest(dataPath) == digest(QString::fromStdString(rawPath));
            failures += same ? 0 : 1;
            report(html ? "export to HTML" : "export to text", rows, dataSide, rawSide,
                   same ? "same bytes" : "FILES DIFFER");
            std::printf("%-28s %.1f MiB written\n", "", QFile(dataPath).size() / 1048576.0);
        }
    }

    if (m_options.graph) {
        Side dataSide, rawSide;
        std::map<std::string, std::int64_t> rawCounts;
        std::map<std::string, std::int64_t> dataCounts;
        qint64 rows = 0;
        for (int i = 0; i < runs; ++i) {
            dataSide.time([&]() {
                listext::ViewRowSource source(bugs, QStringLiteral("BUG:KeyID"));
                auto reader = listext::tableRows(
                    source, {listext::TableColumn{QStringLiteral("BUG:Status"), QStringLiteral("Status"),
                                                  QStringLiteral("@s35")}});
                auto counted = listext::GraphData::count(*reader, 0, listext::ColumnKind::Text,
                                                         QStringLiteral("Status"));
                if (!counted)
                    throw std::runtime_error("graph: " + counted.error().message.toStdString());
                rows = counted->records();
                dataCounts.clear();
                for (const auto &c : counted->categories())
                    dataCounts[c.name.toStdString()] = c.count;
            });
            rawSide.time([&]() {
                RawExport status(raw.handle(), table, {{"Status", "Status", RawExport::Kind::Text}}, order);
                rawCounts = status.count();
            });
        }
        const bool same = dataCounts == rawCounts;
        failures += same ? 0 : 1;
        report("graph of the status column", rows, dataSide, rawSide, same ? "same counts" : "COUNTS DIFFER");
    }

    // Where the time goes: the view's pages alone, then their cells as texts, then the raw read of
    // whole records (the view reads every column of every record).
    Side records, pages, texts;
    records.time([&]() {
        data::View view(bugs, QStringLiteral("BUG:KeyID"));
        std::vector<data::Record> page;
        for (;;) {
            auto rows = view.rowsAfter(page.empty() ? nullptr : &page.back(), 200);
            if (!rows || rows->empty())
                break;
            page = std::move(rows.value());
        }
    });
    qint64 read = 0;
    pages.time([&]() {
        listext::ViewRowSource source(bugs, QStringLiteral("BUG:KeyID"));
        auto reader = listext::readAllRows(source);
        listext::SourceRow row;
        read = 0;
        for (auto more = reader->next(row); more && *more; more = reader->next(row))
            ++read;
    });
    texts.time([&]() {
        listext::ViewRowSource source(bugs, QStringLiteral("BUG:KeyID"));
        auto reader = listext::tableRows(source, issueListTableColumns());
        QStringList cells;
        for (auto more = reader->next(cells); more && *more; more = reader->next(cells)) {
        }
    });
    // The exported columns alone through Qt's SQLite driver: what a view reading only the fields
    // a list shows would cost at the least with the present driver.
    Side driver;
    driver.time([&]() {
        QStringList names;
        for (const RawExport::Column &c : rawColumns)
            names << QLatin1Char('"') + QString::fromStdString(c.name) + QLatin1Char('"');
        auto conn = folder.session().connection();
        if (!conn)
            return;
        auto q = (*conn)->exec(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY %3")
                                   .arg(names.join(QStringLiteral(", ")), QString::fromStdString(table),
                                        QString::fromStdString(order)));
        if (!q)
            return;
        while (q.value()->next())
            for (int i = 0; i < names.size(); ++i)
                (void)q.value()->value(i);
    });
    std::printf("%-28s %9.1f ms for the exported columns alone through Qt's SQLite driver\n", "",
                median(driver.ms));
    std::printf(
        "%-28s %9lld rows  records of the view %9.1f ms, as list rows %9.1f ms, as cell texts %9.1f ms\n",
        "where the time goes", static_cast<long long>(read), median(records.ms), median(pages.ms),
        median(texts.ms));
    Side whole;
    std::int64_t bytes = 0;
    whole.time([&]() { bytes = rawExport.readWholeRows(bugs.layout().selectList().toStdString()); });
    std::printf("%-28s raw %9.1f ms (%.1f MiB of values: what the view reads per record)\n",
                "raw read of whole records", median(whole.ms), double(bytes) / 1048576.0);
    return failures == 0 ? 0 : 1;
}

} // namespace tarvo::bench
