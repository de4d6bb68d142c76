#include "FuzzBudget.h"
#include "platform/data/SqliteFunctions.h"
#include "platform/data/SqliteStore.h"
#include "platform/data/expr/Expression.h"
#include "platform/data/expr/NameTable.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace tarvo::data;
using namespace tarvo::data::expr;

namespace tarvo::test {

namespace {

struct Column {
    const char *name;
    bool text;
};
const Column kColumns[] = {{"BUG:ID", false},    {"BUG:PrgID", false},      {"BUG:Gray", false},
                           {"BUG:Status", true}, {"BUG:Description", true}, {"BUG:Version", true}};

// Rows with what filters meet at the edges: umlauts and characters beyond 16 bits, texts that read
// as numbers, the list separator, case twins, empty texts, negative and large numbers.
const std::vector<QVariantList> &rows()
{
    const auto s = [](const char *text) { return QVariant(QString::fromUtf8(text)); };
    static const std::vector<QVariantList> r = {
        {1, 3, 0, s("Open"), s("Setup fails"), s("2.1")},
        {2, 7, 1, s("Closed"), s("error in report"), s("5")},
        {3, 12, 0, s("ÄRGER"), s("d'Arc | pipe"), s("005x")},
        {4, 0, 0, s("BANANA"), s(""), s("")},
        {5, -4, 1, s("open"), s("Crash \U0001D11E here"), s("-3")},
        {6, 2147483647, 0, s("ärger"), s("Straße"), s("1.0")},
        {7, 7, 0, s("Banana"), s("|7|"), s("12")},
        {8, 99, 1, s("Zebra"), s("a%b_c"), s("0.5")},
    };
    return r;
}

// Builds random but well-formed filters of the whole language from a fixed seed.
class Generator final {
  public:
    explicit Generator(std::uint64_t seed) : m_rng(seed) {}

    QString condition(int depth)
    {
        switch (pick(depth > 0 ? 9 : 5)) {
        case 0:
            return text(depth) + comparison() + text(depth);
        case 1:
            return number(depth) + comparison() + number(depth);
        case 2:
            return pick(2) ? text(depth) + comparison() + number(depth)
                           : number(depth) + comparison() + text(depth);
        case 3:
            return QStringLiteral("INSTRING('|' & BUG:PrgID & '|', %1, 1, 1)%2")
                .arg(pick(2) ? QStringLiteral("SecP") : quoted(listLiteral()),
                     pick(3) ? QStringLiteral(" > 0") : QStringLiteral(" = 0"));
        case 4:
            return pick(2) ? number(depth) : text(depth);
        case 5:
            return QLatin1Char('(') + condition(depth - 1) + QStringLiteral(" AND ") + condition(depth - 1) +
                   QLatin1Char(')');
        case 6:
            return QLatin1Char('(') + condition(depth - 1) + QStringLiteral(" OR ") + condition(depth - 1) +
                   QLatin1Char(')');
        case 7:
            return QStringLiteral("NOT (") + condition(depth - 1) + QLatin1Char(')');
        default:
            return QStringLiteral("INSTRING('(' & BUG:Status & ')', '(Open)(ÄRGER)(Zebra)', 1, 1) <> 0");
        }
    }

  private:
    int pick(int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(m_rng)); }

    QString comparison()
    {
        static const char *const ops[] = {
            " = ", " <> ", " < ", " > ", " <= ", " >= ", " ~= ", " =< ", " => "};
        return QString::fromLatin1(ops[pick(int(std::size(ops)))]);
    }

    static QString quoted(QString s)
    {
        return QLatin1Char('\'') + s.replace(u'\'', QStringLiteral("''")) + u'\'';
    }

    QString listLiteral()
    {
        static const char *const lists[] = {"|3|7|", "|0|12|x|", "|-4|07|99|", "", "|2147483647|", "||"};
        return QString::fromUtf8(lists[pick(int(std::size(lists)))]);
    }

