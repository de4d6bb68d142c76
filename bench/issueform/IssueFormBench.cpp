#include "IssueFormBench.h"

#include "common/BenchFolder.h"
#include "common/Median.h"
#include "common/RawDb.h"
#include "common/RawStatement.h"
#include "common/Stopwatch.h"
#include "core/lists/ReadKeyOrder.h"
#include "core/services/AccessStandIn.h"
#include "core/services/MailStandIn.h"
#include "core/services/Services.h"
#include "core/startup/SettingsRecord.h"
#include "core/startup/SettingsValues.h"
#include "issues/IssueFieldRules.h"
#include "issues/IssueSave.h"
#include "platform/data/Connection.h"
#include "platform/data/Transaction.h"
#include "platform/runtime/DayDate.h"

#include <QDateTime>
#include <QDir>

#include <algorithm>
#include <cstdio>
#include <set>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvo::bench {

namespace {

constexpr int kHistory = 200;
constexpr int kNotes = 50;
constexpr int kAttachments = 20;

// The user who saves: records keep his initials.
class BenchUser final : public core::AccessStandIn {
  public:
    QString mak() const override { return QStringLiteral("BEN"); }
};

void check(const Result<void> &r, const char *what)
{
    if (!r)
        throw std::runtime_error(std::string(what) + ": " + r.error().message.toStdString());
}

std::int64_t scalar(RawDb &db, const std::string &sql, std::int64_t id = 0)
{
    RawStatement st(db.handle(), sql);
    if (id)
        st.bind(1, id);
    return st.step() ? st.integer(0) : 0;
}

// The history rows of the issue beyond its first 200.
std::vector<qint64> extraHistory(RawDb &db, qint64 id)
{
    RawStatement st(db.handle(), "SELECT _rid FROM History WHERE ID=?1 ORDER BY _rid LIMIT -1 OFFSET 200");
    st.bind(1, id);
    std::vector<qint64> rows;
    while (st.step())
        rows.push_back(st.integer(0));
    return rows;
}

// Gives the issue its 200 history rows, 50 notes and 20 attachments (with 4 KB stored bytes each)
// through the file managers, once.
void fillIssue(BenchFolder &folder, qint64 id)
{
    data::Session &session = folder.session();
    auto conn = session.connection();
    if (!conn)
        throw std::runtime_error(conn.error().message.toStdString());
    // Opening the files creates the ones the folder does not have yet.
    for (const char *label : {"History", "Notes", "Attachments", "AttachmentFiles", "BugsResponsible"})
        (void)folder.file(QLatin1String(label));
    RawDb db(folder.databasePath().toStdString());
    const qint64 history =
        std::min<qint64>(kHistory, scalar(db, "SELECT COUNT(*) FROM History WHERE ID=?1", id));
    const qint64 notes = scalar(db, "SELECT COUNT(*) FROM Notes WHERE ID=?1", id);
    const qint64 attachments = scalar(db, "SELECT COUNT(*) FROM Attachments WHERE BUGID=?1", id);
    data::Transaction tx(**conn);
    check(tx.started(), "BEGIN");
    data::FileManager &his = folder.file(QStringLiteral("History"));
    // The entries earlier runs saved go, so that every run reads the same 200.
    for (qint64 row : extraHistory(db, id)) {
        data::Record r = his.newRecord();
        check(his.fetchRow(row, r), "history row");
        check(his.remove(r), "history row");
    }
    for (qint64 i = history; i < kHistory; ++i) {
        data::Record r = his.newRecord();
        r.setValue(QStringLiteral("HIS:ID"), id);
        r.setValue(QStringLiteral("HIS:FIELD"), QStringLiteral("Description"));
        r.setValue(QStringLiteral("HIS:FORMAT"), QStringLiteral("S255"));
        r.setValue(QStringLiteral("HIS:DATE"), qint64(80000 + i));
        r.setValue(QStringLiteral("HIS:TIME"), qint64(100 * i + 1));
        r.setValue(QStringLiteral("HIS:INITIALS"), QStringLiteral("BEN"));
        r.setValue(QStringLiteral("HIS:Contents_Old"), QStringLiteral("Old text of change %1").arg(i));
        r.setValue(QStringLiteral("HIS:Contents_New"), QStringLiteral("New text of change %1").arg(i));
        check(his.insert(r), "history");
    }
    data::FileManager &note = folder.file(QStringLiteral("Notes"));
    for (qint64 i = notes; i < kNotes; ++i) {
        data::Record r = note.newRecord();
        r.setValue(QStringLiteral("NOTE:ID"), id);
        r.setValue(QStringLiteral("NOTE:Status"), QStringLiteral("Open"));
        r.setValue(QStringLiteral("NOTE:CreatedDate"), qint64(80000 + i));
        r.setValue(QStringLiteral("NOTE:CreatedTime"), qint64(100 * i + 1));
        r.setValue(QStringLiteral("NOTE:CREATEDBY"), QStringLiteral("BEN"));
        r.setValue(QStringLiteral("NOTE:Note"),
                   QStringLiteral("A note of some length, number %1, about the issue.").arg(i));
        check(note.insert(r), "note");
    }
    data::FileManager &att = folder.file(QStringLiteral("Attachments"));
    data::FileManager &files = folder.file(QStringLiteral("AttachmentFiles"));
    for (qint64 i = attachments; i < kAttachments; ++i) {
        data::Record r = att.newRecord();
        r.setValue(QStringLiteral("ATT:BUGID"), id);
        r.setValue(QStringLiteral("ATT:Description"),
                   QStringLiteral("Attachment %1").arg(i, 2, 10, QLatin1Char('0')));
        r.setValue(QStringLiteral("ATT:Attachment"), QStringLiteral("C:\\logs\\trace-%1.log").arg(i));
        r.setValue(QStringLiteral("ATT:Date"), qint64(80000 + i));
        check(att.insert(r), "attachment");
        data::Record f = files.newRecord();
        f.setValue(QStringLiteral("ATF:ID"), r.integer(QStringLiteral("ATT:ID")));
        f.setValue(QStringLiteral("ATF:ATTACHEDFILE"), QByteArray(4096, char('a' + i % 26)));
        check(files.insert(f), "attachment file");
    }
    check(tx.commit(), "COMMIT");
}

// What the issue form reads when it opens, through the data layer: the issue by its key, read
// whole, and its lists in their key orders. The number of rows read.
qint64 openDataLayer(data::Session &session, qint64 id)
{
    data::FileManager &bugs = *session.file(QStringLiteral("Bugs"));
    data::Record &buffer = bugs.buffer();
    buffer = bugs.newRecord();
    buffer.setValue(QStringLiteral("BUG:ID"), id);
    check(bugs.fetch(QStringLiteral("BUG:KeyID"), buffer), "issue");
    data::Record whole = bugs.newRecord();
    check(bugs.fetchRow(buffer.rowId(), whole), "issue row");
    buffer = whole;
    qint64 rows = 1;
    const std::pair<const char *, const char *> lists[] = {{"History", "KeyIDDateTime"},
                                                           {"Notes", "KeyIDCreatedDateCreatedTime"},
                                                           {"Attachments", "KeyBugIDDescription"},
                                                           {"BugsResponsible", "KeyIDResponsible"}};
    for (const auto &[label, key] : lists) {
        const auto failed = core::readKeyOrder(session, QLatin1String(label), QLatin1String(key), {id},
                                               [&rows](const data::Record &) { ++rows; });
        if (failed)
            throw std::runtime_error(failed->message.toStdString());
    }
    return rows;
}

// The same rows through prepared statements on the same indexes, every column read.
struct RawOpen {
    explicit RawOpen(sqlite3 *db)
        : issue(db, "SELECT * FROM Bugs WHERE ID=?1"),
          history(db, "SELECT * FROM History WHERE ID=?1 ORDER BY DATE DESC, TIME DESC, _rid"),
          notes(db, "SELECT * FROM Notes WHERE ID=?1 ORDER BY CreatedDate DESC, CreatedTime DESC, _rid"),
          attachments(db, "SELECT * FROM Attachments WHERE BUGID=?1 ORDER BY Description, _rid"),
          responsible(db, "SELECT * FROM BugsResponsible WHERE ID=?1 ORDER BY RESPONSIBLE, _rid")
    {
    }
    qint64 run(qint64 id)
    {
        qint64 rows = 0;
        for (RawStatement *st : {&issue, &history, &notes, &attachments, &responsible}) {
            st->reset();
            st->bind(1, id);
            while (st->step()) {
                (void)st->readRow();
                ++rows;
            }
        }
        return rows;
    }
    RawStatement issue, history, notes, attachments, responsible;
};

const char *const kSeverities[] = {"Minor", "Major"};

// The issue in the Bugs buffer, as the issue browse leaves it before it opens the form: not timed,
// the raw side has no browse.
void browseTo(data::Session &session, qint64 id)
{
    data::FileManager &bugs = *session.file(QStringLiteral("Bugs"));
    bugs.buffer() = bugs.newRecord();
    bugs.buffer().setValue(QStringLiteral("BUG:ID"), id);
    check(bugs.fetch(QStringLiteral("BUG:KeyID"), bugs.buffer()), "issue");
}

// Saving a change of five fields as the issue form does: opening it for a change (the issue read
// and held), each accepted field's history entry, then OK through the issue save (checks, the
// notification decision, the issue written under the relation rules, the hold released).
void saveDataLayer(data::Session &session, const core::SettingsValues &settings, int round)
{
    issues::IssueSave save(session, settings);
    auto opened = save.open(issues::IssueRequest::Change);
    if (!opened || *opened != issues::IssueRequest::Change)
        throw std::runtime_error("the issue did not open for a change");
    data::Record &bug = save.issue();
    const std::pair<QString, QVariant> changes[] = {
        {QStringLiteral("BUG:Description"), QStringLiteral("Crash on start, round %1").arg(round)},
        {QStringLiteral("BUG:Severity"), QString::fromLatin1(kSeverities[round % 2])},
        {QStringLiteral("BUG:EstTime"), QStringLiteral("%1 h").arg(round % 9 + 1)},
        {QStringLiteral("BUG:DueDate"), 82000 + round},
        {QStringLiteral("BUG:BugText"), QStringLiteral("Steps: open, click, crash. Round %1.").arg(round)},
    };
    for (const auto &[field, value] : changes) {
        const QString before = bug.value(field).toString();
        bug.setValue(field, value);
        check(save.history().add(field.mid(4), QStringLiteral("S255"), before, value.toString()), "history");
    }
    const issues::IssueFieldRules rules(session, {}, {});
    const auto saved = save.ok(rules, {}, {});
    if (saved.outcome != issues::SaveResult::Outcome::Saved)
        throw std::runtime_error("the change was not saved");
}

// The same rows as raw statements, with the same commits: the issue read whole and its hold row
// written, five history rows, the issue's five fields and its changed stamps in one transaction,
// then the hold row removed.
struct RawSave {
    explicit RawSave(sqlite3 *db)
        : issue(db, "SELECT * FROM Bugs WHERE ID=?1"),
          hold(db, "INSERT INTO _tarvo_holds (tablename, rid, host, pid, context, expires) "
                   "VALUES ('Bugs', ?1, 'bench', 1, 1, ?2) ON CONFLICT (tablename, rid) DO UPDATE SET "
                   "host = excluded.host, pid = excluded.pid, context = excluded.context, "
                   "expires = excluded.expires WHERE _tarvo_holds.expires < ?3 OR "
                   "(_tarvo_holds.host = excluded.host AND _tarvo_holds.pid = excluded.pid AND "
                   "_tarvo_holds.context = excluded.context)"),
          release(db, "DELETE FROM _tarvo_holds WHERE tablename = 'Bugs' AND rid = ?1 AND host = 'bench' "
                      "AND pid = 1 AND context = 1"),
          history(db,
                  "INSERT INTO History (ID, FIELD, FORMAT, DATE, TIME, INITIALS, Contents_Old, Contents_New) "
                  "VALUES (?1, ?2, 'S255', ?3, ?4, 'BEN', ?5, ?6)"),
          begin(db, "BEGIN IMMEDIATE"),
          update(db, "UPDATE Bugs SET Description=?2, Severity=?3, EstTime=?4, DueDate=?5, BugText=?6, "
                     "ChangedDate=?7, ChangedTime=?8, ChangedBy='BEN' WHERE ID=?1"),
          commit(db, "COMMIT")
    {
    }
    void run(qint64 id, int round)
    {
        const std::string values[] = {"Crash on start, round " + std::to_string(round),
                                      kSeverities[round % 2], std::to_string(round % 9 + 1) + " h",
                                      std::to_string(82000 + round),
                                      "Steps: open, click, crash. Round " + std::to_string(round) + "."};
        const char *const fields[] = {"Description", "Severity", "EstTime", "DueDate", "BugText"};
        const std::string before = "before";
        const std::int64_t today = DayDate::today();
        const std::int64_t now = DayDate::clock();
        issue.reset();
        issue.bind(1, id);
        if (!issue.step())
            throw std::runtime_error("no issue");
        (void)issue.readRow();
        const std::int64_t rowId = issue.integer(0);
        issue.reset();
        const std::int64_t expires = std::int64_t(QDateTime::currentMSecsSinceEpoch());
        hold.reset();
        hold.bind(1, rowId);
        hold.bind(2, expires + 60000);
        hold.bind(3, expires);
        hold.run();
        for (int i = 0; i < 5; ++i) {
            const std::string field = fields[i];
            history.reset();
            history.bind(1, id);
            history.bind(2, field);
            history.bind(3, today);
            history.bind(4, now);
            history.bind(5, before);
            history.bind(6, values[i]);
            history.run();
        }
        begin.reset();
        begin.run();
        update.reset();
        update.bind(1, id);
        for (int i = 0; i < 5; ++i) {
            if (i == 3)
                update.bind(i + 2, std::int64_t(82000 + round));
            else
                update.bind(i + 2, values[i]);
        }
        update.bind(7, today);
        update.bind(8, now);
        update.run();
        commit.reset();
        commit.run();
        release.reset();
        release.bind(1, rowId);
        release.run();
    }
    RawStatement issue, hold, release, history, begin, update, commit;
};

std::set<std::string> names(RawDb &db, const std::string &sql)
{
    RawStatement st(db.handle(), sql);
    std::set<std::string> found;
    while (st.step())
        found.insert(st.text(0));
    return found;
}

std::string sqlName(const std::string &name)
{
    return '"' + name + '"';
}

// What the runs change in a folder that other benchmarks read at the same time, put back when they
// end, also after a failure: the issue's row as it was, the rows added under the issue, and the
// files (tables and their layout rows) that opening them created. Taken before the folder is
// opened through the data layer, put back after it is closed.
class PutBack final {
  public:
    PutBack(const QString &databasePath, qint64 issue) : m_db(databasePath.toStdString()), m_issue(issue)
    {
        sqlite3_busy_timeout(m_db.handle(), 60000);
        m_tables = names(m_db, "SELECT name FROM sqlite_master WHERE type = 'table'");
        m_layouts = names(m_db, "SELECT tablename FROM _tarvo_layouts");
        for (const Child &child : kChildren)
            if (m_tables.count(child.table))
                m_lastRow.push_back(
                    scalar(m_db, "SELECT COALESCE(MAX(_rid), 0) FROM " + sqlName(child.table)));
            else
                m_lastRow.push_back(-1);
        RawStatement row(m_db.handle(), "SELECT * FROM Bugs WHERE ID=?1");
        row.bind(1, issue);
        if (!row.step())
            throw std::runtime_error("no issue " + std::to_string(issue));
        sqlite3_stmt *st = row.handle();
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            m_columns.emplace_back(sqlite3_column_name(st, c));
            m_values.push_back(sqlite3_value_dup(sqlite3_column_value(st, c)));
        }
    }
    ~PutBack()
    {
        if (!m_done) {
            try {
                restore();
            } catch (const std::exception &e) {
                std::fprintf(stderr, "the folder could not be put back: %s\n", e.what());
            }
        }
        for (sqlite3_value *v : m_values)
            sqlite3_value_free(v);
    }
    PutBack(const PutBack &) = delete;
    PutBack &operator=(const PutBack &) = delete;

