#include "platform/query/TextSearch.h"

#include "platform/data/Connection.h"
#include "platform/data/FileManager.h"
#include "platform/data/RecordReader.h"
#include "platform/data/Store.h"
#include "platform/data/TextIndex.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <thread>

namespace tarvo::query {

namespace {

constexpr int kPageRows = 500;

// The index found few rows when they are at most one in this many of the file's: then they are
// looked up by row id, else the list is read in order and the found rows kept.
constexpr qint64 kFewShare = 16;

// Connections that read the rows the index found beside the one reading the list.
constexpr qint64 kReaders = 2;

QString clipped(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

QString folded(const QString &text, bool ignoreCase)
{
    return ignoreCase ? text.toCaseFolded() : text;
}

// Beyond this many rows named by the index, reading the rows in order costs less than fetching
// them one by one.
constexpr int kMaxCandidates = 20000;

// Beyond this many spellings of a search without regard to case, a scan in SQL compares each
// field too often: the rows are read and compared here instead.
constexpr qsizetype kMaxScanSpellings = 16;

Result<std::vector<qint64>> candidateRows(data::Connection &connection, const data::RecordLayout &layout,
                                          const data::SqlCondition &condition)
{
    auto q = connection.exec(QStringLiteral("SELECT \"_rid\" FROM %1 WHERE %2 LIMIT %3")
                                 .arg(data::RecordLayout::quote(layout.table()), condition.sql)
                                 .arg(kMaxCandidates + 1),
                             condition.params);
    if (!q)
        return q.error();
    std::vector<qint64> rows;
    while (q.value()->next())
        rows.push_back(q.value()->value(0).toLongLong());
    return rows;
}

} // namespace

Result<std::vector<qint64>> TextSearch::searchRows(data::View &view, const data::SqlCondition &listFilter,
                                                   const std::vector<qint64> &rows, const QString &wanted,
                                                   bool ignoreCase, const Progress &progress) const
{
    std::vector<qint64> found;
    const QString idField = m_file.layout().fullFieldName(m_idField);
    for (size_t start = 0; start < rows.size(); start += size_t(kPageRows)) {
        const size_t end = std::min(rows.size(), start + size_t(kPageRows));
        data::SqlCondition filter = listFilter;
        QStringList marks;
        QVariantList ids;
        for (size_t i = start; i < end; ++i) {
            marks << QStringLiteral("?");
            ids << rows[i];
        }
        const QString in = QStringLiteral("\"_rid\" IN (%1)").arg(marks.join(u','));
        filter.sql = filter.isEmpty() ? in : u'(' + filter.sql + QStringLiteral(") AND ") + in;
        filter.params << ids;
        view.setFilter(filter);
        auto page = view.rowsAfter(nullptr, kPageRows);
        if (!page)
            return page.error();
        for (const data::Record &r : *page)
            if (holds(r, wanted, ignoreCase, false))
                found.push_back(r.integer(idField));
        if (progress && !progress(qint64(end)))
            break;
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::optional<data::SqlCondition> TextSearch::scanCondition(bool sqlite, const QString &wanted,
                                                            bool ignoreCase) const
{
    // Every spelling the comparison takes as the text, each looked for by the store itself.
    QStringList spellings{QString()};
    bool likeServes = sqlite && ignoreCase;
    for (uint c : wanted.toUcs4()) {
        const QList<uint> alike = ignoreCase ? data::TextIndex::sameFolded(c) : QList<uint>{c};
        // SQLite's LIKE folds ASCII letters and nothing else: it serves where every character
        // folds alike with its ASCII other case only.
        likeServes =
            likeServes && c < 128 && std::all_of(alike.begin(), alike.end(), [](uint a) { return a < 128; });
        QStringList longer;
        for (const QString &s : spellings)
            for (uint a : alike)
                longer << s + QString::fromUcs4(reinterpret_cast<const char32_t *>(&a), 1);
        if (longer.size() > kMaxScanSpellings)
            return std::nullopt;
        spellings = longer;
    }
    const data::RecordLayout &layout = m_file.layout();
    QStringList terms;
    QVariantList params;
    if (likeServes) {
        for (int f : m_texts) {
            terms << QStringLiteral("%1 LIKE ? ESCAPE '\\'").arg(layout.column(f));
            params << data::TextIndex::containsPattern(wanted);
        }
    } else {
        for (int f : m_texts)
            for (const QString &s : spellings) {
                terms << (sqlite ? QStringLiteral("instr(%1, ?) > 0") : QStringLiteral("strpos(%1, ?) > 0"))
                             .arg(layout.column(f));
                params << s;
            }
    }
    return data::SqlCondition{u'(' + terms.join(QStringLiteral(" OR ")) + u')', params};
}

Result<std::vector<qint64>> TextSearch::idsWhere(data::View &view, const data::SqlCondition &listFilter,
                                                 const data::SqlCondition &rows, const Progress &progress,
                                                 const std::function<bool(qint64 rowId)> &keep) const
{
    data::SqlCondition filter = listFilter;
    if (filter.isEmpty()) {
        filter = rows;
    } else if (!rows.isEmpty()) {
        filter.sql = u'(' + filter.sql + QStringLiteral(") AND ") + rows.sql;
        filter.params << rows.params;
    }
    view.setColumns({m_file.layout().fullFieldName(m_idField)});
    view.setFilter(filter);
    const std::vector<int> &read = view.readFields();
    const auto at = std::find(read.begin(), read.end(), m_idField);
    const size_t column = read.empty() ? size_t(m_idField) : size_t(at - read.begin());
    std::vector<qint64> found;
    auto r = view.valuesAfter(nullptr, std::numeric_limits<int>::max(),
                              [&](std::vector<QVariant> &values, qint64 rowId) {
                                  if (!keep || keep(rowId))
                                      found.push_back(values[column].toLongLong());
                              });
    if (!r)
        return r.error();
    if (progress)
        progress(*r);
    return found;
}

Result<std::vector<qint64>> TextSearch::idsFound(data::View &view, const data::SqlCondition &listFilter,
                                                 const data::SqlCondition &foundRows,
                                                 const Progress &progress) const
{
    auto conn = view.file().connection();
    if (!conn)
        return conn.error();
    auto last = data::TextIndex::lastRowId(**conn, m_file.layout());
    if (!last)
        return last.error();
    // The index's first rows, up to one more than "few": all of them where the text is rare.
    const qint64 few = *last / kFewShare;
    std::vector<qint64> rows;
    data::SqlCondition first = foundRows;
    first.sql += QStringLiteral(" ORDER BY rowid LIMIT ?");
    first.params << few + 1;
    if (auto r = data::RecordReader::readIntegers(**conn, first.sql, first.params, rows); !r)
        return r.error();
    if (rows.empty()) {
        if (progress)
            progress(0);
        return rows;
    }
    if (qint64(rows.size()) <= few)
        // A few of the file's rows: each looked up by its row id costs less than reading the list.
        return idsWhere(view, listFilter, data::TextIndex::rowIdsIn(rows), progress);

    // Many: the list's own order is read once and each row kept when the index found it (a set in
    // the store would be built row by row first). Outside a transaction the index's remaining rows
    // are read meanwhile, in parts of their row ids on connections of their own: each part costs
    // the index about what the list costs.
    struct Part {
        data::SqlCondition rows;
        std::vector<qint64> found;
        Result<void> read;
    };
    std::vector<Part> parts(static_cast<size_t>(kReaders));
    const qint64 from = rows.back(), step = std::max<qint64>(1, (*last - from) / kReaders);
    for (qint64 i = 0; i < kReaders; ++i) {
        Part &part = parts[size_t(i)];
        part.rows = foundRows;
        part.rows.sql += QStringLiteral(" AND rowid > ?");
        part.rows.params << from + i * step;
        if (i + 1 < kReaders) {
            part.rows.sql += QStringLiteral(" AND rowid <= ?");
            part.rows.params << from + (i + 1) * step;
        }
        part.rows.sql += QStringLiteral(" ORDER BY rowid");
    }
    const bool aside = (*conn)->transactionDepth() == 0;
    std::vector<std::jthread> readers;
    if (aside)
        for (Part &part : parts)
            readers.emplace_back([&store = (*conn)->store(), &part] {
                auto own = store.connection();
                part.read =
                    own ? data::RecordReader::readIntegers(**own, part.rows.sql, part.rows.params, part.found)
                        : Result<void>(own.error());
                store.releaseConnection();
            });
    std::vector<qint64> listed;
    auto ids = idsWhere(view, listFilter, {}, {}, [&](qint64 rowId) {
        listed.push_back(rowId);
        return true;
    });
    readers.clear(); // joins them
    for (Part &part : parts) {
        if (!aside || !part.read) {
            part.found.clear();
            if (auto r =
                    data::RecordReader::readIntegers(**conn, part.rows.sql, part.rows.params, part.found);
                !r)
                return r.error();
        }
        rows.insert(rows.end(), part.found.begin(), part.found.end());
    }
    if (!ids)
        return ids.error();
    std::vector<bool> found(size_t(rows.back()) + 1);
    for (qint64 id : rows)
        found[size_t(id)] = true;
    std::vector<qint64> kept;
    for (size_t i = 0; i < listed.size(); ++i)
        if (listed[i] >= 0 && size_t(listed[i]) < found.size() && found[size_t(listed[i])])
            kept.push_back((*ids)[i]);
    if (progress)
        progress(qint64(listed.size()));
    return kept;
}

TextSearch::TextSearch(const RegisteredFile &file, const QString &idField)
    : m_file(file), m_idField(file.layout().fieldIndex(idField))
{
    const data::RecordLayout &layout = file.layout();
    for (int i = 0; i < layout.fieldCount(); ++i) {
        const data::FieldType type = layout.field(i).type;
        if (type == data::FieldType::Blob)
            continue;
        if (layout.isText(i)) {
            m_texts.push_back(i);
            continue;
        }
        const QueryField *f = file.field(layout.fullFieldName(i));
        if (!f)
            continue;
        m_numbers.push_back(f);
        // The characters a shown number may hold: its digits and whatever the picture writes
        // around them (signs, separators, the date's and time's punctuation).
        for (const QVariant &sample :
             {QVariant(-1234567), QVariant(80000), QVariant(4320001), QVariant(7560001)})
            for (const QString &shown :
                 {RegisteredFile::shown(*f, sample), folded(RegisteredFile::shown(*f, sample), true)})
                for (uint c : shown.toUcs4())
                    m_numberCharacters.insert(c);
    }
    for (uint c = u'0'; c <= u'9'; ++c)
        m_numberCharacters.insert(c);
}

bool TextSearch::mayBeInNumber(const QString &wanted) const
{
    const QList<uint> characters = wanted.toUcs4();
    return std::all_of(characters.begin(), characters.end(),
                       [&](uint c) { return m_numberCharacters.contains(c); });
}

bool TextSearch::matches(const data::Record &record, const QString &text, bool ignoreCase) const
{
    const QString wanted = folded(clipped(text), ignoreCase);
    return !wanted.isEmpty() && holds(record, wanted, ignoreCase, mayBeInNumber(wanted));
}

bool TextSearch::holds(const data::Record &record, const QString &wanted, bool ignoreCase, bool numbers) const
{
    // Qt folds both sides a character at a time, as toCaseFolded() does, without a copy.
    const Qt::CaseSensitivity cs = ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (int f : m_texts)
        if (record.value(f).toString().contains(wanted, cs))
            return true;
    if (!numbers)
        return false;
    for (const QueryField *f : m_numbers)
        if (m_file.shown(*f, record).contains(wanted, cs))
            return true;
    return false;
}

Result<std::vector<qint64>> TextSearch::search(const data::View &listView, const QString &text,
                                               bool ignoreCase, const Progress &progress, bool useIndex) const
{
    std::vector<qint64> found;
    const QString wanted = clipped(text);
    const QString foldedWanted = folded(wanted, ignoreCase);
    if (wanted.isEmpty() || m_idField < 0)
        return found;
    const bool numbers = mayBeInNumber(foldedWanted);

    data::View view = listView;
    const data::RecordLayout &layout = m_file.layout();
    QStringList columns{layout.fullFieldName(m_idField)};
    for (int f : m_texts)
        columns << layout.fullFieldName(f);
    if (numbers)
        for (const QueryField *f : m_numbers)
            columns << f->name;
    view.setColumns(columns);
    auto conn = view.file().connection();
    if (!conn)
        return conn.error();
    if (useIndex && !numbers) {
        // The store finds the rows itself: through the index where it answers exactly, through
        // the rows it names where it only narrows (compared here while they are few), or by
        // comparing every field with each spelling of the text.
        auto lookup = data::TextIndex::lookup(**conn, layout, wanted, ignoreCase);
        if (!lookup)
            return lookup.error();
        if (lookup->has_value() && (*lookup)->exact)
            return (*lookup)->foundRows.isEmpty()
                       ? idsWhere(view, listView.filter(), (*lookup)->rows, progress)
                       : idsFound(view, listView.filter(), (*lookup)->foundRows, progress);
        if (lookup->has_value()) {
            auto rows = candidateRows(**conn, layout, (*lookup)->rows);
            if (!rows)
                return rows.error();
            if (rows->size() <= size_t(kMaxCandidates))
                return searchRows(view, listView.filter(), *rows, foldedWanted, ignoreCase, progress);
        }
        if (auto scan = scanCondition((*conn)->store().kind() == data::StoreKind::Sqlite, wanted, ignoreCase))
            return idsWhere(view, listView.filter(), *scan, progress);
    }

    qint64 read = 0;
    std::optional<data::Record> last;
    for (;;) {
        auto page = view.rowsAfter(last ? &*last : nullptr, kPageRows);
        if (!page)
            return page.error();
        for (const data::Record &r : *page)
            if (holds(r, foldedWanted, ignoreCase, numbers))
                found.push_back(r.integer(layout.fullFieldName(m_idField)));
        read += qint64(page->size());
        if (page->size() < size_t(kPageRows))
            break;
        last = page->back();
        if (progress && !progress(read))
            break;
    }
    if (progress)
        progress(read);
    return found;
}

} // namespace tarvo::query