    QString textLiteral()
    {
        static const char *const texts[] = {"Open", "open", "",   "  ",  "ärger", "ÄRGER", "BANANA",     "b",
                                            "5",    "005x", "-3", "2.1", "|",     "e",     "\U0001D11E", "Z"};
        return quoted(QString::fromUtf8(texts[pick(int(std::size(texts)))]));
    }

    QString smallNumber()
    {
        static const char *const numbers[] = {"0", "1", "2", "3", "7", "12", "0.5", "2.25", "100"};
        return QString::fromLatin1(numbers[pick(int(std::size(numbers)))]);
    }

    // Positions and counts include values far beyond 32 and 64 bits.
    QString position()
    {
        static const char *const numbers[] = {"1",
                                              "2",
                                              "3",
                                              "5",
                                              "40",
                                              "4294967297",
                                              "99999999999999999999",
                                              "2147483647",
                                              "9223372036854775808"};
        return QString::fromLatin1(numbers[pick(int(std::size(numbers)))]);
    }

    QString column(bool textColumn)
    {
        for (;;) {
            const Column &c = kColumns[pick(int(std::size(kColumns)))];
            if (c.text == textColumn)
                return QString::fromLatin1(c.name);
        }
    }

    QString text(int depth)
    {
        switch (pick(depth > 0 ? 9 : 3)) {
        case 0:
        case 1:
            return column(true);
        case 2:
            return pick(3) ? textLiteral() : QStringLiteral("MAK");
        case 3:
            return QStringLiteral("UPPER(") + text(depth - 1) + QLatin1Char(')');
        case 4:
            return QStringLiteral("CLIP(") + text(depth - 1) + QLatin1Char(')');
        case 5:
            return QStringLiteral("SUB(%1, %2, %3)").arg(text(depth - 1), position(), position());
        case 6:
            return QLatin1Char('(') + text(depth - 1) + QStringLiteral(" & ") + text(depth - 1) +
                   QLatin1Char(')');
        case 7:
            return QStringLiteral("FORMAT(%1%2, @N%3%4)")
                .arg(pick(2) ? QStringLiteral("-") : QString(), pick(2) ? position() : smallNumber(),
                     pick(2) ? QStringLiteral("0") : QString(), QString::number(1 + pick(25)));
        default:
            return QLatin1Char('(') + column(false) + QStringLiteral(" & ") + text(depth - 1) +
                   QLatin1Char(')');
        }
    }

    QString number(int depth)
    {
        switch (pick(depth > 0 ? 8 : 3)) {
        case 0:
        case 1:
            return column(false);
        case 2:
            return pick(4) ? smallNumber() : QStringLiteral("T");
        case 3:
            return QLatin1Char('(') + number(depth - 1) + QStringLiteral(" + ") + number(depth - 1) +
                   QLatin1Char(')');
        case 4:
            return QLatin1Char('(') + number(depth - 1) +
                   (pick(2) ? QStringLiteral(" - ") : QStringLiteral(" * ")) + smallNumber() +
                   QLatin1Char(')');
        case 5:
            return QStringLiteral("-") + number(depth - 1);
        case 6:
            return QStringLiteral("INSTRING(%1, %2, 1, %3)")
                .arg(text(depth - 1), text(depth - 1), position());
        default:
            return QStringLiteral("INSTRING(%1, %2)").arg(text(depth - 1), text(depth - 1));
        }
    }

