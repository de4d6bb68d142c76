#pragma once

#include "platform/data/Dictionary.h"
#include "platform/data/ErrorReporter.h"
#include "platform/data/Record.h"
#include "platform/data/Session.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QVariant>

#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

namespace tarvo::test {

// Records the file errors the managers report, and answers their questions from a script (No
// when it has run out).
class FileErrorLog final : public data::ErrorReporter {
  public:
    int report(const data::FileError &error) override
    {
        errors.push_back(error);
        if (answers.empty())
            return 4; // No
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<data::FileError> errors;
    std::deque<int> answers;
};

using FieldValues = std::vector<std::pair<QString, QVariant>>;

// A fresh data folder with the program's own dictionary, on SQLite unless the folder's Database.ini
// names another store, and a session for context 1.
class TarvoDataFixture : public ::testing::Test {
  protected:
    void SetUp() override;

    data::Session &session() { return *m_session; }
    // Adds a record through the file manager; fails the test when it cannot.
    data::Record add(const QString &label, const FieldValues &values);
    // The records of a file in the order of a key (stored order without one).
    std::vector<data::Record> records(const QString &label, const QString &keyName = QString());
    // One value of an SQL query on the store.
    QVariant scalar(const QString &sql);
    void exec(const QString &sql);

    TempDir m_dir;
    FileErrorLog m_errors;
    ScriptedMessages m_messages;
    std::unique_ptr<data::Dictionary> m_dict;
    std::unique_ptr<data::Session> m_session;
};

} // namespace tarvo::test
