#include "SubFormFolder.h"

#include "core/services/Services.h"
#include "platform/data/FileManager.h"
#include "support/PostgresServer.h"

#include <QApplication>
#include <QDir>

namespace tarvo::issues::test {

void SubFormFolder::SetUp()
{
    dir.useAsConfigHome();
    const QString data = dir.file(QStringLiteral("data"));
    QDir().mkpath(data);
    if (GetParam() == data::StoreKind::Postgres) {
        auto &pg = tarvo::test::PostgresServer::instance();
        if (!pg.available())
            GTEST_SKIP() << pg.reason().toStdString();
        ASSERT_TRUE(pg.dropSchema(QStringLiteral("tarvo")));
        pg.writeDatabaseIni(data);
    }
    folder = std::make_unique<listext::test::IssueFolder>(data);
    ASSERT_TRUE(folder->ok()) << folder->error().toStdString();
    core::Services::setAccess(&access);
    user.mak = QStringLiteral("JDOE");
    user.userIniPath = dir.file(QStringLiteral("User.ini"));
    user.dataFolder = data;
}

void SubFormFolder::TearDown()
{
    drain();
    core::Services::setAccess(nullptr);
}

void SubFormFolder::drain()
{
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void SubFormFolder::pointAt(const QString &label, const QString &field, const QVariant &value)
{
    data::FileManager &f = file(label);
    const QVariantList rows = folder->column(
        QStringLiteral("SELECT \"_rid\" FROM \"%1\" WHERE \"%2\" = ?").arg(label, field), {value});
    ASSERT_EQ(rows.size(), 1) << label.toStdString();
    data::Record record = f.newRecord();
    record.setRowId(rows.first().toLongLong());
    f.buffer() = record;
}

qint64 SubFormFolder::count(const QString &table, const QString &where)
{
    (void)folder->file(table);
    const QVariantList n =
        folder->column(QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE %2").arg(table, where));
    return n.isEmpty() ? -1 : n.first().toLongLong();
}

} // namespace tarvo::issues::test
