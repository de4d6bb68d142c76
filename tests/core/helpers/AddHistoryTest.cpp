#include "core/helpers/AddHistory.h"

#include "../conversions/TarvoDataFixture.h"
#include "core/lists/FakeAccessServices.h"
#include "core/services/Services.h"
#include "platform/data/FileManager.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/DayDate.h"

namespace tarvo::test {

namespace {

class AddHistoryTest : public TarvoDataFixture {
  protected:
    void SetUp() override
    {
        TarvoDataFixture::SetUp();
        m_access.userCode = QStringLiteral("MAXWELL");
        core::Services::setAccess(&m_access);
        Clock::setSource([] { return QDateTime(QDate(2024, 3, 5), QTime(14, 30, 15)); });
        session().file(QStringLiteral("Bugs"))->buffer().setValue(QStringLiteral("ID"), 42);
        m_settings = session().file(QStringLiteral("Parameter"))->newRecord();
    }
    void TearDown() override
    {
        Clock::setSource({});
        core::Services::setAccess(nullptr);
    }

    FakeAccessServices m_access;
    data::Record m_settings;
};

} // namespace

TEST_F(AddHistoryTest, WritesOneEntryWithCutPictureAndInitials)
{
    const QString picture = QString(40, QLatin1Char('p'));
    core::AddHistory(session(), m_settings, QStringLiteral("BUG:Status  "), picture, QStringLiteral("Open  "),
                     QStringLiteral("Closed"));
    const auto entries = records(QStringLiteral("History"));
    ASSERT_EQ(entries.size(), 1u);
    const data::Record &e = entries[0];
    EXPECT_EQ(e.integer(QStringLiteral("ID")), 42);
    EXPECT_EQ(e.text(QStringLiteral("FIELD")), QStringLiteral("BUG:Status"));
    EXPECT_EQ(e.text(QStringLiteral("FORMAT")), QString(35, QLatin1Char('p')));
    EXPECT_EQ(e.text(QStringLiteral("INITIALS")), QStringLiteral("MAX"));
    EXPECT_EQ(e.integer(QStringLiteral("DATE")), DayDate::fromDate(QDate(2024, 3, 5)));
    EXPECT_EQ(e.integer(QStringLiteral("TIME")), DayDate::fromTime(QTime(14, 30, 15)));
    EXPECT_EQ(e.text(QStringLiteral("Contents_Old")), QStringLiteral("Open"));
    EXPECT_EQ(e.text(QStringLiteral("Contents_New")), QStringLiteral("Closed"));
    EXPECT_TRUE(m_messages.stops().isEmpty());
}

TEST_F(AddHistoryTest, WritesNothingWhenHistoryIsOff)
{
    m_settings.setValue(QStringLiteral("DISABLEHISTORY"), 1);
    core::AddHistory(session(), m_settings, QStringLiteral("BUG:Status"), QStringLiteral("@s35"),
                     QStringLiteral("Open"), QStringLiteral("Closed"));
    EXPECT_TRUE(records(QStringLiteral("History")).empty());
}

} // namespace tarvo::test
