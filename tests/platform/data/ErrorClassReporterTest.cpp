#include "platform/data/ErrorClassReporter.h"

#include "DataTestSupport.h"
#include "platform/runtime/ErrorClass.h"
#include "platform/runtime/Messages.h"
#include "support/ScriptedMessages.h"

using namespace tarvo::data;

namespace tarvo::test {

namespace {

class ErrorClassReporterTest : public ::testing::Test {
  protected:
    void SetUp() override { m_errors.init(QStringLiteral("English")); }

    ErrorClass m_errors;
    ErrorClassReporter m_reporter{m_errors};
    ScriptedMessages m_messages;
};

} // namespace

TEST_F(ErrorClassReporterTest, DuplicateKeyNamesTheKeyInItsMessage)
{
    TempDir dir;
    auto dict = Dictionary::open(testDictionary(), dir.path());
    ASSERT_TRUE(dict.ok());
    auto session = (*dict)->createSession(1, &m_reporter);
    FileManager &customers = *session->file(QStringLiteral("Customer"));
    for (int i = 0; i < 2; ++i) {
        Record c = customers.newRecord();
        c.setValue(QStringLiteral("Name"), QStringLiteral("Twin"));
        const bool added = customers.insert(c).ok();
        EXPECT_EQ(added, i == 0);
    }
    const QString key =
        customers.layout().keyDescription(customers.layout().keyIndex(QStringLiteral("KeyName")));
    ASSERT_EQ(m_messages.requests().size(), 1u);
    const MessageRequest shown = m_messages.requests().front();
    EXPECT_EQ(shown.title, QStringLiteral("Duplicate Key Error"));
    EXPECT_EQ(shown.text, QStringLiteral("Adding this record creates a duplicate entry for the key: ") + key);
    EXPECT_EQ(m_errors.file(), dir.file(QStringLiteral("Tarvo.db")) + QStringLiteral(" (table Customer)"));
}

TEST_F(ErrorClassReporterTest, QuestionReturnsTheUsersButton)
{
    FileError error;
    error.messageNumber = 35;
    error.file = QStringLiteral("Bugs");
    error.key = QStringLiteral("BUG:KeyID");
    error.errorText = QStringLiteral("Creates Duplicate Key");
    error.errorCode = 40;
    m_messages.answer(Button::Yes);
    m_messages.answer(Button::No);
    EXPECT_EQ(m_reporter.report(error), Button::Yes);
    EXPECT_EQ(m_reporter.report(error), Button::No);
    ASSERT_EQ(m_messages.requests().size(), 2u);
    EXPECT_EQ(m_messages.requests().front().title, QStringLiteral("Auto Increment Error"));
    EXPECT_EQ(m_messages.requests().front().buttons, Button::Yes | Button::No);
}

TEST_F(ErrorClassReporterTest, NoEntryShowsTheErrorText)
{
    FileError error;
    error.file = QStringLiteral("Bugs");
    error.errorText = QStringLiteral("disk I/O error");
    error.errorCode = 90;
    EXPECT_EQ(m_reporter.report(error), Button::Ok);
    ASSERT_EQ(m_messages.requests().size(), 1u);
    EXPECT_EQ(m_messages.requests().front().text, QStringLiteral("disk I/O error (90)"));
    EXPECT_EQ(m_messages.requests().front().title, QStringLiteral("Error"));
}

} // namespace tarvo::test
