#include "masterdata/options/SortedList.h"

#include "core/lists/FileWriting.h"
#include "core/lists/ReadKeyOrder.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/Transaction.h"
#include "platform/runtime/Text.h"

#include <QHash>
#include <QPair>

#include <algorithm>
#include <limits>
#include <memory>

namespace tarvo::masterdata {

namespace {

struct KindInfo {
    const char *label;
    const char *prefix;
    const char *text;
    const char *sortKey;
    qint64 highestSort;
};

KindInfo info(SortedList::Kind kind)
{
    switch (kind) {
    case SortedList::Kind::Status:
        return {"Status", "STA", "STATUS", "KeyPrgIDSort", 255};
    case SortedList::Kind::Severity:
        return {"Severity", "SEV", "SEVERITY", "KeyPrgIDSortSeverity", std::numeric_limits<qint32>::max()};
    case SortedList::Kind::Classification:
        return {"Classification", "CLA", "CLASSIFICATION", "KeyPrgIDSortClassification",
                std::numeric_limits<qint32>::max()};
    }
    return {};
}

const QString Sort = QStringLiteral("SORT");
const QString PrgId = QStringLiteral("PrgID");

Result<std::vector<data::Record>> readAll(data::Session &session, const QString &label, const QString &key,
                                          const QVariantList &range)
{
    std::vector<data::Record> rows;
    if (auto failed =
            core::readKeyOrder(session, label, key, range, [&](const data::Record &r) { rows.push_back(r); }))
        return *failed;
    return rows;
}

std::ptrdiff_t indexOf(const std::vector<data::Record> &rows, const data::Record &entry)
{
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [&](const data::Record &r) { return r.rowId() == entry.rowId(); });
    return found == rows.end() ? -1 : found - rows.begin();
}

// The issues a status list speaks for: every issue for the global list, else the program's.
Result<std::vector<data::Record>> issuesInScope(data::Session &session, qint32 programId)
{
    if (programId == 0)
        return readAll(session, QStringLiteral("Bugs"), QStringLiteral("BUG:KeyID"), {});
    return readAll(session, QStringLiteral("Bugs"), QStringLiteral("BUG:KeyPrgIDID"), {programId});
}

} // namespace

SortedList::SortedList(data::Session &session, Kind kind, qint32 programId)
    : m_session(session), m_kind(kind), m_programId(programId)
{
}

QString SortedList::label() const
{
    return QString::fromLatin1(info(m_kind).label);
}

QString SortedList::field(const char *name) const
{
    return QString::fromLatin1(info(m_kind).prefix) + QLatin1Char(':') + QString::fromLatin1(name);
}

QString SortedList::textField() const
{
    return field(info(m_kind).text);
}

bool SortedList::holdsIssueStatuses() const
{
    return m_kind == Kind::Status && m_programId != ProgramStatusList && m_programId != NoteStatusList;
}

Result<data::Record> SortedList::newEntry() const
{
    data::FileManager *file = m_session.file(label());
    if (!file)
        return makeError(2, QStringLiteral("The file %1 is not declared").arg(label()));
    data::Record record = file->newRecord();
    record.setValue(PrgId, m_programId);
    return record;
}

Result<std::vector<data::Record>> SortedList::entries() const
{
    return readAll(m_session, label(), field(info(m_kind).sortKey), {m_programId});
}

Result<qint64> SortedList::insert(data::Record entry, qint64 after)
{
    auto read = entries();
    if (!read)
        return read.error();
    std::vector<data::Record> order = std::move(read).value();
    if (qint64(order.size()) >= info(m_kind).highestSort)
        return makeError(ErrorListFull,
                         QStringLiteral("The list %1 has no room for another entry.").arg(label()));
    // After the last entry whose sort is not above `after`: a gap in older data does not matter.
    const auto place =
        after <= 0 ? order.begin() : std::find_if(order.begin(), order.end(), [&](const data::Record &r) {
            return r.integer(Sort) > after;
        });
    entry.setValue(PrgId, m_programId);
    entry.setRowId(0);
    const auto at = place - order.begin();
    order.insert(place, entry);
    auto written = rewrite(std::move(order), nullptr);
    if (!written)
        return written.error();
    return qint64(at + 1);
}

Result<void> SortedList::remove(const data::Record &entry)
{
    auto read = entries();
    if (!read)
        return read.error();
    std::vector<data::Record> order = std::move(read).value();
    const auto at = indexOf(order, entry);
    if (at < 0)
        return makeError(ErrorNotInList,
                         QStringLiteral("The entry is no longer in the list %1.").arg(label()));
    const data::Record removed = order[size_t(at)];
    order.erase(order.begin() + at);
    if (auto written = rewrite(std::move(order), &removed); !written)
        return written.error();
    return {};
}

