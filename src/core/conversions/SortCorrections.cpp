#include "core/conversions/CorrectionProgress.h"
#include "core/conversions/CorrectionRun.h"
#include "core/conversions/Corrections.h"
#include "platform/data/Connection.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"
#include "platform/data/View.h"
#include "platform/runtime/Messages.h"

#include <vector>

namespace tarvo::core {

using data::Record;

namespace {

// Gives the records of each list (one program's) the positions 1, 2, 3 ... in key order. The
// positions of a list are collected first and written afterwards.
void renumberLists(CorrectionRun &run, const QString &label, const QString &keyName)
{
    CorrectionProgress &progress = run.progress();
    progress.setTotal(2 * run.count(label));
    data::FileManager &file = run.file(label);
    const QString sortField = QStringLiteral("SORT");
    const QString listField = QStringLiteral("PrgID");

    std::vector<Record> list;
    auto writeList = [&] {
        // A record that moves to a lower position never lands on one still held by a later
        // record of the same text, nor one moving up on an earlier one, so writing the first
        // kind front to back and the second back to front never meets the unique key.
        const auto position = [&](size_t i) { return qint64(i) + 1; };
        for (size_t i = 0; i < list.size(); ++i)
            if (position(i) < list[i].integer(sortField)) {
                list[i].setValue(sortField, position(i));
                (void)run.write(file, list[i]);
            }
        for (size_t i = list.size(); i-- > 0;)
            if (position(i) > list[i].integer(sortField)) {
                list[i].setValue(sortField, position(i));
                (void)run.write(file, list[i]);
            }
        for (size_t i = 0; i < list.size(); ++i)
            progress.step();
        list.clear();
    };

    run.inTransaction([&] {
        data::View view(file, keyName);
        (void)run.forEach(view, [&](Record &record) {
            if (!list.empty() && list.front().integer(listField) != record.integer(listField))
                writeList();
            list.push_back(record);
            progress.step();
        });
        writeList();
    });
}

} // namespace

void correctSeveritySort(CorrectionRun &run)
{
    renumberLists(run, QStringLiteral("Severity"), QStringLiteral("KeyPrgIDSortSeverity"));
}

void correctClassificationSort(CorrectionRun &run)
{
    renumberLists(run, QStringLiteral("Classification"), QStringLiteral("KeyPrgIDSortClassification"));
}

// Every issue takes the sort number of its status: from its program's own status list, else
// from the general list (the first such status record, as a lookup by the key finds it). One
// statement over the whole file, touching only the issues whose number is not already right: it
// runs on every conversion of this version, and reading and writing each issue took minutes.
void correctStatusSort(CorrectionRun &run)
{
    CorrectionProgress &progress = run.progress();
    progress.setTotal(1);
    data::FileManager &bugs = run.file(QStringLiteral("Bugs"));
    data::FileManager &statuses = run.file(QStringLiteral("Status"));
    auto stop = [](const Error &e) {
        Messages::stop(e.message.isEmpty() ? data::errorCodeText(e.code) : e.message);
    };
    if (auto w = bugs.checkWritable(); !w)
        return stop(w.error());
    if (auto o = statuses.open(); !o)
        return stop(o.error());
    const data::RecordLayout &bug = bugs.layout();
    const data::RecordLayout &status = statuses.layout();
    const QString bugTable = data::RecordLayout::quote(bug.table());
    const auto bugColumn = [&](const char *field) -> QString {
        return bugTable + QLatin1Char('.') + bug.column(bug.fieldIndex(QLatin1String(field)));
    };
    const auto statusColumn = [&](const char *field) -> QString {
        return status.column(status.fieldIndex(QLatin1String(field)));
    };
    const QString sortIn = QStringLiteral("(SELECT %1 FROM %2 WHERE %3 = %5 AND %4 = %6 ORDER BY %7 LIMIT 1)")
                               .arg(statusColumn("SORT"), data::RecordLayout::quote(status.table()),
                                    statusColumn("PrgID"), statusColumn("STATUS"), QStringLiteral("%1"),
                                    bugColumn("Status"), data::RecordLayout::rowIdColumn());
    const QString sort =
        QStringLiteral("COALESCE(%1, %2)").arg(sortIn.arg(bugColumn("PrgID")), sortIn.arg(0));
    const QString current = bug.column(bug.fieldIndex(QStringLiteral("StatusSort")));
    const QString update =
        QStringLiteral("UPDATE %1 SET %2 = %3 WHERE COALESCE(%3, %2) <> %2").arg(bugTable, current, sort);

    run.inTransaction([&] {
        auto conn = bugs.connection();
        if (!conn)
            return stop(conn.error());
        if (auto done = (*conn)->execDirect(update); !done)
            return stop(done.error());
        progress.step();
    });
}

} // namespace tarvo::core
