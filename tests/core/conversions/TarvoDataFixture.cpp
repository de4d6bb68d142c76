#include "TarvoDataFixture.h"

#include "core/dictionary/TarvoDictionary.h"
#include "platform/data/Connection.h"
#include "platform/data/Cursor.h"
#include "platform/data/FileManager.h"
#include "platform/data/View.h"

#include <QSqlError>
#include <QSqlQuery>

namespace tarvo::test {

void TarvoDataFixture::SetUp()
{
    auto dict = data::Dictionary::open(core::tarvoDictionary(), m_dir.path());
    ASSERT_TRUE(dict.ok()) << dict.error().message.toStdString();
    m_dict = std::move(dict).value();
    m_session = m_dict->createSession(1, &m_errors);
}

data::Record TarvoDataFixture::add(const QString &label, const FieldValues &values)
{
    data::FileManager &file = *m_session->file(label);
    data::Record record = file.newRecord();
    for (const auto &[name, value] : values)
        EXPECT_TRUE(record.setValue(name, value)) << label.toStdString() << " " << name.toStdString();
    auto added = file.insert(record);
    EXPECT_TRUE(added.ok()) << label.toStdString() << ": "
                            << (added ? "" : added.error().message.toStdString());
    return record;
}

std::vector<data::Record> TarvoDataFixture::records(const QString &label, const QString &keyName)
{
    data::FileManager &file = *m_session->file(label);
    data::View view =
        keyName.isEmpty() ? data::View(file, std::vector<data::KeyComponent>{}) : data::View(file, keyName);
    data::Cursor cursor(view);
    auto rows = cursor.nextPage(100000);
    EXPECT_TRUE(rows.ok());
    return rows ? *rows : std::vector<data::Record>{};
}

QVariant TarvoDataFixture::scalar(const QString &sql)
{
    auto conn = m_session->connection();
    EXPECT_TRUE(conn.ok());
    QSqlQuery q((*conn)->database());
    EXPECT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
    return q.next() ? q.value(0) : QVariant();
}

void TarvoDataFixture::exec(const QString &sql)
{
    auto conn = m_session->connection();
    ASSERT_TRUE(conn.ok());
    QSqlQuery q((*conn)->database());
    ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
}

} // namespace tarvo::test
