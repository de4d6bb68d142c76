#include "issues/IssueDetailEdit.h"

#include "core/dictionary/TarvoStoreTest.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/DayDate.h"

#include <QDateTime>

namespace tarvo::issues {

namespace {

struct EditCase {
    const char *name;
    const char *field;
    QVariant value;
    QVariant stored; // what the issue holds afterwards
    bool refused;    // the responsible code was refused
};

class IssueDetailEditTest : public test::TarvoStoreTest {
  protected:
    void SetUp() override
    {
        TarvoStoreTest::SetUp();
        add(QStringLiteral("Bugs"), {{QStringLiteral("Description"), QStringLiteral("Panel")},
                                     {QStringLiteral("Responsible"), QStringLiteral("XY")},
                                     {QStringLiteral("EstTime"), QStringLiteral("1h")}});
        Clock::setSource([] { return QDateTime(QDate(2026, 3, 4), QTime(10, 15)); });
    }
    void TearDown() override
    {
        Clock::setSource({});
        TarvoStoreTest::TearDown();
    }
    IssueDetailEdit edit()
    {
        return IssueDetailEdit(session(), core::SettingsValues(fm(QStringLiteral("Parameter")).newRecord()),
                               QStringLiteral("ABCD"));
    }
    std::vector<core::UserQueueEntry> users() const
    {
        core::UserQueueEntry ab;
        ab.userMak = QStringLiteral("AB");
        ab.userName = QStringLiteral("Anna Berg");
        return {ab};
    }
};

} // namespace

// Each field of the panel is written at once with the changed stamp of the user (his code cut to
// the stamp's three characters) and no history; a responsible code that is no user leaves the
// issue without a responsible person.
TEST_P(IssueDetailEditTest, WritesTheFieldAndTheStampAndNoHistory)
{
    const EditCase cases[] = {
        {"EstTime", "EstTime", QStringLiteral("3 days"), QStringLiteral("3 days"), false},
        {"DueDate", "DueDate", 82000, 82000, false},
        {"Text", "BugText", QStringLiteral("New text"), QStringLiteral("New text"), false},
        {"KnownResponsible", "Responsible", QStringLiteral("AB"), QStringLiteral("AB"), false},
        {"UnknownResponsible", "Responsible", QStringLiteral("ZZ"), QString(), true},
        {"BlankResponsible", "Responsible", QString(), QString(), false},
    };
    for (const EditCase &c : cases) {
        SCOPED_TRACE(c.name);
        auto done = edit().change(1, QLatin1String(c.field), c.value, users());
        ASSERT_TRUE(done.ok()) << done.error().message.toStdString();
        EXPECT_TRUE(done->written);
        EXPECT_EQ(done->responsibleRefused, c.refused);
        const data::Record stored = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), 1}});
        if (c.stored.typeId() == QMetaType::QString)
            EXPECT_EQ(stored.text(QLatin1String(c.field)).trimmed(), c.stored.toString());
        else
            EXPECT_EQ(stored.integer(QLatin1String(c.field)), c.stored.toLongLong());
        EXPECT_EQ(stored.text(QStringLiteral("ChangedBy")).trimmed(), QStringLiteral("ABC"));
        EXPECT_EQ(stored.integer(QStringLiteral("ChangedDate")), DayDate::fromDate(QDate(2026, 3, 4)));
        EXPECT_EQ(stored.text(QStringLiteral("Description")).trimmed(), QStringLiteral("Panel"));
    }
    EXPECT_EQ(count(QStringLiteral("History")), 0);
}

// An issue that is gone is not written and nothing is reported.
TEST_P(IssueDetailEditTest, AnIssueThatIsGoneIsLeftAlone)
{
    auto done = edit().change(99, QStringLiteral("EstTime"), QStringLiteral("2h"), users());
    ASSERT_TRUE(done.ok());
    EXPECT_FALSE(done->written);
    EXPECT_EQ(count(QStringLiteral("Bugs")), 1);
}

TARVO_REAL_STORE_SUITE(IssueDetailEditTest);

} // namespace tarvo::issues
