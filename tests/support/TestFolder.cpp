#include "support/TestFolder.h"

#include "support/PostgresServer.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

namespace tarvo::test {

QString dataFolder(const TempDir &dir, data::StoreKind kind, QString &skipReason)
{
    const QString folder = dir.file(QStringLiteral("data"));
    QDir().mkpath(folder);
    if (kind == data::StoreKind::Postgres) {
        auto &pg = PostgresServer::instance();
        if (!pg.available()) {
            skipReason = pg.reason();
            return {};
        }
        if (!pg.dropSchema(QStringLiteral("tarvo"))) {
            ADD_FAILURE() << "the test schema could not be dropped";
            return {};
        }
        pg.writeDatabaseIni(folder);
    }
    return folder;
}

void drainEvents()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace tarvo::test