Result<bool> SortedList::move(const data::Record &entry, int step)
{
    auto read = entries();
    if (!read)
        return read.error();
    std::vector<data::Record> order = std::move(read).value();
    const auto at = indexOf(order, entry);
    if (at < 0)
        return makeError(ErrorNotInList,
                         QStringLiteral("The entry is no longer in the list %1.").arg(label()));
    const auto other = at + (step < 0 ? -1 : 1);
    if (other < 0 || other >= std::ptrdiff_t(order.size()))
        return false;
    std::swap(order[size_t(at)], order[size_t(other)]);
    if (auto written = rewrite(std::move(order), nullptr); !written)
        return written.error();
    return true;
}

Result<void> SortedList::rewrite(std::vector<data::Record> order, const data::Record *removed)
{
    auto writing = core::FileWriting::begin(m_session, label());
    if (!writing)
        return writing.error();
    data::FileManager &file = *writing->file;
    const std::vector<data::Record> before = order;
    if (removed) {
        data::Record doomed = *removed;
        if (auto gone = file.remove(doomed); !gone)
            return gone.error();
    }
    // A file whose key holds the sort uniquely (severities, classifications) could refuse a
    // number that another entry still holds, so the moved entries first step aside above the list.
    const bool parkFirst = m_kind != Kind::Status;
    qint64 park = info(m_kind).highestSort;
    for (size_t i = 0; parkFirst && i < order.size(); ++i) {
        data::Record &r = order[i];
        if (r.rowId() == 0 || r.integer(Sort) == qint64(i + 1))
            continue;
        r.setValue(Sort, park--);
        if (auto w = file.update(r); !w)
            return w.error();
    }
    for (size_t i = 0; i < order.size(); ++i) {
        data::Record &r = order[i];
        const qint64 sort = qint64(i + 1);
        if (r.rowId() == 0) {
            r.setValue(Sort, sort);
            if (auto w = file.insert(r); !w)
                return w.error();
            continue;
        }
        if (r.integer(Sort) == sort)
            continue;
        r.setValue(Sort, sort);
        if (auto w = file.update(r); !w)
            return w.error();
    }
    if (holdsIssueStatuses()) {
        if (auto carried = carryToIssues(before, order); !carried)
            return carried.error();
    }
    return writing->transaction->commit();
}

Result<void> SortedList::carryToIssues(const std::vector<data::Record> &before,
                                       const std::vector<data::Record> &after)
{
    // (status text, old sort) -> new sort, read from the list before any issue is written, so
    // two entries that trade places never pull each other's issues along.
    QHash<QPair<QString, qint64>, qint64> renumbered;
    for (size_t i = 0; i < after.size(); ++i) {
        if (after[i].rowId() == 0 || before[i].rowId() == 0)
            continue;
        const qint64 oldSort = before[i].integer(Sort);
        const qint64 newSort = after[i].integer(Sort);
        if (oldSort != newSort)
            renumbered.insert({Text::clip(before[i].text(textField())), oldSort}, newSort);
    }
    if (renumbered.isEmpty())
        return {};
    auto issues = issuesInScope(m_session, m_programId);
    if (!issues)
        return issues.error();
    data::FileManager *bugs = m_session.file(QStringLiteral("Bugs"));
    for (data::Record &issue : issues.value()) {
        const auto found = renumbered.constFind(
            {Text::clip(issue.text(QStringLiteral("Status"))), issue.integer(QStringLiteral("StatusSort"))});
        if (found == renumbered.constEnd())
            continue;
        issue.setValue(QStringLiteral("StatusSort"), *found);
        if (auto w = bugs->update(issue); !w)
            return w.error();
    }
    return {};
}

Result<void> SortedList::change(data::Record entry)
{
    auto writing = core::FileWriting::begin(m_session, label());
    if (!writing)
        return writing.error();
    data::FileManager &file = *writing->file;
    data::Record stored = file.newRecord();
    if (auto read = file.fetchRow(entry.rowId(), stored); !read)
        return read.error();
    const QString gray = QStringLiteral("GRAY");
    if (holdsIssueStatuses() && stored.integer(gray) != entry.integer(gray)) {
        auto issues = issuesInScope(m_session, m_programId);
        if (!issues)
            return issues.error();
        data::FileManager *bugs = m_session.file(QStringLiteral("Bugs"));
        const QString status = Text::clip(entry.text(textField()));
        for (data::Record &issue : issues.value()) {
            if (Text::clip(issue.text(QStringLiteral("Status"))) != status ||
                issue.integer(QStringLiteral("Gray")) == entry.integer(gray))
                continue;
            issue.setValue(QStringLiteral("Gray"), entry.integer(gray));
            if (auto w = bugs->update(issue); !w)
                return w.error();
        }
    }
    if (auto w = file.update(entry); !w)
        return w.error();
    return writing->transaction->commit();
}

} // namespace tarvo::masterdata
