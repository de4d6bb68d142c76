#include "issues/IssueMassUpdate.h"

#include "core/dictionary/TarvoStoreTest.h"
#include "core/lists/FakeAccessServices.h"
#include "core/services/Services.h"

namespace tarvo::issues {

namespace {

class IssueMassUpdateTest : public test::TarvoStoreTest {
  protected:
    void SetUp() override
    {
        TarvoStoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        core::Services::setAccess(&m_access);
        m_settings = fm(QStringLiteral("Parameter")).newRecord();
        m_settings.setValue(QStringLiteral("FIELD2ENABLED"), 1);
        m_settings.setValue(QStringLiteral("FIELDTYPE2"), QStringLiteral("Combo box"));
        m_settings.setValue(QStringLiteral("FIELDCHOICES2"), QStringLiteral("red\r\ngreen"));
        for (int id = 1; id <= 4; ++id)
            add(QStringLiteral("Bugs"), {{QStringLiteral("Status"), QStringLiteral("New")},
                                         {QStringLiteral("StatusSort"), 1},
                                         {QStringLiteral("Responsible"), QStringLiteral("OLD")},
                                         {QStringLiteral("AllResponsiblePersons"), QStringLiteral("OLD")}});
        add(QStringLiteral("BugsResponsible"),
            {{QStringLiteral("ID"), 2}, {QStringLiteral("RESPONSIBLE"), QStringLiteral("ZED")}});
        add(QStringLiteral("BugsResponsible"),
            {{QStringLiteral("ID"), 2}, {QStringLiteral("RESPONSIBLE"), QStringLiteral("AMY")}});
        add(QStringLiteral("FieldConfig"),
            {{QStringLiteral("FIELD"), QStringLiteral("BUG:Severity")}, {QStringLiteral("NOMASSUPDATE"), 1}});
    }
    void TearDown() override
    {
        core::Services::setAccess(nullptr);
        TarvoStoreTest::TearDown();
    }

