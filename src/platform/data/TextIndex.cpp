#include "platform/data/TextIndex.h"

#include "platform/data/Connection.h"
#include "platform/data/RecordReader.h"
#include "platform/data/Store.h"

#include <algorithm>

namespace tarvo::data {

namespace {

QStringList indexedColumns(const RecordLayout &layout)
{
    QStringList columns;
    for (const QString &name : layout.decl().textIndex) {
        const int f = layout.fieldIndex(name);
        if (f >= 0)
            columns << layout.column(f);
    }
    return columns;
}

QStringList prefixed(const QString &prefix, const QStringList &columns)
{
    QStringList out;
    for (const QString &c : columns)
        out << prefix + c;
    return out;
}

Result<bool> exists(Connection &connection, const QString &sql, const QString &name)
{
    auto q = connection.exec(sql, {name});
    if (!q)
        return q.error();
    return q.value()->next();
}

// How the SQLite index tokenizes: trigrams as written, with their positions, so that a phrase of
// them is a substring of one field. A table made otherwise (an older folder) is made again.
const QString kSqliteTokens =
    QStringLiteral("tokenize='trigram case_sensitive 1', detail=full, columnsize=0");

// How many segments of one size FTS5 lets gather before it merges them (its default is 4): with
// more, each indexed text is written over fewer times as the index grows, which takes a fifth off
// an insert and costs searches little.
constexpr int kAutomerge = 16;

// Sets the SQLite index's merging where it differs (a folder made before it was set).
Result<void> ensureAutomerge(Connection &connection, const RecordLayout &layout)
{
    const QString name = TextIndex::tableName(layout);
    auto q = connection.exec(QStringLiteral("SELECT v FROM %1 WHERE k = 'automerge'")
                                 .arg(RecordLayout::quote(name + QStringLiteral("_config"))));
    if (!q)
        return q.error();
    if (q.value()->next() && q.value()->value(0).toInt() == kAutomerge)
        return {};
    return connection.execDirect(QStringLiteral("INSERT INTO %1 (%1, rank) VALUES ('automerge', %2)")
                                     .arg(RecordLayout::quote(name))
                                     .arg(kAutomerge));
}

// Whether the index is there as this program makes it: on SQLite its last trigger, made after the
// table it fills, and the table's own definition.
Result<bool> indexPresent(Connection &connection, const RecordLayout &layout)
{
    if (connection.store().kind() == StoreKind::Sqlite) {
        auto trigger = exists(
            connection, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'trigger' AND name = ?"),
            TextIndex::tableName(layout) + QStringLiteral("_au"));
        if (!trigger || !*trigger)
            return trigger;
        auto q =
            connection.exec(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? "
                                           "AND instr(sql, ?) > 0"),
                            {TextIndex::tableName(layout), kSqliteTokens});
        if (!q)
            return q.error();
        return q.value()->next();
    }
    return exists(
        connection,
        QStringLiteral("SELECT 1 FROM pg_indexes WHERE schemaname = current_schema() AND indexname = ?"),
        TextIndex::tableName(layout).toLower());
}

// The lower-casing of the PostgreSQL index and its searches: ICU's, whatever the database's own
// locale, so that umlauts fold as they do in the program.
const QString kPgCollation = QStringLiteral("\"und-x-icu\"");

QString pgFolded(const QStringList &columns)
{
    return QStringLiteral("lower((%1) COLLATE %2)")
        .arg(columns.join(QStringLiteral(" || chr(31) || ")), kPgCollation);
}

Result<void> ensureSqlite(Connection &connection, const RecordLayout &layout, const QStringList &columns)
{
    const QString fts = RecordLayout::quote(TextIndex::tableName(layout));
    const QString table = RecordLayout::quote(layout.table());
    const QString list = columns.join(QStringLiteral(", "));
    const QString news = prefixed(QStringLiteral("new."), columns).join(QStringLiteral(", "));
    const QString olds = prefixed(QStringLiteral("old."), columns).join(QStringLiteral(", "));
    const QString remove =
        QStringLiteral("INSERT INTO %1 (%1, rowid, %2) VALUES ('delete', old.\"_rid\", %3);")
            .arg(fts, list, olds);
    const QString add =
        QStringLiteral("INSERT INTO %1 (rowid, %2) VALUES (new.\"_rid\", %3);").arg(fts, list, news);
    const QString name = TextIndex::tableName(layout);
    const QStringList statements = {
        QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(RecordLayout::quote(name + QStringLiteral("_ai"))),
        QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(RecordLayout::quote(name + QStringLiteral("_ad"))),
        QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(RecordLayout::quote(name + QStringLiteral("_au"))),
        QStringLiteral("DROP TABLE IF EXISTS %1").arg(fts),
        QStringLiteral("CREATE VIRTUAL TABLE %1 USING fts5(%2, content=%3, content_rowid='_rid', %4)")
            .arg(fts, list, table, kSqliteTokens),
        QStringLiteral("CREATE TRIGGER %1 AFTER INSERT ON %2 BEGIN %3 END")
            .arg(RecordLayout::quote(name + QStringLiteral("_ai")), table, add),
        QStringLiteral("CREATE TRIGGER %1 AFTER DELETE ON %2 BEGIN %3 END")
            .arg(RecordLayout::quote(name + QStringLiteral("_ad")), table, remove),
        QStringLiteral("CREATE TRIGGER %1 AFTER UPDATE OF %2 ON %3 BEGIN %4 %5 END")
            .arg(RecordLayout::quote(name + QStringLiteral("_au")), list, table, remove, add),
        QStringLiteral("INSERT INTO %1 (%1) VALUES ('rebuild')").arg(fts),
    };
    for (const QString &sql : statements)
        if (auto r = connection.execDirect(sql); !r)
            return r;
    return ensureAutomerge(connection, layout);
}

Result<void> ensurePostgres(Connection &connection, const RecordLayout &layout, const QStringList &columns)
{
    const QString name = TextIndex::tableName(layout);
    // pg_trgm is a trusted extension: the database's owner may create it. Where it lives already,
    // its operator class is named with that schema.
    if (auto r = connection.execDirect(QStringLiteral("CREATE EXTENSION IF NOT EXISTS pg_trgm")); !r)
        return r;
    auto schema = connection.exec(QStringLiteral("SELECT n.nspname FROM pg_extension e JOIN pg_namespace n "
                                                 "ON n.oid = e.extnamespace WHERE e.extname = 'pg_trgm'"));
    if (!schema)
        return schema.error();
    if (!schema.value()->next())
        return makeError(90, QStringLiteral("The extension pg_trgm is missing"));
    const QString opclass =
        RecordLayout::quote(schema.value()->value(0).toString()) + QStringLiteral(".gin_trgm_ops");
    return connection.execDirect(QStringLiteral("CREATE INDEX %1 ON %2 USING gin ((%3) %4)")
                                     .arg(RecordLayout::quote(name.toLower()),
                                          RecordLayout::quote(layout.table()), pgFolded(columns), opclass));
}

} // namespace

