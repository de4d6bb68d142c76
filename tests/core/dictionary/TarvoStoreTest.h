#pragma once

#include "platform/data/Dictionary.h"
#include "platform/data/ErrorReporter.h"
#include "platform/data/FileManager.h"
#include "platform/data/Record.h"
#include "platform/data/RelationManager.h"
#include "platform/data/Session.h"
#include "platform/data/Store.h"
#include "support/TempDir.h"

#include <QVariant>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace tarvo::test {

// Keeps every file error the managers report, answering questions with No.
class StoreErrorLog final : public data::ErrorReporter {
public:
    int report(const data::FileError &error) override
    {
        errors.push_back(error);
        return 4; // No
    }
    std::vector<data::FileError> errors;
};

using FieldList = std::vector<std::pair<QString, QVariant>>;

// The program's own dictionary on a new, empty data folder, once on SQLite and once on the
// PostgreSQL test server, with a session for context 1.
class TarvoStoreTest : public ::testing::TestWithParam<data::StoreKind> {
protected:
    void SetUp() override;
    void TearDown() override;

    data::FileManager &fm(const QString &label) { return *m_session->file(label); }
    data::RelationManager &rm(const QString &label) { return *m_session->relations(label); }
    // Adds a record through the file manager; fails the test when the insert fails.
    data::Record add(const QString &label, const FieldList &values);
    // Rows of a file whose fields equal the given values (all rows without any).
    qint64 count(const QString &label, const FieldList &where = {});
    // The first stored row (in row order) whose fields equal the given values.
    data::Record one(const QString &label, const FieldList &where);
    // Deletes / rewrites a stored record under the relation rules; fails the test on an error.
    void removeWithRules(const QString &label, const FieldList &where);
    void changeWithRules(const QString &label, const FieldList &where, const FieldList &changes);

    TempDir m_dir;
    StoreErrorLog m_errors;
    std::unique_ptr<data::Dictionary> m_dict;
    std::unique_ptr<data::Session> m_session;

private:
    QString whereSql(const data::RecordLayout &layout, const FieldList &where, QVariantList &params);
};

std::string tarvoStoreName(const ::testing::TestParamInfo<data::StoreKind> &info);

#define TARVO_REAL_STORE_SUITE(Suite)                                                            \
    INSTANTIATE_TEST_SUITE_P(Stores, Suite,                                                      \
                             ::testing::Values(::tarvo::data::StoreKind::Sqlite,                 \
                                               ::tarvo::data::StoreKind::Postgres),              \
                             ::tarvo::test::tarvoStoreName)

} // namespace tarvo::test
