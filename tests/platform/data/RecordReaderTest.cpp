#include "DataTestSupport.h"
#include "platform/data/Connection.h"
#include "platform/data/View.h"

#include <QSet>
#include <QSqlQuery>

using namespace tarvo::data;

namespace tarvo::test {

namespace {
// One field of every type, with values at the edges of each.
DictionaryDecl samplesDictionary()
{
    FileDecl f;
    f.label = QStringLiteral("Sample");
    f.prefix = QStringLiteral("SAM");
    f.fields = {field("ID", FieldType::Long),          field("Small", FieldType::Byte),
                field("Short", FieldType::Short),      field("UShort", FieldType::UShort),
                field("Long", FieldType::Long),        field("Date", FieldType::Long),
                field("Time", FieldType::Long),        field("ULong", FieldType::ULong),
                field("Real", FieldType::Real),        field("Money", FieldType::Decimal, 9, 2),
                field("Name", FieldType::String, 20),  field("Code", FieldType::CString, 10),
                field("Notes", FieldType::Memo, 2000), field("Data", FieldType::Blob)};
    f.keys = {key("KeyID", {{"ID"}}, true, true)};
    DictionaryDecl d;
    d.files.push_back(f);
    return d;
}

const std::vector<std::vector<std::pair<QString, QVariant>>> kSamples = {
    {{"Small", 255},
     {"Short", -32768},
     {"UShort", 65535},
     {"Long", qint64(-2147483647) - 1},
     {"Date", 81234},
     {"Time", 8640001},
     {"ULong", qint64(4294967295)},
     {"Real", -1.25e-7},
     {"Money", -1234567.89},
     {"Name", QString::fromUtf8("Grüße 😀 Äpfel")},
     {"Code", QString::fromUtf8("ÄÖÜß€")},
     {"Notes", QString::fromUtf8("Zeile eins\nZeile zwei\t😀 \U0001D11E ende  ")},
     {"Data", QByteArray("\0a\0\xff\0", 5)}},
    {{"Short", 1}, {"Real", 3.0}, {"Name", QStringLiteral("plain")}, {"Data", QByteArray("\0", 1)}},
    {}, // every field empty
};

// The statements read through libpq on the connection of Qt's driver.
qint64 libpqStatements(FileManager &file)
{
    auto conn = file.connection();
    if (!conn)
        return -1;
    QSqlQuery q((*conn)->database());
    if (!q.exec(
            QStringLiteral("SELECT COUNT(*) FROM pg_prepared_statements WHERE name LIKE 'tarvo\\_read%'")) ||
        !q.next())
        return -1;
    return q.value(0).toLongLong();
}

void expectSameTypedValues(const Record &got, const Record &want, const char *how)
{
    ASSERT_TRUE(got.isValid()) << how;
    EXPECT_EQ(got.rowId(), want.rowId()) << how;
    for (int i = 0; i < want.layout().fieldCount(); ++i) {
        const std::string name = want.layout().field(i).name.toStdString();
        EXPECT_EQ(got.value(i).typeId(), want.value(i).typeId()) << how << " " << name;
        EXPECT_EQ(got.value(i), want.value(i)) << how << " " << name;
        // Empty texts and bytes must stay non-null: a null one would be written back as NULL.
        if (want.value(i).typeId() == QMetaType::QString) {
            EXPECT_FALSE(got.value(i).toString().isNull()) << how << " " << name;
        }
        if (want.value(i).typeId() == QMetaType::QByteArray) {
            EXPECT_FALSE(got.value(i).toByteArray().isNull()) << how << " " << name;
        }
    }
}
} // namespace

class RecordReaderTest : public StoreTest {};
TARVO_STORE_TEST_SUITE(RecordReaderTest);

// Views and fetches read SQLite through its C API; what they give must equal both what was
// written and what Qt's driver reads from the same rows.
TEST_P(RecordReaderTest, EveryFieldTypeReadsBackAsWrittenAndAsQtReadsIt)
{
    openDictionary(samplesDictionary());
    FileManager &file = fm("Sample");
    std::vector<Record> written;
    for (const auto &values : kSamples)
        written.push_back(add("Sample", values));
    ASSERT_EQ(written.size(), kSamples.size());

    View view(file, "SAM:KeyID");
    auto rows = view.rowsAfter(nullptr, 10);
    ASSERT_TRUE(rows.ok()) << rows.error().message.toStdString();
    ASSERT_EQ(rows->size(), written.size());

    std::vector<Record> viaQt;
    {
        auto conn = file.connection();
        ASSERT_TRUE(conn.ok());
        auto qt =
            (*conn)->exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY \"ID\"")
                              .arg(file.layout().selectList(), RecordLayout::quote(file.layout().table())));
        ASSERT_TRUE(qt.ok());
        while (qt.value()->next()) {
            viaQt.emplace_back();
            file.load(**qt, viaQt.back());
        }
    }
    ASSERT_EQ(viaQt.size(), written.size());
    for (size_t i = 0; i < written.size(); ++i) {
        expectSameTypedValues((*rows)[i], written[i], "view");

        Record byRow = file.newRecord();
        ASSERT_TRUE(file.fetchRow(written[i].rowId(), byRow).ok());
        expectSameTypedValues(byRow, written[i], "fetchRow");

        Record byKey = file.newRecord();
        byKey.setValue("ID", written[i].value("ID"));
        ASSERT_TRUE(file.fetch("SAM:KeyID", byKey).ok());
        expectSameTypedValues(byKey, written[i], "fetch");
        expectSameTypedValues(viaQt[i], (*rows)[i], "Qt driver");
    }
    if (GetParam() == StoreKind::Postgres) { // the view read through libpq
        EXPECT_GT(libpqStatements(file), 0);
    }
}

