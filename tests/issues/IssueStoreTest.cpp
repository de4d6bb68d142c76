#include "IssueStoreTest.h"

#include "core/services/Services.h"
#include "platform/runtime/Clock.h"

namespace tarvo::test {

void IssueStoreTest::SetUp()
{
    TarvoStoreTest::SetUp();
    if (IsSkipped() || HasFatalFailure())
        return;
    m_access.userCode = QStringLiteral("JDO");
    core::Services::setAccess(&m_access);
    m_mail = std::make_unique<RecordingMail>(session());
    core::Services::setMail(m_mail.get());
    setNow(QDateTime(QDate(2024, 3, 5), QTime(14, 30, 15)));
    setSettings({});
}

void IssueStoreTest::TearDown()
{
    Clock::setSource({});
    core::Services::setMail(nullptr);
    core::Services::setAccess(nullptr);
    m_mail.reset();
    TarvoStoreTest::TearDown();
}

void IssueStoreTest::setSettings(const FieldValues &values)
{
    m_settings = session().file(QStringLiteral("Parameter"))->newRecord();
    for (const auto &[name, value] : values)
        EXPECT_TRUE(m_settings.setValue(name, value)) << name.toStdString();
}

void IssueStoreTest::setNow(const QDateTime &now)
{
    m_now = now;
    Clock::setSource([this] { return m_now; });
}

void IssueStoreTest::addRule(const QString &description, int category, const QString &eventField,
                             const QString &eventValue, bool onInsert)
{
    add(QStringLiteral("EMailEvents"), {{QStringLiteral("Description"), description},
                                        {QStringLiteral("Category"), category},
                                        {QStringLiteral("EventField"), eventField},
                                        {QStringLiteral("EventValue"), eventValue},
                                        {QStringLiteral("EventInsert"), onInsert ? 1 : 0}});
}

data::Record &IssueStoreTest::bugBuffer()
{
    return session().file(QStringLiteral("Bugs"))->buffer();
}

} // namespace tarvo::test
