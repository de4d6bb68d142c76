#include "InsertBench.h"

#include "common/BenchFolder.h"
#include "common/Catalogue.h"
#include "common/IssueMaker.h"
#include "common/Median.h"
#include "common/RawDb.h"
#include "common/RawStatement.h"
#include "common/Stopwatch.h"
#include "platform/data/Connection.h"
#include "platform/data/Transaction.h"

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <variant>

namespace tarvo::bench {

namespace {
constexpr int kPool = 1000; // distinct issues, inserted over and over

std::vector<data::Record> makePool(data::FileManager &bugs, std::uint64_t seed, qint64 total)
{
    Catalogue catalogue;
    IssueMaker maker(catalogue);
    Rng rng(seed);
    std::vector<data::Record> pool;
    for (int i = 0; i < kPool; ++i) {
        data::Record r = bugs.newRecord();
        maker.fillIssue(r, rng, total * i / kPool, total);
        pool.push_back(r);
    }
    return pool;
}

void check(const Result<void> &r, const char *what)
{
    if (!r)
        throw std::runtime_error(std::string(what) + ": " + r.error().message.toStdString());
}

qint64 countRows(const QString &folder)
{
    RawDb db(QDir(folder).filePath(QStringLiteral("Tarvo.db")).toStdString());
    RawStatement st(db.handle(), "SELECT COUNT(*) FROM Bugs");
    return st.step() ? st.integer(0) : -1;
}
} // namespace

double InsertBench::fileManager(const QString &folder, bool oneTransaction)
{
    BenchFolder bf(folder);
    data::FileManager &bugs = bf.file(QStringLiteral("Bugs"));
    const std::vector<data::Record> pool = makePool(bugs, m_options.seed, m_options.issues);
    const int id = bugs.layout().fieldIndex(QStringLiteral("BUG:ID"));
    auto conn = bf.session().connection();
    if (!conn)
        throw std::runtime_error(conn.error().message.toStdString());
    data::Record bug;
    Stopwatch clock;
    std::optional<data::Transaction> tx;
    if (oneTransaction) {
        tx.emplace(**conn);
        check(tx->started(), "BEGIN");
    }
    for (qint64 i = 0; i < m_options.issues; ++i) {
        bug = pool[size_t(i % kPool)];
        bug.setValue(id, 0);
        check(bugs.insert(bug), "insert");
    }
    if (tx)
        check(tx->commit(), "COMMIT");
    return clock.micros() / 1e6;
}

double InsertBench::raw(const QString &folder, bool oneTransaction)
{
    std::vector<std::vector<std::variant<std::int64_t, std::string>>> pool;
    QString columns, marks;
    {
        // The table and its indexes as the data layer declares them.
        BenchFolder bf(folder);
        data::FileManager &bugs = bf.file(QStringLiteral("Bugs"));
        for (const data::Record &r : makePool(bugs, m_options.seed, m_options.issues)) {
            std::vector<std::variant<std::int64_t, std::string>> values;
            for (int f = 0; f < bugs.layout().fieldCount(); ++f) {
                if (bugs.layout().isText(f))
                    values.emplace_back(r.value(f).toString().toStdString());
                else
                    values.emplace_back(std::int64_t(r.value(f).toLongLong()));
            }
            pool.push_back(std::move(values));
        }
        for (int f = 0; f < bugs.layout().fieldCount(); ++f) {
            columns += (f ? QStringLiteral(",") : QString()) + bugs.layout().column(f);
            marks += f ? QStringLiteral(",?") : QStringLiteral("?");
        }
    }
    RawDb db(QDir(folder).filePath(QStringLiteral("Tarvo.db")).toStdString());
    // Raw SQLite is the table and its key indexes: the text index and its triggers are the data
    // layer's own work.
    db.exec("DROP TRIGGER IF EXISTS \"Bugs_text_ai\"; DROP TRIGGER IF EXISTS \"Bugs_text_ad\"; "
            "DROP TRIGGER IF EXISTS \"Bugs_text_au\"; DROP TABLE IF EXISTS \"Bugs_text\";");
    RawStatement begin(db.handle(), "BEGIN");
    RawStatement commit(db.handle(), "COMMIT");
    RawStatement insert(db.handle(), "INSERT INTO \"Bugs\" (" + columns.toStdString() + ") VALUES (" +
                                         marks.toStdString() + ")");
    Stopwatch clock;
    if (oneTransaction)
        begin.run();
    for (qint64 i = 0; i < m_options.issues; ++i) {
        const auto &values = pool[size_t(i % kPool)];
        if (!oneTransaction)
            begin.run();
        insert.reset();
        for (size_t f = 0; f < values.size(); ++f) {
            if (f == 0)
                insert.bind(1, std::int64_t(i + 1)); // the issue number, counted here
            else if (const auto *text = std::get_if<std::string>(&values[f]))
                insert.bind(int(f) + 1, *text);
            else
                insert.bind(int(f) + 1, std::get<std::int64_t>(values[f]));
        }
        insert.run();
        if (!oneTransaction)
            commit.run();
    }
    if (oneTransaction)
        commit.run();
    return clock.micros() / 1e6;
}

int InsertBench::run()
{
    std::optional<QTemporaryDir> temp;
    QString parent = m_options.folder;
    if (parent.isEmpty()) {
        temp.emplace();
        parent = temp->path();
    }
    const qint64 n = m_options.issues;
    const int repetitions = m_options.repetitions;
    auto fresh = [&](const char *name, int run) {
        QString leaf = QString::fromLatin1(name);
        if (repetitions > 1)
            leaf += QStringLiteral("-%1").arg(run + 1);
        const QString path = QDir(parent).filePath(leaf);
        if (QDir(path).exists())
            throw std::runtime_error(path.toStdString() + " exists already");
        QDir().mkpath(path);
        return path;
    };
    std::printf("Inserting %lld issues into an empty Bugs file (18 keys, 18 memos)",
                static_cast<long long>(n));
    if (repetitions > 1)
        std::printf(", median of %d runs, sides alternating", repetitions);
    std::printf(":\n  %-28s | %-20s | %-20s | ratio\n", "", "file manager", "raw SQLite");
    std::fflush(stdout);
    double perRecordRatio = 0;
    for (bool one : {false, true}) {
        std::vector<double> fms, raws, ratios;
        for (int run = 0; run < repetitions; ++run) {
            const QString fmFolder = fresh(one ? "fm-one-transaction" : "fm-per-record", run);
            const QString rawFolder = fresh(one ? "raw-one-transaction" : "raw-per-record", run);
            // Alternate which side goes first, so that neither always meets a warmer machine.
            double f = 0, r = 0;
            if (run % 2) {
                r = raw(rawFolder, one);
                f = fileManager(fmFolder, one);
            } else {
                f = fileManager(fmFolder, one);
                r = raw(rawFolder, one);
            }
            if (countRows(fmFolder) != n || countRows(rawFolder) != n)
                throw std::runtime_error("a run did not store every issue");
            fms.push_back(f);
            raws.push_back(r);
            ratios.push_back(f / r);
            if (repetitions > 1) {
                QDir(fmFolder).removeRecursively();
                QDir(rawFolder).removeRecursively();
            }
        }
        const double f = median(fms), r = median(raws);
        std::printf("  %-28s | %7.2f s %7.0f /s | %7.2f s %7.0f /s | %.2fx",
                    one ? "one transaction around all" : "one transaction per record", f, double(n) / f, r,
                    double(n) / r, f / r);
        if (repetitions > 1)
            std::printf(" (runs %.2fx-%.2fx)", *std::min_element(ratios.begin(), ratios.end()),
                        *std::max_element(ratios.begin(), ratios.end()));
        std::printf("\n");
        std::fflush(stdout);
        if (!one)
            perRecordRatio = f / r;
    }
    std::printf("  file manager with one transaction per record against raw SQLite with one transaction per "
                "record: %.2fx (target: within 3x)\n",
                perRecordRatio);
    return 0;
}

} // namespace tarvo::bench
