#pragma once

#include "platform/data/Dictionary.h"
#include "platform/data/ErrorReporter.h"
#include "platform/data/FileManager.h"
#include "platform/data/RelationManager.h"
#include "platform/data/Session.h"
#include "platform/data/Store.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace tarvo::test {

// Records every reported file error and answers questions with a set button.
class RecordingReporter final : public data::ErrorReporter {
  public:
    int report(const data::FileError &error) override
    {
        errors.push_back(error);
        return answer;
    }
    bool has(int messageNumber) const
    {
        for (const auto &e : errors)
            if (e.messageNumber == messageNumber)
                return true;
        return false;
    }
    std::vector<data::FileError> errors;
    int answer = 4; // No
};

// Builders that keep the test dictionary readable.
data::FieldDecl field(const QString &name, data::FieldType type, int size = 0, int places = 0);
data::KeyDecl key(const QString &name, std::vector<data::KeyComponent> components, bool unique = false,
                  bool autoNumber = false, bool caseInsensitive = false);

// A small dictionary with what the managers must carry: Customer (autonumber, case-insensitive
// unique name) with Contact and Note below it (cascading update and delete) and Invoice
// (restricted delete, declared last); an alias of Customer; Issue (descending keys, memo, BLOB,
// dynamic index) with a mail log shared with MassMail by Type; Print with a range check and
// insert defaults.
data::DictionaryDecl testDictionary();

// A test that runs once on SQLite and once on the PostgreSQL test server.
class StoreTest : public ::testing::TestWithParam<data::StoreKind> {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the folder's store with the dictionary and a session for context 1.
    void openDictionary(const data::DictionaryDecl &decl = testDictionary());
    void closeDictionary();
    data::FileManager &fm(const QString &label) { return *m_session->file(label); }
    data::RelationManager &rm(const QString &label) { return *m_session->relations(label); }
    // Adds a record with the given fields; fails the test when the insert fails.
    data::Record add(const QString &label, const std::vector<std::pair<QString, QVariant>> &values);
    qint64 count(const QString &label, const QString &where = QString());
    // How messages name a table of the test's store: its file, or its schema on the server.
    QString storedName(const QString &table) const;

    TempDir m_dir;
    RecordingReporter m_reporter;
    std::unique_ptr<data::Dictionary> m_dict;
    std::unique_ptr<data::Session> m_session;
};

// 25 issues: even IDs in program 1, odd in 2; every third closed; Gray alternating; titles
// repeating every four issues, so that orders on them have long runs of equal values across
// every page boundary; a memo and bytes in each.
class TwentyFiveIssuesTest : public StoreTest {
  protected:
    void SetUp() override;
};

// The ID field of each record, in order.
std::vector<qint64> ids(const std::vector<data::Record> &rows);

std::string storeName(const ::testing::TestParamInfo<data::StoreKind> &info);

#define TARVO_STORE_TEST_SUITE(Suite)                                                                        \
    INSTANTIATE_TEST_SUITE_P(                                                                                \
        Stores, Suite,                                                                                       \
        ::testing::Values(::tarvo::data::StoreKind::Sqlite, ::tarvo::data::StoreKind::Postgres),             \
        ::tarvo::test::storeName)

} // namespace tarvo::test
