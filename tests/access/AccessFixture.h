#pragma once

#include "access/AccessRecords.h"
#include "access/AccessRepository.h"
#include "platform/data/Store.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QDate>

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace tarvo::access::test {

// A fresh library state over a new data folder and program folder in a temporary directory; the
// messages are answered by a script. The store is made as the login makes it (answering Yes).
class AccessFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    QString dataFolder() const { return m_dir.path() + QStringLiteral("/data"); }
    QString programFolder() const { return m_dir.path() + QStringLiteral("/Tarvo"); }
    // Creates the store with the shipped catalogue (English texts).
    void createStore();
    // A user with this code and password; edit adjusts the record before it is saved.
    UserRecord addUser(const QString &code, const QString &password,
                       const std::function<void(UserRecord &)> &edit = {});
    UserRecord storedUser(const QString &code);
    void setOptions(const std::function<void(OptionsRecord &)> &edit);
    static qint32 dayOf(const QDate &date);
    static qint32 today();

    tarvo::test::TempDir m_dir;
    tarvo::test::ScriptedMessages m_messages;
};

// The access store in a temporary data folder: "Vuvuzu.db", or the schema "vuvuzu" on the
// private PostgreSQL server of this test run when the folder's Database.ini points there.
class Store : public AccessFixture, public ::testing::WithParamInterface<data::StoreKind> {
  protected:
    void SetUp() override;
    virtual bool createsStore() const { return true; }
    std::shared_ptr<AccessRepository> m_repo;
};

std::string storeName(const ::testing::TestParamInfo<data::StoreKind> &info);

} // namespace tarvo::access::test