QString TextIndex::tableName(const RecordLayout &layout)
{
    return layout.table() + QStringLiteral("_text");
}

Result<void> TextIndex::ensure(Connection &connection, const RecordLayout &layout)
{
    const QStringList columns = indexedColumns(layout);
    if (columns.isEmpty())
        return {};
    auto present = indexPresent(connection, layout);
    if (!present)
        return present.error();
    const bool sqlite = connection.store().kind() == StoreKind::Sqlite;
    if (*present)
        return sqlite ? ensureAutomerge(connection, layout) : Result<void>();
    return sqlite ? ensureSqlite(connection, layout, columns) : ensurePostgres(connection, layout, columns);
}

Result<qint64> TextIndex::lastRowId(Connection &connection, const RecordLayout &layout)
{
    std::vector<qint64> last;
    if (auto r = RecordReader::readIntegers(
            connection,
            QStringLiteral("SELECT max(\"_rid\") FROM %1").arg(RecordLayout::quote(layout.table())), {},
            last);
        !r)
        return r.error();
    return last.empty() ? qint64(0) : last.front();
}

SqlCondition TextIndex::rowIdsIn(const std::vector<qint64> &rows)
{
    // One parameter however many rows: a JSON array that SQLite reads as a table.
    QByteArray list;
    list.reserve(qsizetype(rows.size()) * 8 + 2);
    list += '[';
    for (qint64 id : rows) {
        if (list.size() > 1)
            list += ',';
        list += QByteArray::number(id);
    }
    list += ']';
    return SqlCondition{QStringLiteral("\"_rid\" IN (SELECT value FROM json_each(?))"),
                        {QString::fromLatin1(list)}};
}

