#include "access/DataFileRepair.h"

#include "platform/data/Connection.h"
#include "platform/data/Store.h"
#include "platform/runtime/Clock.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

#include <cstdio>
#include <limits>
#include <memory>
#include <sqlite3.h>

namespace tarvo::access {

namespace {

constexpr int ErrorRepair = 90;

struct CloseDb {
    void operator()(sqlite3 *db) const { sqlite3_close_v2(db); }
};
using Db = std::unique_ptr<sqlite3, CloseDb>;
struct FinalizeStatement {
    void operator()(sqlite3_stmt *s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

Error failure(const QString &what, sqlite3 *db = nullptr)
{
    return makeError(ErrorRepair,
                     db ? what + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db)) : what);
}

Result<Db> openDb(const QString &file, int flags)
{
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &raw, flags, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK)
        return failure(QStringLiteral("Cannot open \"%1\"").arg(file), raw);
    return db;
}

Statement prepare(sqlite3 *db, const QString &sql)
{
    sqlite3_stmt *raw = nullptr;
    sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &raw, nullptr);
    return Statement(raw);
}

bool exec(sqlite3 *db, const QString &sql)
{
    return sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

QString quoted(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

// The check's own lines: "ok" alone for a sound file. A file too damaged to check says so.
QStringList integrityFindings(sqlite3 *db)
{
    QStringList findings;
    Statement check = prepare(db, QStringLiteral("PRAGMA integrity_check(100)"));
    if (!check)
        return {QString::fromUtf8(sqlite3_errmsg(db))};
    int rc;
    while ((rc = sqlite3_step(check.get())) == SQLITE_ROW)
        findings << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(check.get(), 0)));
    if (rc != SQLITE_DONE)
        findings << QString::fromUtf8(sqlite3_errmsg(db));
    if (findings == QStringList{QStringLiteral("ok")})
        findings.clear();
    return findings;
}

struct SchemaEntry {
    QString type, name, sql;
};

// Copies the rows of one table that can still be read, by row number: after a damaged stretch
// the reading goes on from the next row number that can be reached.
Result<std::pair<qint64, qint64>> copyRows(sqlite3 *from, sqlite3 *to, const QString &table)
{
    QStringList names;
    Statement info = prepare(to, QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table)));
    while (info && sqlite3_step(info.get()) == SQLITE_ROW)
        names << quoted(
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(info.get(), 1))));
    const int count = int(names.size());
    if (count == 0)
        return failure(QStringLiteral("Cannot read the columns of %1").arg(table), to);
    const QStringList marks(count + 1, QStringLiteral("?"));
    Statement insert = prepare(
        to, QStringLiteral("INSERT INTO %1(rowid, %2) VALUES(%3)")
                .arg(quoted(table), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
    if (!insert)
        return failure(QStringLiteral("Cannot write into %1").arg(table), to);

    qint64 highest = std::numeric_limits<qint64>::max();
    if (Statement max = prepare(from, QStringLiteral("SELECT max(rowid) FROM %1").arg(quoted(table)));
        max && sqlite3_step(max.get()) == SQLITE_ROW)
        highest = sqlite3_column_int64(max.get(), 0);
    qint64 kept = 0, unreadable = 0, next = std::numeric_limits<qint64>::min();
    // Without a highest row number the search for readable rows gives up after this many.
    constexpr qint64 blindProbes = 1'000'000;
    qint64 misses = 0;
    while (true) {
        Statement scan = prepare(
            from,
            QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid >= ? ORDER BY rowid").arg(quoted(table)));
        if (!scan)
            return failure(QStringLiteral("Cannot read %1").arg(table), from);
        sqlite3_bind_int64(scan.get(), 1, next);
        bool any = false;
        int rc;
        while ((rc = sqlite3_step(scan.get())) == SQLITE_ROW) {
            any = true;
            const qint64 rowid = sqlite3_column_int64(scan.get(), 0);
            sqlite3_reset(insert.get());
            for (int c = 0; c <= count; ++c)
                sqlite3_bind_value(insert.get(), c + 1, sqlite3_column_value(scan.get(), c));
            if (sqlite3_step(insert.get()) != SQLITE_DONE)
                return failure(QStringLiteral("Cannot write into %1").arg(table), to);
            ++kept;
            next = rowid + 1;
        }
        if (rc == SQLITE_DONE)
            break;
        // A damaged stretch: step over one row number and read on from there.
        if (!any) {
            next = next < 1 ? 1 : next + 1;
            ++unreadable;
        }
        misses = any ? 0 : misses + 1;
        if (next > highest || (highest == std::numeric_limits<qint64>::max() && misses > blindProbes))
            break;
    }
    return std::pair{kept, unreadable};
}

Result<void> rebuild(const QString &damaged, const QString &target, RepairReport &report)
{
    auto from = openDb(damaged, SQLITE_OPEN_READONLY);
    if (!from)
        return from.error();
    auto to = openDb(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (!to)
        return to.error();
    std::vector<SchemaEntry> schema;
    Statement read =
        prepare(from->get(), QStringLiteral("SELECT type, name, sql FROM sqlite_master WHERE sql IS NOT NULL "
                                            "AND name NOT LIKE 'sqlite_%' ORDER BY rowid"));
    if (!read)
        return failure(QStringLiteral("The file's table of contents cannot be read"), from->get());
    int rc;
    while ((rc = sqlite3_step(read.get())) == SQLITE_ROW) {
        auto text = [&](int c) {
            return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(read.get(), c)));
        };
        schema.push_back({text(0), text(1), text(2)});
    }
    if (rc != SQLITE_DONE)
        return failure(QStringLiteral("The file's table of contents cannot be read"), from->get());
    if (!exec(to->get(), QStringLiteral("BEGIN")))
        return failure(QStringLiteral("Cannot write the rebuilt file"), to->get());
    for (const auto &entry : schema) {
        if (entry.type != u"table")
            continue;
        if (!exec(to->get(), entry.sql))
            return failure(QStringLiteral("Cannot create %1").arg(entry.name), to->get());
        auto copied = copyRows(from->get(), to->get(), entry.name);
        if (!copied)
            return copied.error();
        report.rowsKept += copied->first;
        report.rowsUnreadable += copied->second;
        report.tables << QStringLiteral("%1: %2").arg(entry.name).arg(copied->first);
    }
    for (const auto &entry : schema)
        if (entry.type != u"table" && !exec(to->get(), entry.sql))
            report.findings << QStringLiteral("%1 could not be rebuilt: %2")
                                   .arg(entry.name, QString::fromUtf8(sqlite3_errmsg(to->get())));
    if (!exec(to->get(), QStringLiteral("COMMIT")))
        return failure(QStringLiteral("Cannot write the rebuilt file"), to->get());
    if (const QStringList left = integrityFindings(to->get()); !left.isEmpty())
        return failure(QStringLiteral("The rebuilt file does not pass the check: ") +
                       left.join(QStringLiteral("; ")));
    return {};
}

} // namespace