    // One transaction: the added rows go, the issue's row gets its values back, created files go.
    void restore()
    {
        m_done = true;
        m_db.exec("BEGIN IMMEDIATE");
        try {
            for (size_t i = 0; i < std::size(kChildren); ++i) {
                if (m_lastRow[i] < 0)
                    continue;
                // The stored bytes name their attachment, not the issue: all of them are new.
                const std::string owner =
                    kChildren[i].owner ? sqlName(kChildren[i].owner) + "=" + std::to_string(m_issue) + " AND "
                                       : "";
                RawStatement remove(m_db.handle(), "DELETE FROM " + sqlName(kChildren[i].table) + " WHERE " +
                                                       owner + "_rid>?1");
                remove.bind(1, m_lastRow[i]);
                remove.run();
            }
            std::string set;
            for (size_t c = 1; c < m_columns.size(); ++c)
                set += (set.empty() ? "" : ", ") + sqlName(m_columns[c]) + "=?" + std::to_string(c + 1);
            RawStatement update(m_db.handle(), "UPDATE Bugs SET " + set + " WHERE _rid=?1");
            for (size_t c = 0; c < m_values.size(); ++c)
                sqlite3_bind_value(update.handle(), int(c + 1), m_values[c]);
            update.run();
            // Text indexes first: dropping one drops its own tables with it.
            for (const char *kind : {"AND sql LIKE 'CREATE VIRTUAL%'", ""})
                for (const std::string &table :
                     names(m_db, std::string("SELECT name FROM sqlite_master WHERE type = 'table' ") + kind))
                    if (!m_tables.count(table))
                        m_db.exec("DROP TABLE IF EXISTS " + sqlName(table));
            for (const std::string &layout : names(m_db, "SELECT tablename FROM _tarvo_layouts"))
                if (!m_layouts.count(layout)) {
                    RawStatement remove(m_db.handle(), "DELETE FROM _tarvo_layouts WHERE tablename=?1");
                    remove.bind(1, layout);
                    remove.run();
                }
            m_db.exec("COMMIT");
        } catch (...) {
            m_db.exec("ROLLBACK");
            throw;
        }
    }