QString TextIndex::containsPattern(const QString &text)
{
    QString pattern = text;
    pattern.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'%', QStringLiteral("\\%"))
        .replace(u'_', QStringLiteral("\\_"));
    return u'%' + pattern + u'%';
}

QList<uint> TextIndex::sameFolded(uint c)
{
    // Every character grouped under its case folding, made once: a group holds the characters
    // that fold alike, where there are more than one.
    static const QHash<uint, QList<uint>> groups = [] {
        QHash<uint, QList<uint>> g;
        for (char32_t u = 0; u <= 0x10FFFF; ++u) {
            if (u >= 0xD800 && u <= 0xDFFF)
                continue;
            const char32_t f = QChar::toCaseFolded(u);
            if (f == u)
                continue;
            QList<uint> &members = g[uint(f)];
            if (members.isEmpty())
                members << uint(f);
            members << uint(u);
        }
        return g;
    }();
    QList<uint> out{c};
    for (uint other : groups.value(uint(QChar::toCaseFolded(char32_t(c)))))
        if (other != c)
            out << other;
    return out;
}

namespace {

QString phrase(const QList<uint> &points)
{
    QString text = QString::fromUcs4(reinterpret_cast<const char32_t *>(points.constData()), points.size());
    text.replace(u'"', QStringLiteral("\"\""));
    return u'"' + text + u'"';
}

// More spellings than this of one search, each a phrase of its own, cost more than they save.
constexpr qsizetype kMaxSpellings = 64;

// The spellings of the text, without regard to case, that the index holds every trigram of: the
// only ones a field can hold. None when the text is spelt in more than kMaxSpellings ways.
Result<std::optional<std::vector<QList<uint>>>> spellingsInIndex(Connection &connection, const QString &fts,
                                                                 const QList<uint> &points)
{
    QHash<QString, bool> known;
    const QString sql = QStringLiteral("SELECT rowid FROM %1 WHERE %1 MATCH ? LIMIT 1").arg(fts);
    std::vector<QList<uint>> spellings{{}};
    for (uint c : points) {
        std::vector<QList<uint>> longer;
        const QList<uint> alike = TextIndex::sameFolded(c);
        for (const QList<uint> &s : spellings) {
            for (uint a : alike) {
                QList<uint> next = s;
                next << a;
                if (next.size() >= TextIndex::MinimumLength) {
                    const QString trigram = phrase(next.mid(next.size() - TextIndex::MinimumLength));
                    auto it = known.find(trigram);
                    if (it == known.end()) {
                        std::vector<qint64> found;
                        if (auto r = RecordReader::readIntegers(connection, sql, {trigram}, found); !r)
                            return r.error();
                        it = known.insert(trigram, !found.empty());
                    }
                    if (!*it)
                        continue;
                }
                longer.push_back(std::move(next));
                if (qsizetype(longer.size()) > kMaxSpellings)
                    return std::optional<std::vector<QList<uint>>>();
            }
        }
        spellings = std::move(longer);
    }
    return std::optional(std::move(spellings));
}

// The index's question for a text's spellings (all of one length): the trigrams that tile each
// spelling, every third one and the last, so that no character is left out, as a MATCH that asks
// for the rows holding one of the spellings' trigrams at each offset; and the plan by which
// tarvo_tiles() then asks that one spelling's tiles stand one after another in one field. Asking
// for a tile where a phrase asks for every trigram reads a third of the places.
std::pair<QVariant, QVariant> tiles(const std::vector<QList<uint>> &spellings)
{
    const qsizetype length = spellings.front().size();
    std::vector<qsizetype> offsets;
    for (qsizetype at = 0; at + TextIndex::MinimumLength <= length; at += TextIndex::MinimumLength)
        offsets.push_back(at);
    if (offsets.back() + TextIndex::MinimumLength < length)
        offsets.push_back(length - TextIndex::MinimumLength);
    QStringList groups;
    std::vector<QStringList> plans(spellings.size());
    int phrases = 0;
    for (const qsizetype at : offsets) {
        QStringList group;
        for (size_t s = 0; s < spellings.size(); ++s) {
            const QString trigram = phrase(spellings[s].mid(at, TextIndex::MinimumLength));
            qsizetype index = group.indexOf(trigram);
            if (index < 0) {
                index = group.size();
                group << trigram;
            }
            plans[s] << QStringLiteral("%1:%2").arg(phrases + index).arg(at);
        }
        phrases += int(group.size());
        groups << (group.size() == 1 ? group.front() : u'(' + group.join(QStringLiteral(" OR ")) + u')');
    }
    QStringList plan;
    for (const QStringList &p : plans)
        plan << p.join(u',');
    return {groups.join(QStringLiteral(" AND ")), plan.join(u';')};
}

} // namespace

