#pragma once

#include "core/conversions/TarvoDataFixture.h"
#include "platform/data/FileManager.h"
#include "platform/data/Record.h"
#include "platform/data/RelationManager.h"
#include "platform/data/Session.h"
#include "platform/data/Store.h"

#include <QVariant>

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace tarvo::test {

using FieldList = FieldValues;

// The program's own dictionary on a new, empty data folder, once on SQLite and once on the
// PostgreSQL test server, with a session for context 1.
class TarvoStoreTest : public TarvoDataFixture, public ::testing::WithParamInterface<data::StoreKind> {
  protected:
    void SetUp() override;
    void TearDown() override;

    data::FileManager &fm(const QString &label) { return *m_session->file(label); }
    data::RelationManager &rm(const QString &label) { return *m_session->relations(label); }
    // Rows of a file whose fields equal the given values (all rows without any).
    qint64 count(const QString &label, const FieldList &where = {});
    // The first stored row (in row order) whose fields equal the given values.
    data::Record one(const QString &label, const FieldList &where);
    // Deletes / rewrites a stored record under the relation rules; fails the test on an error.
    void removeWithRules(const QString &label, const FieldList &where);
    void changeWithRules(const QString &label, const FieldList &where, const FieldList &changes);

  private:
    QString whereSql(const data::RecordLayout &layout, const FieldList &where, QVariantList &params);
};

std::string tarvoStoreName(const ::testing::TestParamInfo<data::StoreKind> &info);

#define TARVO_REAL_STORE_SUITE(Suite)                                                                        \
    INSTANTIATE_TEST_SUITE_P(                                                                                \
        Stores, Suite,                                                                                       \
        ::testing::Values(::tarvo::data::StoreKind::Sqlite, ::tarvo::data::StoreKind::Postgres),             \
        ::tarvo::test::tarvoStoreName)

} // namespace tarvo::test
