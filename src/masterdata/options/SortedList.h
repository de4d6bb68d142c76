#pragma once

#include "platform/data/Record.h"
#include "platform/runtime/Result.h"

#include <QString>

#include <vector>

namespace tarvo::data {
class Session;
}

namespace tarvo::masterdata {

// The program numbers of the status lists that are no issue statuses.
constexpr qint32 ProgramStatusList = 200000000;
constexpr qint32 NoteStatusList = 200000001;

// One list of statuses, severities or classifications (one program number of its file), kept
// numbered 1..n: every insert, delete and move renumbers the list in one transaction, writing and
// checking each record, so a failure leaves the list as it was and no two entries share a number.
// An issue-status list carries the new numbers into the issues of its scope that show the status.
class SortedList final {
  public:
    enum class Kind { Status, Severity, Classification };

    // programId: 0 the global list, a program's number, or one of the status lists above.
    SortedList(data::Session &session, Kind kind, qint32 programId);

    // The list's own refusals; a failed read or write has been reported by the data layer.
    static constexpr int ErrorListFull = 1;
    static constexpr int ErrorNotInList = 3;
    static bool isOwnError(const Error &error)
    {
        return error.code == ErrorListFull || error.code == ErrorNotInList;
    }

    // The file's label ("Status") and the field of the entry's text ("STA:STATUS").
    QString label() const;
    QString textField() const;
    // A cleared record of the file for this list, to fill and insert.
    Result<data::Record> newEntry() const;

    // The entries in their order.
    Result<std::vector<data::Record>> entries() const;
    // Inserts the entry right after the entry with sort `after` (before every entry when `after`
    // is 0 or less); the later entries move down by one. The answer is the new entry's sort.
    Result<qint64> insert(data::Record entry, qint64 after);
    // Deletes the entry read before (by its row) and closes the gap.
    Result<void> remove(const data::Record &entry);
    // Exchanges the entry with its neighbour above (step -1) or below (+1); false, and nothing
    // written, when there is none.
    Result<bool> move(const data::Record &entry, int step);
    // Writes a changed entry; a status whose gray-out flag changed first gives that flag to the
    // issues in the list's scope that carry its text.
    Result<void> change(data::Record entry);

    // Whether the list's statuses are those of issues (not of programs or notes).
    bool holdsIssueStatuses() const;

  private:
    // Numbers `order` 1..n in one transaction, adding its entries without a row and deleting
    // `removed` (when given) in the same one.
    Result<void> rewrite(std::vector<data::Record> order, const data::Record *removed);
    Result<void> carryToIssues(const std::vector<data::Record> &before,
                               const std::vector<data::Record> &after);
    QString field(const char *name) const;

    data::Session &m_session;
    Kind m_kind;
    qint32 m_programId;
};

} // namespace tarvo::masterdata
