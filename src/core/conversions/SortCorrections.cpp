#include "core/conversions/CorrectionProgress.h"
#include "core/conversions/CorrectionRun.h"
#include "core/conversions/Corrections.h"
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
// from the general list.
void correctStatusSort(CorrectionRun &run)
{
    CorrectionProgress &progress = run.progress();
    progress.setTotal(run.count(QStringLiteral("Bugs")));
    data::FileManager &bugs = run.file(QStringLiteral("Bugs"));
    data::FileManager &statuses = run.file(QStringLiteral("Status"));
    Record status = statuses.newRecord();
    const QString key = QStringLiteral("KeyPrgIDStatus");
    auto findStatus = [&](qint64 list, const QString &name) {
        status.clear();
        status.setValue(QStringLiteral("PrgID"), list);
        status.setValue(QStringLiteral("STATUS"), name);
        return statuses.fetch(key, status).ok();
    };

    run.inTransaction([&] {
        (void)run.forEach(QStringLiteral("Bugs"), [&](Record &bug) {
            const QString name = bug.text(QStringLiteral("Status"));
            if (findStatus(bug.integer(QStringLiteral("PrgID")), name) || findStatus(0, name)) {
                bug.setValue(QStringLiteral("StatusSort"), status.integer(QStringLiteral("SORT")));
                if (auto written = run.write(bugs, bug); !written) {
                    const Error &e = written.error();
                    Messages::stop(e.message.isEmpty() ? data::errorCodeText(e.code) : e.message);
                }
            }
            progress.step();
        });
    });
}

} // namespace tarvo::core