// A column left NULL (by a store written by other means) reads as Qt's driver reads it, on
// every path: records, values and counts.
TEST_P(RecordReaderTest, NullsReadAsQtReadsThem)
{
    if (GetParam() != StoreKind::Postgres)
        GTEST_SKIP() << "SQLite keeps no NULL in these columns either way";
    openDictionary(samplesDictionary());
    FileManager &file = fm("Sample");
    for (const auto &values : kSamples)
        add("Sample", values);
    auto conn = file.connection();
    ASSERT_TRUE(conn.ok());
    const RecordLayout &l = file.layout();
    {
        QSqlQuery q((*conn)->database());
        for (int i = 0; i < l.fieldCount(); ++i) {
            if (l.column(i) == QStringLiteral("\"ID\""))
                continue;
            ASSERT_TRUE(q.exec(QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 DROP NOT NULL")
                                   .arg(RecordLayout::quote(l.table()), l.column(i))));
            ASSERT_TRUE(q.exec(QStringLiteral("UPDATE %1 SET %2 = NULL WHERE \"ID\" <> 2")
                                   .arg(RecordLayout::quote(l.table()), l.column(i))));
        }
    }
    View view(file, "SAM:KeyID");
    auto rows = view.rowsAfter(nullptr, 10);
    ASSERT_TRUE(rows.ok()) << rows.error().message.toStdString();
    std::vector<std::vector<QVariant>> values;
    auto read = view.valuesAfter(nullptr, 10, [&](std::vector<QVariant> &v, qint64) { values.push_back(v); });
    ASSERT_TRUE(read.ok());
    std::vector<Record> viaQt;
    {
        auto qt = (*conn)->exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY \"ID\"")
                                    .arg(l.selectList(), RecordLayout::quote(l.table())));
        ASSERT_TRUE(qt.ok());
        while (qt.value()->next()) {
            viaQt.emplace_back();
            file.load(**qt, viaQt.back());
        }
    }
    ASSERT_EQ(rows->size(), viaQt.size());
    ASSERT_EQ(values.size(), viaQt.size());
    for (size_t r = 0; r < viaQt.size(); ++r) {
        expectSameTypedValues((*rows)[r], viaQt[r], "view");
        for (int i = 0; i < l.fieldCount(); ++i) {
            const std::string name = l.field(i).name.toStdString();
            EXPECT_EQ((*rows)[r].value(i).isNull(), viaQt[r].value(i).isNull()) << name;
            EXPECT_EQ(values[r][size_t(i)].typeId(), viaQt[r].value(i).typeId()) << name;
            EXPECT_EQ(values[r][size_t(i)].isNull(), viaQt[r].value(i).isNull()) << name;
            EXPECT_EQ(values[r][size_t(i)], viaQt[r].value(i)) << name;
        }
    }
}

