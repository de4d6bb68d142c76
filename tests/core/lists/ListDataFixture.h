#pragma once

#include "platform/data/Dictionary.h"
#include "platform/data/ErrorReporter.h"
#include "platform/data/Session.h"
#include "support/TempDir.h"

#include <QVariant>

#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

namespace tarvo::test {

// Counts the file errors the managers report, answering No.
class CountingFileErrors final : public data::ErrorReporter {
  public:
    int report(const data::FileError &) override
    {
        ++count;
        return 4;
    }
    int count = 0;
};

// A fresh data folder with the program's dictionary on SQLite and the session of one thread,
// for the list fillers that read through it.
class ListDataFixture : public ::testing::Test {
  protected:
    using Values = std::vector<std::pair<QString, QVariant>>;

    void SetUp() override;
    void TearDown() override;

    data::Session &session() { return *m_session; }
    // Adds a record through the file manager; fails the test when it cannot.
    void add(const QString &label, const Values &values);
    // Removes a file's table behind the manager's back, so that the next read fails.
    void dropTable(const QString &label);
    // Makes the settings record of the run hold these values.
    void setSettings(const Values &values);

    TempDir m_dir;
    CountingFileErrors m_errors;
    std::unique_ptr<data::Dictionary> m_dict;
    std::unique_ptr<data::Session> m_session;
};

} // namespace tarvo::test