    const core::StatusQueue m_statuses = {{QStringLiteral("New"), 0, false, 1},
                                          {QStringLiteral("Closed"), 0, true, 9}};
    const std::vector<core::PriorityQueueEntry> m_priorities = {{QStringLiteral("High"), 3, 0}};
    test::FakeAccessServices m_access;
    data::Record m_settings;
};

} // namespace

TEST_P(IssueMassUpdateTest, OffersNeitherTheNumberNorWhatTheProgramKeeps)
{
    IssueMassUpdate run(session(), m_settings);
    auto offered = run.offeredFields();
    ASSERT_TRUE(offered.ok()) << offered.error().message.toStdString();
    for (const char *name : {"BUG:ID", "BUG:Gray", "BUG:StatusSort", "BUG:AllResponsiblePersons",
                             "BUG:Severity", "BUG:CustomField1"})
        EXPECT_EQ(offered->field(QLatin1String(name)), nullptr) << name;
    for (const char *name : {"BUG:Status", "BUG:Responsible", "BUG:CustomField2", "BUG:DueDate"})
        EXPECT_NE(offered->field(QLatin1String(name)), nullptr) << name;

    auto choices = run.choices(0, m_statuses, m_priorities, {{QStringLiteral("AMY"), {}, {}}});
    ASSERT_TRUE(choices.ok());
    const query::MassUpdate update(*offered, *choices);
    std::map<QString, query::FieldEditor::Kind> kinds;
    for (const auto &e : update.editors())
        kinds[e.field->name] = e.kind;
    using K = query::FieldEditor::Kind;
    EXPECT_EQ(kinds[QStringLiteral("BUG:Status")], K::DropList);
    EXPECT_EQ(kinds[QStringLiteral("BUG:CustomField2")], K::ComboBox);
    EXPECT_EQ(kinds[QStringLiteral("BUG:Responsible")], K::ComboBox);
    EXPECT_EQ(kinds[QStringLiteral("BUG:Description")], K::Entry);
    // No program selected: no releases, priorities or program files to choose from.
    EXPECT_EQ(choices->find(QStringLiteral("BUG:VERSION")), nullptr);
    EXPECT_EQ(choices->find(QStringLiteral("BUG:PRIORITY")), nullptr);
    EXPECT_EQ(choices->find(QStringLiteral("BUG:CUSTOMFIELD2"))->choices,
              (QStringList{QStringLiteral("red"), QStringLiteral("green")}));
}

TEST_P(IssueMassUpdateTest, WritesDerivedFieldsAndOneHistoryEntryPerChangedField)
{
    IssueMassUpdate run(session(), m_settings);
    auto offered = run.offeredFields();
    ASSERT_TRUE(offered.ok());
    auto choices = run.choices(0, m_statuses, m_priorities, {});
    ASSERT_TRUE(choices.ok());
    query::MassUpdate update(*offered, *choices);
    ASSERT_TRUE(update.setValue(QStringLiteral("BUG:Status"), QStringLiteral("Closed")).ok());
    ASSERT_TRUE(update.setValue(QStringLiteral("BUG:Responsible"), QStringLiteral("BOB")).ok());
    ASSERT_TRUE(update.setValue(QStringLiteral("BUG:Priority"), QStringLiteral("High")).ok());

    // Issue 3 already holds every value but the status; issue 99 is gone.
    data::Record three = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), 3}});
    three.setValue(QStringLiteral("Responsible"), QStringLiteral("BOB"));
    three.setValue(QStringLiteral("Priority"), QStringLiteral("High"));
    ASSERT_TRUE(fm(QStringLiteral("Bugs")).update(three).ok());

    std::vector<qint64> notified;
    run.afterChange = [&](const data::Record &issue) {
        notified.push_back(issue.integer(QStringLiteral("ID")));
    };
    auto outcome = run.run({2, 3, 99}, update, m_statuses, m_priorities);
    ASSERT_TRUE(outcome.ok()) << outcome.error().message.toStdString();
    EXPECT_EQ(outcome->changed, 2);
    EXPECT_EQ(outcome->missing, 1);
    EXPECT_EQ(notified, (std::vector<qint64>{2, 3}));

    const data::Record two = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), 2}});
    EXPECT_EQ(two.text(QStringLiteral("Status")), QStringLiteral("Closed"));
    EXPECT_EQ(two.integer(QStringLiteral("StatusSort")), 9);
    EXPECT_EQ(two.integer(QStringLiteral("Gray")), 1);
    EXPECT_EQ(two.integer(QStringLiteral("PrioritySort")), 3);
    EXPECT_EQ(two.text(QStringLiteral("AllResponsiblePersons")), QStringLiteral("BOB|AMY|ZED"));
    EXPECT_EQ(one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), 1}}).text(QStringLiteral("Status")),
              QStringLiteral("New"));

    EXPECT_EQ(count(QStringLiteral("History"), {{QStringLiteral("ID"), 2}}), 3);
    EXPECT_EQ(count(QStringLiteral("History"), {{QStringLiteral("ID"), 3}}), 1);
    const data::Record entry =
        one(QStringLiteral("History"),
            {{QStringLiteral("ID"), 3}, {QStringLiteral("FIELD"), QStringLiteral("BUG:Status")}});
    EXPECT_EQ(entry.text(QStringLiteral("Contents_Old")), QStringLiteral("New"));
    EXPECT_EQ(entry.text(QStringLiteral("Contents_New")), QStringLiteral("Closed"));
}

TEST_P(IssueMassUpdateTest, WritesNoHistoryWhileItIsOff)
{
    m_settings.setValue(QStringLiteral("DISABLEHISTORY"), 1);
    IssueMassUpdate run(session(), m_settings);
    auto offered = run.offeredFields();
    ASSERT_TRUE(offered.ok());
    query::MassUpdate update(*offered, {});
    ASSERT_TRUE(update.setValue(QStringLiteral("BUG:Description"), QStringLiteral("Same for all")).ok());
    auto outcome = run.run({1, 2, 3, 4}, update, m_statuses, m_priorities);
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome->changed, 4);
    EXPECT_EQ(
        count(QStringLiteral("Bugs"), {{QStringLiteral("Description"), QStringLiteral("Same for all")}}), 4);
    EXPECT_EQ(count(QStringLiteral("History")), 0);
}

TARVO_REAL_STORE_SUITE(IssueMassUpdateTest);

} // namespace tarvo::issues