  private:
    struct Child {
        const char *table;
        const char *owner;
    };
    // The rows the runs add under the issue, by the column that names it.
    static constexpr Child kChildren[] = {{"History", "ID"},
                                          {"Notes", "ID"},
                                          {"Attachments", "BUGID"},
                                          {"AttachmentFiles", nullptr},
                                          {"BugsResponsible", "ID"}};

    RawDb m_db;
    qint64 m_issue;
    std::set<std::string> m_tables;
    std::set<std::string> m_layouts;
    std::vector<std::int64_t> m_lastRow;
    std::vector<std::string> m_columns;
    std::vector<sqlite3_value *> m_values;
    bool m_done = false;
};

void printRow(const char *what, double layer, double raw)
{
    std::printf("%-34s %10.3f ms %10.3f ms %8.2fx\n", what, layer / 1000, raw / 1000,
                raw > 0 ? layer / raw : 0);
}

} // namespace

int IssueFormBench::run()
{
    const QString database = QDir(m_options.folder).filePath(QStringLiteral("Tarvo.db"));
    qint64 id = m_options.issue;
    if (id <= 0) {
        RawDb db(database.toStdString());
        id = scalar(db, "SELECT MAX(ID) FROM Bugs") / 2;
    }
    PutBack putBack(database, id);
    const int result = measure(id);
    putBack.restore();
    std::printf("the issue, its rows and the folder's files are as they were\n");
    return result;
}

