#include "DataGenerator.h"

#include "common/BenchFolder.h"
#include "common/IssueMaker.h"
#include "common/Rng.h"
#include "common/Stopwatch.h"
#include "common/TextMaker.h"
#include "platform/data/Connection.h"
#include "platform/data/Transaction.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <stdexcept>

namespace tarvo::bench {

namespace {
void check(const Result<void> &r, const char *what)
{
    if (!r)
        throw std::runtime_error(std::string(what) + ": " + r.error().message.toStdString());
}

data::Connection &connectionOf(BenchFolder &folder)
{
    auto conn = folder.session().connection();
    if (!conn)
        throw std::runtime_error(conn.error().message.toStdString());
    return **conn;
}

void insertAll(data::FileManager &fm, data::Record &record, const char *what)
{
    record.setRowId(0);
    check(fm.insert(record), what);
}
} // namespace

DataGenerator::Totals DataGenerator::run()
{
    if (!QDir().mkpath(m_options.folder))
        throw std::runtime_error("cannot create " + m_options.folder.toStdString());
    if (QFileInfo::exists(QDir(m_options.folder).filePath(QStringLiteral("Tarvo.db"))))
        throw std::runtime_error(m_options.folder.toStdString() +
                                 " already holds Tarvo.db: give a new folder");

    Stopwatch clock;
    BenchFolder folder(m_options.folder);
    writeLists(folder);
    writePrograms(folder);

    data::FileManager &bugs = folder.file(QStringLiteral("Bugs"));
    data::FileManager &history = folder.file(QStringLiteral("History"));
    data::FileManager &notes = folder.file(QStringLiteral("Notes"));
    data::Record bug = bugs.newRecord();
    data::Record his = history.newRecord();
    data::Record note = notes.newRecord();
    IssueMaker maker(m_catalogue);
    Rng rng(m_options.seed);
    Totals totals;
    const qint64 n = m_options.issues;
    qint64 nextReport = n / 10;
    for (qint64 start = 0; start < n; start += m_options.batch) {
        data::Transaction tx(connectionOf(folder));
        check(tx.started(), "BEGIN");
        const qint64 end = std::min<qint64>(n, start + m_options.batch);
        for (qint64 i = start; i < end; ++i) {
            maker.fillIssue(bug, rng, i, n);
            insertAll(bugs, bug, "Bugs");
            ++totals.issues;
            for (int h = rng.between(1, 5); h > 0; --h) {
                maker.fillHistory(his, bug, rng, h);
                insertAll(history, his, "History");
                ++totals.history;
            }
            for (int k = rng.below(3); k > 0; --k) {
                maker.fillNote(note, bug, rng, k);
                insertAll(notes, note, "Notes");
                ++totals.notes;
            }
        }
        check(tx.commit(), "COMMIT");
        if (m_options.progress && end >= nextReport && nextReport > 0) {
            std::fprintf(stderr, "  %lld of %lld issues, %.0f s\n", static_cast<long long>(end),
                         static_cast<long long>(n), clock.micros() / 1e6);
            nextReport += n / 10;
        }
    }
    totals.seconds = clock.micros() / 1e6;
    return totals;
}

void DataGenerator::writeLists(BenchFolder &folder)
{
    data::Transaction tx(connectionOf(folder));
    check(tx.started(), "BEGIN");
    data::FileManager &status = folder.file(QStringLiteral("Status"));
    data::Record r = status.newRecord();
    for (const Catalogue::Status &s : Catalogue::statuses()) {
        r.clear();
        r.setValue(QStringLiteral("PrgID"), 0);
        r.setValue(QStringLiteral("SORT"), s.sort);
        r.setValue(QStringLiteral("STATUS"), s.text);
        r.setValue(QStringLiteral("GRAY"), s.gray ? 1 : 0);
        r.setValue(QStringLiteral("COLOR"), s.gray ? 0x808080 : -1);
        insertAll(status, r, "Status");
    }
    data::FileManager &priority = folder.file(QStringLiteral("Priority"));
    r = priority.newRecord();
    for (int i = 0; i < Catalogue::priorities().size(); ++i) {
        r.clear();
        r.setValue(QStringLiteral("PRIORITY"), Catalogue::priorities().at(i));
        r.setValue(QStringLiteral("PRIORITYSORT"), i + 1);
        r.setValue(QStringLiteral("COLOR"), -1);
        insertAll(priority, r, "Priority");
    }
    const std::pair<const char *, const QStringList *> lists[] = {
        {"Severity", &Catalogue::severities()}, {"Classification", &Catalogue::classifications()}};
    for (const auto &[label, texts] : lists) {
        data::FileManager &fm = folder.file(QString::fromLatin1(label));
        r = fm.newRecord();
        for (int i = 0; i < texts->size(); ++i) {
            r.clear();
            r.setValue(QStringLiteral("PrgID"), 0);
            r.setValue(QStringLiteral("SORT"), i + 1);
            r.setValue(QString::fromLatin1(label).toUpper(), texts->at(i));
            insertAll(fm, r, label);
        }
    }
    check(tx.commit(), "COMMIT");
}

void DataGenerator::writePrograms(BenchFolder &folder)
{
    data::Transaction tx(connectionOf(folder));
    check(tx.started(), "BEGIN");
    data::FileManager &programs = folder.file(QStringLiteral("Programs"));
    data::FileManager &releases = folder.file(QStringLiteral("Releases"));
    data::FileManager &files = folder.file(QStringLiteral("Programfiles"));
    data::Record prg = programs.newRecord();
    data::Record rel = releases.newRecord();
    data::Record fil = files.newRecord();
    Rng rng(m_options.seed ^ 0x5052474dULL);
    for (const ProgramEntry &e : m_catalogue.programs()) {
        prg.clear();
        prg.setValue(QStringLiteral("P"), e.parent);
        prg.setValue(QStringLiteral("Sort"), e.sort);
        prg.setValue(QStringLiteral("PrgName"), e.name);
        prg.setValue(QStringLiteral("Homepage"), QString(QStringLiteral("https://example.org/") +
                                                         QString(e.name).replace(u' ', u'-').toLower()));
        prg.setValue(QStringLiteral("Description"), TextMaker::text(rng, 100, 400));
        insertAll(programs, prg, "Programs");
        if (prg.integer(QStringLiteral("ID")) != e.id)
            throw std::runtime_error("the program tree was numbered unexpectedly: is the folder new?");
        for (int i = 0; i < e.releases.size(); ++i) {
            rel.clear();
            rel.setValue(QStringLiteral("PRGNAME"), e.name);
            rel.setValue(QStringLiteral("PRGID"), e.id);
            rel.setValue(QStringLiteral("Release"), e.releases.at(i));
            rel.setValue(QStringLiteral("ReleaseDate"),
                         IssueMaker::firstDay() + IssueMaker::kDays * qint64(i) / e.releases.size());
            rel.setValue(QStringLiteral("Description"), TextMaker::text(rng, 40, 200));
            insertAll(releases, rel, "Releases");
        }
        for (const QString &file : e.files) {
            fil.clear();
            fil.setValue(QStringLiteral("PRGNAME"), e.name);
            fil.setValue(QStringLiteral("PRGID"), e.id);
            fil.setValue(QStringLiteral("FILE"), file);
            fil.setValue(QStringLiteral("SINCERELEASE"), e.releases.first());
            insertAll(files, fil, "Programfiles");
        }
    }
    check(tx.commit(), "COMMIT");
}

} // namespace tarvo::bench