    std::mt19937_64 m_rng;
};

// The rows in an SQLite table with the stores' collations and functions, and their names.
class FuzzTable final {
  public:
    FuzzTable()
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
        db.setDatabaseName(QStringLiteral(":memory:"));
        EXPECT_TRUE(db.open());
        EXPECT_TRUE(SqliteFunctions::install(SqliteStore::handle(db)));
        QSqlQuery q(db);
        EXPECT_TRUE(
            q.exec(QStringLiteral("CREATE TABLE t (\"ID\" INTEGER, \"PrgID\" INTEGER, \"Gray\" INTEGER, "
                                  "\"Status\" TEXT, \"Description\" TEXT, \"Version\" TEXT)")));
        for (const QVariantList &row : rows()) {
            q.prepare(QStringLiteral("INSERT INTO t VALUES (?, ?, ?, ?, ?, ?)"));
            for (const QVariant &v : row)
                q.addBindValue(v);
            EXPECT_TRUE(q.exec()) << q.lastError().text().toStdString();
        }
        for (const Column &c : kColumns) {
            const QString name = QString::fromLatin1(c.name);
            m_names.addColumn(name, u'"' + name.section(u':', 1) + u'"',
                              c.text ? ValueType::Text : ValueType::Number);
        }
        m_names.bind(QStringLiteral("SecP"), QStringLiteral("|3|7|-4|2147483647|"));
        m_names.bind(QStringLiteral("MAK"), QStringLiteral("ope   "));
        m_names.bind(QStringLiteral("T"), 7);
    }
    ~FuzzTable() { QSqlDatabase::removeDatabase(kConnection); }

    NameTable &names() { return m_names; }

    std::vector<int> bySql(const SqlCondition &condition, QString *error)
    {
        QSqlQuery q(QSqlDatabase::database(kConnection));
        q.prepare(QStringLiteral("SELECT \"ID\" FROM t WHERE ") + condition.sql +
                  QStringLiteral(" ORDER BY \"ID\""));
        for (const QVariant &p : condition.params)
            q.addBindValue(p);
        std::vector<int> ids;
        if (!q.exec()) {
            *error = q.lastError().text();
            return ids;
        }
        while (q.next())
            ids.push_back(q.value(0).toInt());
        return ids;
    }

    std::vector<int> inMemory(const Expression &e)
    {
        std::vector<int> ids;
        for (const QVariantList &row : rows()) {
            for (size_t i = 0; i < std::size(kColumns); ++i)
                m_names.setColumnValue(QString::fromLatin1(kColumns[i].name), row[qsizetype(i)]);
            if (e.matches(m_names))
                ids.push_back(row[0].toInt());
        }
        return ids;
    }

  private:
    static inline const QString kConnection = QStringLiteral("expression-fuzz");
    NameTable m_names;
};

QString idsText(const std::vector<int> &ids)
{
    QStringList out;
    for (int id : ids)
        out << QString::number(id);
    return out.join(u',');
}

} // namespace

// Random filters over the whole language: wherever the compiler gives SQL, SQLite selects exactly
// the rows the in-memory evaluator selects, and nothing crashes or reads out of bounds (this runs
// in the sanitizer build too).
TEST(ExpressionFuzz, SqlAndMemorySelectTheSameRows)
{
    FuzzTable table;
    Generator generate(FuzzBudget::kSeed);
    FuzzBudget budget(6000, 30);
    int compiled = 0;
    QStringList differences;
    while (budget.next() && differences.size() < 10) {
        const QString text = generate.condition(3);
        auto e = Expression::parse(text, table.names());
        if (!e) {
            differences << QStringLiteral("does not parse: %1: %2").arg(text, e.error().message);
            continue;
        }
        const std::vector<int> memory = table.inMemory(*e);
        auto sql = e->toSql(Dialect::Sqlite, table.names());
        if (!sql) {
            if (sql.error().code != NoSqlForm)
                differences << QStringLiteral("refused: %1: %2").arg(text, sql.error().message);
            continue;
        }
        ++compiled;
        QString error;
        const std::vector<int> bySql = table.bySql(*sql, &error);
        if (!error.isEmpty() || bySql != memory)
            differences << QStringLiteral("%1\n    SQL %2 [%3] memory [%4] %5")
                               .arg(text, sql->sql, idsText(bySql), idsText(memory), error);
    }
    EXPECT_TRUE(differences.isEmpty()) << differences.join(u'\n').toStdString();
    EXPECT_GT(compiled, budget.done() / 2) << "most filters must have an SQL form";
}

} // namespace tarvo::test