int IssueFormBench::measure(qint64 id)
{
    BenchFolder folder(m_options.folder);
    BenchUser user;
    core::MailStandIn mail;
    core::Services::setAccess(&user);
    core::Services::setMail(&mail);
    data::FileManager &parameter = folder.file(QStringLiteral("Parameter"));
    data::Record settingsRecord = parameter.newRecord();
    // The folder's one settings record; a folder without one saves under the defaults.
    if (!parameter.fetchRow(1, settingsRecord))
        settingsRecord = parameter.newRecord();
    core::SettingsRecord::instance().set(settingsRecord);
    const core::SettingsValues settings(settingsRecord);

    RawDb db(folder.databasePath().toStdString());
    const std::int64_t issues = scalar(db, "SELECT COUNT(*) FROM Bugs");
    std::printf("%lld issues; issue %lld\n", static_cast<long long>(issues), static_cast<long long>(id));
    fillIssue(folder, id);
    std::printf("history %lld, notes %lld, attachments %lld\n",
                static_cast<long long>(scalar(db, "SELECT COUNT(*) FROM History WHERE ID=?1", id)),
                static_cast<long long>(scalar(db, "SELECT COUNT(*) FROM Notes WHERE ID=?1", id)),
                static_cast<long long>(scalar(db, "SELECT COUNT(*) FROM Attachments WHERE BUGID=?1", id)));

    RawOpen rawOpen(db.handle());
    RawSave rawSave(db.handle());
    // Both sides warm up once and must read the same number of rows.
    const qint64 layerRows = openDataLayer(folder.session(), id);
    const qint64 rawRows = rawOpen.run(id);
    if (layerRows != rawRows) {
        std::printf("the sides read different rows: %lld / %lld\n", static_cast<long long>(layerRows),
                    static_cast<long long>(rawRows));
        return 1;
    }
    std::vector<double> openLayer, openRaw, saveLayer, saveRaw;
    // All openings first, so that they read the same rows; sides alternate which goes first.
    for (int r = 0; r < m_options.repetitions; ++r) {
        for (int side = 0; side < 2; ++side) {
            const bool layer = (side + r) % 2 == 0;
            Stopwatch clock;
            if (layer)
                (void)openDataLayer(folder.session(), id);
            else
                (void)rawOpen.run(id);
            (layer ? openLayer : openRaw).push_back(clock.micros());
        }
    }
    int round = 0;
    for (int r = 0; r < m_options.repetitions; ++r) {
        for (int side = 0; side < 2; ++side) {
            const bool layer = (side + r) % 2 == 0;
            ++round;
            if (layer)
                browseTo(folder.session(), id);
            Stopwatch clock;
            if (layer)
                saveDataLayer(folder.session(), settings, round);
            else
                rawSave.run(id, round);
            (layer ? saveLayer : saveRaw).push_back(clock.micros());
        }
    }
    std::printf("%-34s %13s %13s %9s\n", "median of runs", "data layer", "raw SQLite", "ratio");
    printRow("open: issue + 200/50/20 rows", median(openLayer), median(openRaw));
    printRow("save: five fields + history", median(saveLayer), median(saveRaw));
    core::Services::setMail(nullptr);
    core::Services::setAccess(nullptr);
    return 0;
}

} // namespace tarvo::bench