Result<std::optional<TextIndex::Lookup>> TextIndex::lookup(Connection &connection, const RecordLayout &layout,
                                                           const QString &text, bool ignoreCase)
{
    const QStringList columns = indexedColumns(layout);
    const QList<uint> points = text.toUcs4();
    if (columns.isEmpty() || points.size() < MinimumLength)
        return std::optional<Lookup>();
    // A store that could not make its index (opened read-only since) is searched without it.
    auto present = indexPresent(connection, layout);
    if (!present)
        return present.error();
    if (!*present)
        return std::optional<Lookup>();
    if (connection.store().kind() == StoreKind::Sqlite) {
        // A spelling's trigrams are found one after another in one field exactly where the field
        // holds that spelling; tarvo_tiles() asks that of every third one.
        const QString fts = RecordLayout::quote(tableName(layout));
        std::vector<QList<uint>> spellings{points};
        if (ignoreCase) {
            auto found = spellingsInIndex(connection, fts, points);
            if (!found)
                return found.error();
            if (!found->has_value())
                return std::optional<Lookup>();
            if ((*found)->empty())
                return std::optional(Lookup{SqlCondition{QStringLiteral("0 = 1"), {}}, true, {}});
            spellings = std::move(**found);
        }
        const auto [match, plan] = tiles(spellings);
        const QString found =
            QStringLiteral("SELECT rowid FROM %1 WHERE %1 MATCH ? AND tarvo_tiles(%1, ?)").arg(fts);
        return std::optional(
            Lookup{// The unary + keeps SQLite from looking up each row found by its row id (a page read
                   // per row, then a sort): it reads the list's own index in order and keeps the rows in
                   // the set the index found, which costs far less once a text is in many rows.
                   SqlCondition{QStringLiteral("+\"_rid\" IN (%1)").arg(found), {match, plan}}, true,
                   SqlCondition{found, {match, plan}}});
    }
    // The index holds the texts lower-cased, which is not the program's case folding: every
    // character that folds alike with one of the text's, lower-cased, may stand for it there.
    QStringList lowered{QString()};
    for (uint c : points) {
        QList<uint> forms;
        for (uint a : sameFolded(c))
            if (const uint l = uint(QChar::toLower(char32_t(a))); !forms.contains(l))
                forms << l;
        QStringList longer;
        for (const QString &s : lowered)
            for (uint l : forms)
                longer << s + QString::fromUcs4(reinterpret_cast<const char32_t *>(&l), 1);
        if (longer.size() > kMaxSpellings)
            return std::optional<Lookup>();
        lowered = longer;
    }
    QStringList terms;
    QVariantList params;
    for (const QString &spelling : lowered) {
        terms << QStringLiteral("%1 LIKE lower((?::text) COLLATE %2)").arg(pgFolded(columns), kPgCollation);
        params << containsPattern(spelling);
    }
    return std::optional(
        Lookup{SqlCondition{u'(' + terms.join(QStringLiteral(" OR ")) + u')', params}, false, {}});
}

} // namespace tarvo::data