QString RepairReport::text() const
{
    if (findings.isEmpty() && !rebuilt)
        return QStringLiteral("Keine Fehler in der Datei gefunden.");
    QStringList lines;
    lines << QStringLiteral("Found:") << findings;
    if (!backupFile.isEmpty())
        lines << QString() << QStringLiteral("Copy of the file as it was: ") + backupFile;
    if (rebuilt) {
        lines << QStringLiteral("The file was rebuilt: %1 rows kept, %2 row numbers could not be read.")
                     .arg(rowsKept)
                     .arg(rowsUnreadable);
        lines << tables;
    }
    return lines.join(QLatin1Char('\n'));
}

QString DataFileRepair::backupName(const QString &file)
{
    const QString stamp = Clock::now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = file + QLatin1Char('.') + stamp;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = file + QLatin1Char('.') + stamp + QLatin1Char('-') + QString::number(n);
    return name;
}

Result<RepairReport> DataFileRepair::repairSqlite(const QString &file)
{
    if (!QFileInfo(file).isFile())
        return makeError(2, QStringLiteral("\"%1\" does not exist.").arg(file));
    // Another copy of the program writing the file would be cut off by the exchange.
    for (const char *suffix : {"-wal", "-journal"})
        if (QFileInfo::exists(file + QLatin1String(suffix)))
            return makeError(
                ErrorRepair,
                QStringLiteral("\"%1\" is in use. Close every copy of the program first.").arg(file));
    RepairReport report;
    report.backupFile = backupName(file);
    if (!QFile::copy(file, report.backupFile) ||
        QFileInfo(report.backupFile).size() != QFileInfo(file).size())
        return makeError(ErrorRepair, QStringLiteral("Copy failure: \"%1\"").arg(report.backupFile));
    {
        auto db = openDb(file, SQLITE_OPEN_READONLY);
        report.findings = db ? integrityFindings(db->get()) : QStringList{db.error().message};
    }
    if (report.findings.isEmpty())
        return report;

    const QString target = file + QStringLiteral(".rebuilt");
    QFile::remove(target); // a half-written file of a repair that failed before
    if (auto built = rebuild(report.backupFile, target, report); !built) {
        QFile::remove(target);
        return built.error();
    }
    // rename() replaces in one step: the file is either the original or the complete rebuild.
    if (std::rename(QFile::encodeName(target).constData(), QFile::encodeName(file).constData()) != 0) {
        QFile::remove(target);
        return makeError(ErrorRepair,
                         QStringLiteral("The rebuilt file could not take the place of \"%1\".").arg(file));
    }
    report.rebuilt = true;
    return report;
}

Result<RepairReport> DataFileRepair::checkPostgres(const QString &dataFolder)
{
    auto store = data::Store::forFolder(dataFolder);
    if (!store)
        return store.error();
    if ((*store)->kind() != data::StoreKind::Postgres)
        return makeError(ErrorRepair,
                         QStringLiteral("\"%1\" is not kept on a PostgreSQL server.").arg(dataFolder));
    auto connection = (*store)->connection();
    if (!connection)
        return connection.error();
    auto tables = (*connection)
                      ->exec(QStringLiteral("SELECT table_schema, table_name FROM information_schema.tables "
                                            "WHERE table_schema IN ('tarvo', 'vuvuzu') AND table_type = "
                                            "'BASE TABLE' ORDER BY 1, 2"));
    if (!tables)
        return tables.error();
    QStringList names;
    while ((*tables)->next())
        names << quoted((*tables)->value(0).toString()) + QLatin1Char('.') +
                     quoted((*tables)->value(1).toString());
    RepairReport report;
    for (const QString &table : std::as_const(names)) {
        auto rows = (*connection)->exec(QStringLiteral("SELECT count(*) FROM ") + table);
        if (!rows || !(*rows)->next()) {
            report.findings << table + QStringLiteral(": ") +
                                   (rows ? QStringLiteral("no answer") : rows.error().message);
            continue;
        }
        const qint64 count = (*rows)->value(0).toLongLong();
        report.rowsKept += count;
        report.tables << QStringLiteral("%1: %2").arg(table).arg(count);
    }
    return report;
}

} // namespace tarvo::access
