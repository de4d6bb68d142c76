#include "ListDataFixture.h"

#include "core/startup/SettingsRecord.h"
#include "platform/data/Connection.h"
#include "platform/data/FileManager.h"
#include "platform/data/Record.h"

#include <QSqlError>
#include <QSqlQuery>

namespace tarvo::test {

void ListDataFixture::TearDown()
{
    core::SettingsRecord::instance().clear();
}

void ListDataFixture::dropTable(const QString &label)
{
    ASSERT_TRUE(m_session->file(label)->open().ok());
    auto conn = m_session->connection();
    ASSERT_TRUE(conn.ok());
    QSqlQuery q((*conn)->database());
    ASSERT_TRUE(q.exec(QStringLiteral("DROP TABLE \"%1\"").arg(label))) << q.lastError().text().toStdString();
}

void ListDataFixture::setSettings(const FieldValues &values)
{
    data::Record record = m_session->file(QStringLiteral("Parameter"))->newRecord();
    for (const auto &[name, value] : values)
        ASSERT_TRUE(record.setValue(name, value)) << name.toStdString();
    core::SettingsRecord::instance().set(record);
}

} // namespace tarvo::test
