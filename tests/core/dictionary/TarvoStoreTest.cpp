#include "TarvoStoreTest.h"

#include "platform/data/Connection.h"
#include "support/PostgresServer.h"

#include <QSqlQuery>

namespace tarvo::test {

using namespace tarvo::data;

std::string tarvoStoreName(const ::testing::TestParamInfo<StoreKind> &info)
{
    return info.param == StoreKind::Sqlite ? "SQLite" : "PostgreSQL";
}

void TarvoStoreTest::SetUp()
{
    if (GetParam() == StoreKind::Postgres) {
        auto &pg = PostgresServer::instance();
        if (!pg.available())
            GTEST_SKIP() << pg.reason().toStdString();
        ASSERT_TRUE(pg.dropSchema(QStringLiteral("tarvo")));
        pg.writeDatabaseIni(m_dir.path());
    }
    TarvoDataFixture::SetUp();
    if (HasFatalFailure())
        return;
    ASSERT_EQ(m_dict->store().kind(), GetParam());
}

void TarvoStoreTest::TearDown()
{
    m_session.reset();
    m_dict.reset();
}

QString TarvoStoreTest::whereSql(const RecordLayout &layout, const FieldList &where, QVariantList &params)
{
    QStringList terms;
    for (const auto &[name, value] : where) {
        const int f = layout.fieldIndex(name);
        EXPECT_GE(f, 0) << layout.label().toStdString() << " has no " << name.toStdString();
        if (f < 0)
            continue;
        terms << layout.column(f) + QStringLiteral(" = ?");
        params << Record::normalised(layout.field(f), value);
    }
    return terms.isEmpty() ? QStringLiteral("1 = 1") : terms.join(QStringLiteral(" AND "));
}

qint64 TarvoStoreTest::count(const QString &label, const FieldList &where)
{
    FileManager &file = fm(label);
    EXPECT_TRUE(file.open().ok()) << label.toStdString();
    QVariantList params;
    const QString sql =
        QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2")
            .arg(RecordLayout::quote(file.layout().table()), whereSql(file.layout(), where, params));
    auto conn = m_session->connection();
    if (!conn)
        return -1;
    auto q = (*conn)->exec(sql, params);
    EXPECT_TRUE(q.ok()) << (q ? "" : q.error().message.toStdString());
    return q && q.value()->next() ? q.value()->value(0).toLongLong() : -1;
}

Record TarvoStoreTest::one(const QString &label, const FieldList &where)
{
    FileManager &file = fm(label);
    Record record = file.newRecord();
    EXPECT_TRUE(file.open().ok()) << label.toStdString();
    QVariantList params;
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY \"_rid\" LIMIT 1")
                            .arg(file.layout().selectList(), RecordLayout::quote(file.layout().table()),
                                 whereSql(file.layout(), where, params));
    auto conn = m_session->connection();
    if (!conn)
        return record;
    auto q = (*conn)->exec(sql, params);
    EXPECT_TRUE(q.ok()) << (q ? "" : q.error().message.toStdString());
    if (q && q.value()->next())
        file.load(**q, record);
    else
        ADD_FAILURE() << "no such row in " << label.toStdString();
    return record;
}

void TarvoStoreTest::removeWithRules(const QString &label, const FieldList &where)
{
    Record record = one(label, where);
    auto removed = rm(label).remove(record);
    EXPECT_TRUE(removed.ok()) << label.toStdString() << ": "
                              << (removed ? "" : removed.error().message.toStdString());
}

void TarvoStoreTest::changeWithRules(const QString &label, const FieldList &where, const FieldList &changes)
{
    Record record = one(label, where);
    for (const auto &[name, value] : changes)
        EXPECT_TRUE(record.setValue(name, value)) << name.toStdString();
    auto changed = rm(label).update(record);
    EXPECT_TRUE(changed.ok()) << label.toStdString() << ": "
                              << (changed ? "" : changed.error().message.toStdString());
}

} // namespace tarvo::test
