#include "platform/data/View.h"

#include "platform/data/Connection.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"
#include "platform/data/RecordReader.h"
#include "platform/data/SqliteStatements.h"
#include "platform/data/TableSchema.h"

#include <QSqlQuery>

#include <algorithm>
#include <bit>
#include <iterator>
#include <sqlite3.h>
#include <unordered_map>

namespace tarvo::data {

View::View(FileManager &file, const QString &keyName) : m_file(file)
{
    const RecordLayout &l = file.layout();
    const int k = l.keyIndex(keyName);
    if (k < 0) {
        m_valid = false;
        return;
    }
    setOrder(l.key(k).components, l.key(k).caseInsensitive);
}

View::View(FileManager &file, std::vector<KeyComponent> order, bool caseInsensitive) : m_file(file)
{
    setOrder(std::move(order), caseInsensitive);
}

void View::setOrder(std::vector<KeyComponent> order, bool caseInsensitive)
{
    m_order = std::move(order);
    m_caseInsensitive = caseInsensitive;
    build();
}

bool View::setColumns(const QStringList &fieldNames)
{
    const RecordLayout &l = m_file.layout();
    std::vector<int> columns;
    for (const QString &name : fieldNames) {
        const int f = l.fieldIndex(name);
        if (f < 0)
            return false;
        columns.push_back(f);
    }
    m_columns = std::move(columns);
    chooseFields();
    return true;
}

void View::chooseFields()
{
    m_read.clear();
    if (m_columns.empty())
        return;
    // A page's last row is the next page's position, so the order's fields are always read.
    std::vector<bool> read(size_t(m_file.layout().fieldCount()), false);
    for (const int f : m_columns)
        read[size_t(f)] = true;
    for (const Term &t : m_terms)
        if (t.field >= 0)
            read[size_t(t.field)] = true;
    for (size_t f = 0; f < read.size(); ++f)
        if (read[f])
            m_read.push_back(int(f));
    if (m_read.size() == read.size())
        m_read.clear();
}

bool View::orderIsUnique() const
{
    // Rows that differ in a unique key's fields under its collation also differ under the
    // order's, unless the order ignores letter case where the key does not.
    const RecordLayout &l = m_file.layout();
    auto inOrder = [&](const QString &field) {
        return std::any_of(m_order.begin(), m_order.end(), [&](const KeyComponent &c) {
            return l.fieldIndex(c.field) >= 0 && l.fieldIndex(c.field) == l.fieldIndex(field);
        });
    };
    for (int k = 0; k < l.keyCount(); ++k) {
        const KeyDecl &key = l.key(k);
        if (!key.unique || key.dynamic || key.components.empty())
            continue;
        bool covered = true;
        bool text = false;
        for (const KeyComponent &c : key.components) {
            covered = covered && inOrder(c.field);
            const int f = l.fieldIndex(c.field);
            text = text || (f >= 0 && l.isText(f));
        }
        if (covered && (!text || key.caseInsensitive || !m_caseInsensitive))
            return true;
    }
    return false;
}

void View::setReversed(bool reversed)
{
    m_reversed = reversed;
}

void View::setRange(const QVariantList &equal, const QVariant &low, const QVariant &high)
{
    m_rangeEqual = equal;
    m_rangeLow = low;
    m_rangeHigh = high;
}

void View::setFilter(const SqlCondition &filter)
{
    m_filter = filter;
}

void View::setPredicate(std::function<bool(const Record &)> predicate)
{
    m_predicate = std::move(predicate);
}

void View::build()
{
    const RecordLayout &l = m_file.layout();
    m_terms.clear();
    m_valid = true;
    for (const KeyComponent &c : m_order) {
        const int f = l.fieldIndex(c.field);
        if (f < 0) {
            m_valid = false;
            return;
        }
        m_terms.push_back({f, TableSchema::orderTerm(l, f, m_caseInsensitive, false), c.descending});
    }
    m_unique = orderIsUnique();
    if (!m_unique || m_terms.empty())
        m_terms.push_back({-1, RecordLayout::rowIdColumn(), false});
    chooseFields();
}

QString View::whereBase(QVariantList &params) const
{
    const RecordLayout &l = m_file.layout();
    QStringList terms;
    int i = 0;
    for (; i < m_rangeEqual.size() && i < int(m_terms.size()) && m_terms[size_t(i)].field >= 0; ++i) {
        terms << m_terms[size_t(i)].expression + QStringLiteral(" = ?");
        params << Record::normalised(l.field(m_terms[size_t(i)].field), m_rangeEqual.at(i));
    }
    if (i < int(m_terms.size()) && m_terms[size_t(i)].field >= 0) {
        const Term &t = m_terms[size_t(i)];
        // The bounds are given in the key's order: a descending component runs from high to low.
        if (m_rangeLow.isValid()) {
            terms << t.expression + (t.descending ? QStringLiteral(" <= ?") : QStringLiteral(" >= ?"));
            params << Record::normalised(l.field(t.field), m_rangeLow);
        }
        if (m_rangeHigh.isValid()) {
            terms << t.expression + (t.descending ? QStringLiteral(" >= ?") : QStringLiteral(" <= ?"));
            params << Record::normalised(l.field(t.field), m_rangeHigh);
        }
    }
    if (!m_filter.isEmpty()) {
        terms << QLatin1Char('(') + m_filter.sql + QLatin1Char(')');
        params << m_filter.params;
    }
    return terms.join(QStringLiteral(" AND "));
}

int View::fixedPrefix() const
{
    // Components that the range or the filter hold to one value are equal on every row and add
    // nothing to the position; leaving them out lets the database seek straight to it. The last
    // term always stays, so that a position still moves past its own row.
    const RecordLayout &l = m_file.layout();
    const int last = int(m_terms.size()) - 1;
    int fixed = 0;
    while (fixed < last) {
        const Term &t = m_terms[size_t(fixed)];
        if (t.field < 0)
            break;
        if (fixed >= int(m_rangeEqual.size()) && !m_filter.fixedColumns.contains(l.column(t.field)))
            break;
        ++fixed;
    }
    return fixed;
}

QString View::keysetCondition(const Record &anchor, bool forward, bool inclusive, QVariantList &out,
                              int anchorTerms) const
{
    QVariantList params;
    const int fixed = fixedPrefix();
    std::vector<const Term *> terms;
    for (int i = fixed; i < int(m_terms.size()); ++i)
        if (m_terms[size_t(i)].field >= 0 || anchor.rowId() != 0)
            terms.push_back(&m_terms[size_t(i)]);
    if (anchorTerms >= 0 && size_t(anchorTerms) < terms.size())
        terms.resize(size_t(anchorTerms));
    if (anchor.rowId() == 0)
        inclusive = true;
    if (terms.empty())
        return QString();
    auto value = [&](const Term *t) {
        return t->field < 0 ? QVariant(anchor.rowId()) : anchor.value(t->field);
    };
    // Descending in the order this fetch reads (the key's order, reversed, read backwards).
    auto effDesc = [&](const Term *t) { return (t->descending != m_reversed) != !forward; };
    QStringList alternatives;
    for (size_t i = 0; i < terms.size(); ++i) {
        QStringList all;
        for (size_t j = 0; j < i; ++j) {
            all << terms[j]->expression + QStringLiteral(" = ?");
            params << value(terms[j]);
        }
        all << terms[i]->expression + (effDesc(terms[i]) ? QStringLiteral(" < ?") : QStringLiteral(" > ?"));
        params << value(terms[i]);
        alternatives << QLatin1Char('(') + all.join(QStringLiteral(" AND ")) + QLatin1Char(')');
    }
    if (inclusive) {
        QStringList all;
        for (const Term *t : terms) {
            all << t->expression + QStringLiteral(" = ?");
            params << value(t);
        }
        alternatives << QLatin1Char('(') + all.join(QStringLiteral(" AND ")) + QLatin1Char(')');
    }
    // The leading bound alone lets the database seek into the index instead of scanning to it.
    const Term *lead = terms.front();
    QString seek = lead->expression + (effDesc(lead) ? QStringLiteral(" <= ?") : QStringLiteral(" >= ?"));
    out << value(lead) << params;
    return seek + QStringLiteral(" AND (") + alternatives.join(QStringLiteral(" OR ")) + QLatin1Char(')');
}

QString View::orderBy(bool forward) const
{
    QStringList parts;
    for (const Term &t : m_terms) {
        const bool desc = (t.descending != m_reversed) != !forward;
        parts << t.expression + (desc ? QStringLiteral(" DESC") : QString());
    }
    return parts.join(QStringLiteral(", "));
}

QString View::pageSql(int n) const
{
    QVariantList params;
    return batchSql(true, nullptr, false, n, params);
}

QString View::batchSql(bool forward, const Record *anchor, bool inclusive, int n, QVariantList &params,
                       int anchorTerms) const
{
    QStringList where;
    const QString base = whereBase(params);
    if (!base.isEmpty())
        where << base;
    if (anchor) {
        const QString keyset = keysetCondition(*anchor, forward, inclusive, params, anchorTerms);
        if (!keyset.isEmpty())
            where << keyset;
    }
    return QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4 LIMIT %5")
        .arg(RecordReader::selectList(m_file.layout(), m_read), RecordLayout::quote(m_file.layout().table()),
             where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND ")),
             orderBy(forward))
        .arg(n);
}

Result<std::vector<Record>> View::fetchBatch(bool forward, const Record *anchor, bool inclusive, int n,
                                             int anchorTerms)
{
    QVariantList params;
    const QString sql = batchSql(forward, anchor, inclusive, n, params, anchorTerms);
    std::vector<Record> rows;
    rows.reserve(size_t(n));
    if (auto r = m_file.select(sql, params, rows, m_read); !r)
        return r.error();
    return rows;
}

Result<std::vector<Record>> View::fetch(bool forward, const Record *anchor, bool inclusive, int n,
                                        int anchorTerms)
{
    if (!m_valid)
        return makeError(ErrorCode::InvalidRecordDeclaration, QStringLiteral("Invalid view order"));
    if (auto o = m_file.open(); !o)
        return o.error();
    if (n <= 0)
        return std::vector<Record>{};
    if (!m_predicate)
        return fetchBatch(forward, anchor, inclusive, n, anchorTerms);
    std::vector<Record> result;
    const int batch = std::max(n, 64);
    std::optional<Record> position;
    if (anchor)
        position = *anchor;
    for (;;) {
        auto rows = fetchBatch(forward, position ? &*position : nullptr, inclusive, batch,
                               position && position->rowId() != 0 ? -1 : anchorTerms);
        if (!rows)
            return rows.error();
        for (const Record &r : rows.value())
            if (m_predicate(r)) {
                result.push_back(r);
                if (int(result.size()) == n)
                    return result;
            }
        if (int(rows->size()) < batch)
            return result;
        position = rows->back();
        inclusive = false;
    }
}

Result<std::vector<Record>> View::rowsAfter(const Record *anchor, int n, bool inclusive)
{
    return fetch(true, anchor, inclusive, n);
}

Result<qint64> View::valuesAfter(const Record *anchor, int n, const RecordReader::RowValues &row,
                                 bool inclusive)
{
    return readValues(true, anchor, inclusive, n, row);
}

Result<qint64> View::valuesBefore(const Record *anchor, int n, const RecordReader::RowValues &row)
{
    return readValues(false, anchor, false, n, row);
}

Result<qint64> View::readValues(bool forward, const Record *anchor, bool inclusive, int n,
                                const RecordReader::RowValues &row)
{
    if (m_predicate) {
        // The predicate needs records: hand on the values of each one it keeps.
        auto records = fetch(forward, anchor, inclusive, n);
        if (!records)
            return records.error();
        std::vector<QVariant> values;
        for (const Record &r : *records) {
            values.clear();
            if (m_read.empty())
                for (int f = 0; f < r.layout().fieldCount(); ++f)
                    values.push_back(r.value(f));
            else
                for (const int f : m_read)
                    values.push_back(r.value(f));
            row(values, r.rowId());
        }
        return qint64(records->size());
    }
    if (!m_valid)
        return makeError(ErrorCode::InvalidRecordDeclaration, QStringLiteral("Invalid view order"));
    if (auto o = m_file.open(); !o)
        return o.error();
    if (n <= 0)
        return qint64(0);
    auto conn = m_file.connection();
    if (!conn)
        return conn.error();
    QVariantList params;
    const QString sql = batchSql(forward, anchor, inclusive, n, params);
    qint64 count = 0;
    auto r = RecordReader::readValues(**conn, m_file.layoutPtr(), sql, params, m_read,
                                      [&](std::vector<QVariant> &values, qint64 rowId) {
                                          ++count;
                                          row(values, rowId);
                                      });
    if (!r)
        return r.error();
    return count;
}

Result<std::vector<Record>> View::rowsFrom(const QVariantList &leading, int n)
{
    if (leading.isEmpty())
        return rowsAfter(nullptr, n);
    // A record that holds only the leading values stands just before every row that has them.
    Record place = m_file.newRecord();
    const int fixed = fixedPrefix();
    for (int i = 0; i < leading.size(); ++i) {
        const size_t t = size_t(fixed + i);
        if (t >= m_terms.size() || m_terms[t].field < 0)
            return makeError(ErrorCode::InvalidRecordDeclaration,
                             QStringLiteral("The order has fewer components than the values to locate."));
        place.setValue(m_terms[t].field, leading.at(i));
    }
    place.setRowId(0);
    return fetch(true, &place, true, n, int(leading.size()));
}

Result<std::vector<Record>> View::rowsBefore(const Record *anchor, int n, bool inclusive)
{
    auto rows = fetch(false, anchor, inclusive, n);
    if (rows)
        std::reverse(rows.value().begin(), rows.value().end());
    return rows;
}

Result<std::optional<Record>> View::first()
{
    auto rows = rowsAfter(nullptr, 1);
    if (!rows)
        return rows.error();
    return rows->empty() ? std::optional<Record>() : std::optional<Record>(rows->front());
}

Result<std::optional<Record>> View::last()
{
    auto rows = rowsBefore(nullptr, 1);
    if (!rows)
        return rows.error();
    return rows->empty() ? std::optional<Record>() : std::optional<Record>(rows->back());
}

Result<qint64> View::count()
{
    if (auto o = m_file.open(); !o)
        return o.error();
    if (m_predicate)
        return countMatching(nullptr);
    QVariantList params;
    return countWhere(whereBase(params), params);
}

Result<qint64> View::countBefore(const Record &anchor)
{
    if (auto o = m_file.open(); !o)
        return o.error();
    if (m_predicate)
        return countMatching(&anchor);
    QVariantList params;
    QStringList where;
    if (const QString base = whereBase(params); !base.isEmpty())
        where << base;
    if (const QString keyset = keysetCondition(anchor, false, false, params); !keyset.isEmpty())
        where << keyset;
    return countWhere(where.join(QStringLiteral(" AND ")), params);
}

Result<qint64> View::countMatching(const Record *before)
{
    // Rows only the predicate can choose are counted in batches, without keeping them.
    qint64 total = 0;
    std::optional<Record> position;
    if (before)
        position = *before;
    const int batch = 500;
    for (;;) {
        auto rows = fetchBatch(before == nullptr, position ? &*position : nullptr, false, batch);
        if (!rows)
            return rows.error();
        for (const Record &r : *rows)
            total += m_predicate(r) ? 1 : 0;
        if (int(rows->size()) < batch)
            return total;
        position = rows->back();
    }
}

Result<qint64> View::countWhere(const QString &where, const QVariantList &params)
{
    auto conn = m_file.connection();
    if (!conn)
        return conn.error();
    std::vector<qint64> counts;
    auto r =
        RecordReader::readIntegers(**conn,
                                   QStringLiteral("SELECT COUNT(*) FROM %1%2")
                                       .arg(RecordLayout::quote(m_file.layout().table()),
                                            where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where),
                                   params, counts);
    if (!r)
        return r.error();
    return counts.empty() ? qint64(0) : counts.front();
}

Result<std::vector<qint64>> View::rowIds()
{
    if (!m_valid)
        return makeError(ErrorCode::InvalidRecordDeclaration, QStringLiteral("Invalid view order"));
    if (m_predicate)
        return makeError(ErrorCode::InvalidRecordDeclaration,
                         QStringLiteral("The rows of a filter evaluated in memory have no id list."));
    if (auto o = m_file.open(); !o)
        return o.error();
    auto conn = m_file.connection();
    if (!conn)
        return conn.error();
    QVariantList params;
    const QString where = whereBase(params);
    const QString sql =
        QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4")
            .arg(RecordLayout::rowIdColumn(), RecordLayout::quote(m_file.layout().table()),
                 where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where, orderBy(true));
    std::vector<qint64> ids;
    if (auto r = RecordReader::readIntegers(**conn, sql, params, ids); !r)
        return r.error();
    ids.shrink_to_fit();
    return ids;
}

QString View::idsSql(const std::vector<qint64> &ids, QVariantList &params) const
{
    // The list of ids is padded to a power of two (with its first id again), so that a few
    // statement texts serve every page size.
    const size_t slots = std::bit_ceil(std::max<size_t>(ids.size(), 8));
    QString marks;
    marks.reserve(qsizetype(slots * 2));
    for (size_t i = 0; i < slots; ++i) {
        marks += i == 0 ? QStringLiteral("?") : QStringLiteral(",?");
        params << QVariant(ids[i < ids.size() ? i : 0]);
    }
    QString where = RecordLayout::rowIdColumn() + QStringLiteral(" IN (") + marks + QLatin1Char(')');
    if (const QString base = whereBase(params); !base.isEmpty())
        where += QStringLiteral(" AND ") + base;
    return QStringLiteral("SELECT %1 FROM %2 WHERE %3")
        .arg(RecordReader::selectList(m_file.layout(), m_read), RecordLayout::quote(m_file.layout().table()),
             where);
}

Result<std::vector<Record>> View::rowsOfIds(const std::vector<qint64> &ids)
{
    std::vector<Record> rows;
    if (ids.empty())
        return rows;
    if (auto o = m_file.open(); !o)
        return o.error();
    QVariantList params;
    const QString sql = idsSql(ids, params);
    if (auto r = m_file.select(sql, params, rows, m_read); !r)
        return r.error();
    std::unordered_map<qint64, size_t> place;
    for (size_t i = 0; i < ids.size(); ++i)
        place.emplace(ids[i], i);
    std::sort(rows.begin(), rows.end(),
              [&](const Record &a, const Record &b) { return place.at(a.rowId()) < place.at(b.rowId()); });
    return rows;
}

Result<qint64> View::valuesOfIds(const std::vector<qint64> &ids, const RecordReader::RowValues &row)
{
    if (ids.empty())
        return qint64(0);
    if (auto o = m_file.open(); !o)
        return o.error();
    auto conn = m_file.connection();
    if (!conn)
        return conn.error();
    std::unordered_map<qint64, size_t> place;
    for (size_t i = 0; i < ids.size(); ++i)
        place.emplace(ids[i], i);
    // The rows come in the database's order: each is kept in its slot, then all are handed on.
    std::vector<std::vector<QVariant>> slots(ids.size());
    std::vector<bool> found(ids.size(), false);
    QVariantList params;
    const QString sql = idsSql(ids, params);
    auto r = RecordReader::readValues(**conn, m_file.layoutPtr(), sql, params, m_read,
                                      [&](std::vector<QVariant> &values, qint64 rowId) {
                                          const auto it = place.find(rowId);
                                          if (it == place.end())
                                              return;
                                          // The reader reuses the vector: only its values move.
                                          slots[it->second].assign(std::make_move_iterator(values.begin()),
                                                                   std::make_move_iterator(values.end()));
                                          found[it->second] = true;
                                      });
    if (!r)
        return r.error();
    qint64 count = 0;
    for (size_t i = 0; i < ids.size(); ++i)
        if (found[i]) {
            ++count;
            row(slots[i], ids[i]);
        }
    return count;
}

QVariantList View::selectionKey() const
{
    QVariantList key;
    const QString where = whereBase(key);
    key.prepend(where);
    key.prepend(orderBy(true));
    return key;
}

Result<std::pair<qint64, qint64>> View::writeMark()
{
    if (auto o = m_file.open(); !o)
        return o.error();
    auto conn = m_file.connection();
    if (!conn)
        return conn.error();
    SqliteStatements *statements = (*conn)->sqlite();
    if (!statements)
        return std::pair<qint64, qint64>(0, qint64(m_file.writeCount()));
    // data_version moves with every commit of another connection, the change count with every
    // row this connection writes.
    auto started = statements->start(QStringLiteral("PRAGMA data_version"), {});
    if (!started)
        return started.error();
    sqlite3_stmt *st = started.value();
    const qint64 version = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
    SqliteStatements::done(st);
    return std::pair<qint64, qint64>(version, sqlite3_total_changes64(statements->handle()));
}

} // namespace tarvo::data