// Filters with parameters of every kind a caller binds select the same rows as through Qt's
// driver.
TEST_P(RecordReaderTest, ParametersOfEveryTypeSelectAsThroughQt)
{
    openDictionary(samplesDictionary());
    FileManager &file = fm("Sample");
    for (const auto &values : kSamples)
        add("Sample", values);
    const std::vector<std::pair<QString, QVariantList>> filters = {
        {"\"Small\" = ?", {255}},
        {"\"ULong\" = ?", {quint64(4294967295)}},
        {"\"Long\" = ?", {qint64(-2147483647) - 1}},
        {"\"Real\" = ?", {-1.25e-7}},
        {"\"Money\" < ?", {0.5f}},
        {"\"Name\" = ?", {QString::fromUtf8("Grüße 😀 Äpfel")}},
        {"\"Name\" = ?", {QString()}},
        {"\"Name\" <> '?' AND \"Code\" = ?", {QStringLiteral("")}},
        {"\"Data\" = ?", {QByteArray("\0a\0\xff\0", 5)}},
        {"\"Data\" = ?", {QByteArray("\0", 1)}},
        {"\"Data\" = ?", {QByteArray()}},
        {"\"Short\" = ? OR CAST(? AS INTEGER) IS NULL", {7, QVariant()}},
    };
    auto conn = file.connection();
    ASSERT_TRUE(conn.ok());
    const qint64 preparedBefore = libpqStatements(file);
    for (const auto &[sql, params] : filters) {
        View view(file, "SAM:KeyID");
        view.setFilter({sql, params});
        auto count = view.count();
        ASSERT_TRUE(count.ok()) << sql.toStdString() << ": " << count.error().message.toStdString();
        auto rows = view.rowsAfter(nullptr, 10);
        ASSERT_TRUE(rows.ok()) << sql.toStdString();
        auto qt = (*conn)->exec(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2")
                                    .arg(RecordLayout::quote(file.layout().table()), sql),
                                params);
        ASSERT_TRUE(qt.ok()) << sql.toStdString();
        ASSERT_TRUE(qt.value()->next());
        const qint64 want = qt.value()->value(0).toLongLong();
        EXPECT_EQ(*count, want) << sql.toStdString();
        EXPECT_EQ(qint64(rows->size()), want) << sql.toStdString();
    }
    // Each filter's count and page went through libpq, also after the driver's unfinished count:
    // two statements for each filter text.
    QSet<QString> texts;
    for (const auto &f : filters)
        texts.insert(f.first);
    if (GetParam() == StoreKind::Postgres) {
        EXPECT_EQ(libpqStatements(file) - preparedBefore, qint64(2 * texts.size()));
    }
}

// Reads inside a transaction see its own writes before they are committed.
TEST_P(RecordReaderTest, ReadsInATransactionSeeItsWrites)
{
    openDictionary(samplesDictionary());
    FileManager &file = fm("Sample");
    add("Sample", {{"Name", QStringLiteral("one")}});
    View view(file, "SAM:KeyID");
    auto conn = file.connection();
    ASSERT_TRUE(conn.ok());
    ASSERT_TRUE((*conn)->begin().ok());
    add("Sample", {{"Name", QStringLiteral("two")}});
    EXPECT_EQ(view.count().value(), 2);
    auto rows = view.rowsAfter(nullptr, 10);
    ASSERT_TRUE(rows.ok());
    ASSERT_EQ(rows->size(), 2u);
    EXPECT_EQ(rows->back().text("Name"), QStringLiteral("two"));
    (*conn)->rollback();
    EXPECT_EQ(view.count().value(), 1);
    EXPECT_EQ(view.rowsAfter(nullptr, 10)->size(), 1u);
}

TEST_P(RecordReaderTest, AFailedReadIsAnErrorAndLeavesTheConnectionUsable)
{
    openDictionary(samplesDictionary());
    FileManager &file = fm("Sample");
    add("Sample", {{"Name", QStringLiteral("one")}});
    std::vector<Record> rows;
    auto bad = file.select(QStringLiteral("SELECT %1 FROM \"NoSuchTable\"").arg(file.layout().selectList()),
                           {}, rows);
    EXPECT_FALSE(bad.ok());
    EXPECT_TRUE(rows.empty());

    Record r = file.newRecord();
    r.setValue("ID", 1);
    ASSERT_TRUE(file.fetch("SAM:KeyID", r).ok());
    EXPECT_EQ(r.text("Name"), QStringLiteral("one"));
    r.setValue("ID", 2);
    auto missing = file.fetch("SAM:KeyID", r);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().code, 35);
}

} // namespace tarvo::test
