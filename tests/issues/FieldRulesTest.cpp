#include "issues/FieldRules.h"

#include "IssueStoreTest.h"
#include "core/dictionary/TarvoDictionary.h"
#include "issues/IssueFieldRules.h"
#include "issues/IssueHistory.h"
#include "platform/runtime/DayDate.h"

namespace tarvo::test {

using issues::FieldRule;
using issues::IssueFieldRules;
using issues::IssueHistory;

namespace {

class FieldRulesTest : public IssueStoreTest {
  protected:
    void SetUp() override
    {
        IssueStoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        data::Record &bug = bugBuffer();
        bug = fm(QStringLiteral("Bugs")).newRecord();
        bug.setValue(QStringLiteral("ID"), 7);
        bug.setValue(QStringLiteral("PrgID"), 3);
    }

    // A FieldConfig row for the tested field, its condition and the values it sets.
    void addRule(const QString &tested, const QString &condition,
                 const std::vector<std::tuple<QString, QString, int, int>> &sets)
    {
        if (count(QStringLiteral("FieldConfig"), {{QStringLiteral("FIELD"), tested}}) == 0)
            add(QStringLiteral("FieldConfig"), {{QStringLiteral("FIELD"), tested}});
        const data::Record c =
            add(QStringLiteral("FieldConditions"),
                {{QStringLiteral("FIELD"), tested}, {QStringLiteral("CONDITION"), condition}});
        for (const auto &[field, value, required, readOnly] : sets) {
            add(QStringLiteral("FieldSetValue"), {{QStringLiteral("ID"), c.value(QStringLiteral("ID"))},
                                                  {QStringLiteral("FIELD"), field},
                                                  {QStringLiteral("VALUE"), value},
                                                  {QStringLiteral("REQUIRED"), required},
                                                  {QStringLiteral("READONLY"), readOnly}});
        }
    }

    std::vector<FieldRule> rules()
    {
        auto loaded = issues::loadFieldRules(session());
        EXPECT_TRUE(loaded.ok());
        return loaded ? *loaded : std::vector<FieldRule>{};
    }

    IssueFieldRules formRules()
    {
        auto config = issues::loadFieldConfig(session());
        EXPECT_TRUE(config.ok());
        return IssueFieldRules(session(), config ? *config : std::vector<issues::FieldConfigRow>{}, rules());
    }

    // Changes a field as its control would and lets the rules run.
    bool change(IssueFieldRules &form, IssueHistory &history, const QString &label, const QString &value,
                bool changeRequest = true)
    {
        data::Record &bug = bugBuffer();
        const QString old = bug.value(label).toString();
        bug.setValue(label, value);
        auto applied =
            form.applyChange(bug, label, QStringLiteral("@s35"), old, value, changeRequest, history);
        EXPECT_TRUE(applied.ok());
        return applied.ok() && *applied;
    }

    std::vector<data::Record> historyRows()
    {
        return records(QStringLiteral("History"), QStringLiteral("KeyIDDateTime"));
    }
};

TEST_P(FieldRulesTest, LoaderFlattensConditionsAndSkipsThoseWithoutConfiguration)
{
    EXPECT_TRUE(rules().empty());
    addRule(QStringLiteral("BUG:Status"), QStringLiteral("Closed"),
            {{QStringLiteral("BUG:FixedBy"), QStringLiteral("^Logged_In_UserInitials^"), 0, 0},
             {QStringLiteral("BUG:FixedDate"), QStringLiteral("^Date^"), 0, 1}});
    addRule(QStringLiteral("BUG:Priority"), QStringLiteral("High"),
            {{QStringLiteral("BUG:Responsible"), QString(), 1, 0}});
    add(QStringLiteral("FieldConditions"), {{QStringLiteral("FIELD"), QStringLiteral("BUG:Severity")},
                                            {QStringLiteral("CONDITION"), QStringLiteral("x")}});
    const auto loaded = rules();
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_EQ(loaded[0].testedLabel, QStringLiteral("BUG:Priority"));
    EXPECT_TRUE(loaded[0].required);
    EXPECT_EQ(loaded[1].targetLabel, QStringLiteral("BUG:FixedBy"));
    EXPECT_EQ(loaded[2].targetLabel, QStringLiteral("BUG:FixedDate"));
    EXPECT_EQ(loaded[2].condition, QStringLiteral("Closed"));
    EXPECT_TRUE(loaded[2].readOnly);
}

TEST_P(FieldRulesTest, ConfigurationMarksAlwaysAndFillsDefaultsOnInsertOnly)
{
    m_access.values.insert(QStringLiteral("BEN:NAME"), QStringLiteral("Jane Doe"));
    add(QStringLiteral("FieldConfig"),
        {{QStringLiteral("FIELD"), QStringLiteral("BUG:Responsible")},
         {QStringLiteral("DEFAULT"), QStringLiteral("^Logged_In_UserInitials^")},
         {QStringLiteral("REQUIRED"), 1}});
    add(QStringLiteral("FieldConfig"), {{QStringLiteral("FIELD"), QStringLiteral("BUG:ReportedBy")},
                                        {QStringLiteral("DEFAULT"), QStringLiteral("^Logged_In_UserName^")}});
    add(QStringLiteral("FieldConfig"), {{QStringLiteral("FIELD"), QStringLiteral("bug:status")},
                                        {QStringLiteral("DEFAULT"), QStringLiteral("Open")},
                                        {QStringLiteral("READONLY"), 1}});
    add(QStringLiteral("FieldConfig"), {{QStringLiteral("FIELD"), QStringLiteral("BUG:Nonsense")},
                                        {QStringLiteral("DEFAULT"), QStringLiteral("x")},
                                        {QStringLiteral("REQUIRED"), 1}});
    IssueFieldRules change = formRules();
    change.configure(bugBuffer(), false);
    EXPECT_TRUE(bugBuffer().text(QStringLiteral("Responsible")).isEmpty());
    EXPECT_TRUE(change.isRequired(QStringLiteral("BUG:Responsible")));
    EXPECT_TRUE(change.isReadOnly(QStringLiteral("BUG:Status")));
    EXPECT_EQ(change.required().size(), 1);

    IssueFieldRules insert = formRules();
    insert.configure(bugBuffer(), true);
    EXPECT_EQ(bugBuffer().text(QStringLiteral("Responsible")), QStringLiteral("JDO"));
    EXPECT_EQ(bugBuffer().text(QStringLiteral("ReportedBy")), QStringLiteral(" Jane Doe")); // no addition
    EXPECT_EQ(bugBuffer().text(QStringLiteral("Status")), QStringLiteral("Open"));
}

TEST_P(FieldRulesTest, RulesSetValuesAndLeaveMarksThatStay)
{
    add(QStringLiteral("Releases"),
        {{QStringLiteral("PRGID"), 3}, {QStringLiteral("Release"), QStringLiteral("1.10")}});
    add(QStringLiteral("Releases"),
        {{QStringLiteral("PRGID"), 3}, {QStringLiteral("Release"), QStringLiteral("1.9")}});
    addRule(QStringLiteral("BUG:Status"), QStringLiteral("Fixed"),
            {{QStringLiteral("BUG:FixedVersion"), QStringLiteral("^Newest_Version^"), 0, 1},
             {QStringLiteral("BUG:FixedDate"), QStringLiteral("^Date^"), 0, 0},
             {QStringLiteral("BUG:Resolution"), QStringLiteral("Never set"), 1, 0}});
    IssueFieldRules form = formRules();
    IssueHistory history(session(), settings());
    EXPECT_TRUE(change(form, history, QStringLiteral("BUG:Status"), QStringLiteral("Fixed")));
    EXPECT_EQ(bugBuffer().text(QStringLiteral("FixedVersion")), QStringLiteral("1.9")); // text order
    EXPECT_EQ(bugBuffer().integer(QStringLiteral("FixedDate")), DayDate::fromDate(QDate(2024, 3, 5)));
    EXPECT_TRUE(bugBuffer().text(QStringLiteral("Resolution")).isEmpty());
    EXPECT_TRUE(form.isReadOnly(QStringLiteral("BUG:FixedVersion")));
    EXPECT_TRUE(form.isRequired(QStringLiteral("BUG:Resolution")));

    EXPECT_FALSE(change(form, history, QStringLiteral("BUG:Status"), QStringLiteral("Open")));
    EXPECT_TRUE(form.isReadOnly(QStringLiteral("BUG:FixedVersion")));
    EXPECT_TRUE(form.isRequired(QStringLiteral("BUG:Resolution")));
}

TEST_P(FieldRulesTest, NewestVersionOfAProgramWithoutReleasesLeavesTheTarget)
{
    addRule(QStringLiteral("BUG:Status"), QStringLiteral("Fixed"),
            {{QStringLiteral("BUG:FixedVersion"), QStringLiteral("^Newest_Version^"), 0, 0}});
    bugBuffer().setValue(QStringLiteral("FixedVersion"), QStringLiteral("2.0"));
    IssueFieldRules form = formRules();
    IssueHistory history(session(), settings());
    EXPECT_FALSE(change(form, history, QStringLiteral("BUG:Status"), QStringLiteral("Fixed")));
    EXPECT_EQ(bugBuffer().text(QStringLiteral("FixedVersion")), QStringLiteral("2.0"));
}

TEST_P(FieldRulesTest, EachChangeWritesOneHistoryRowChainedOnItsOldContents)
{
    IssueFieldRules form = formRules();
    IssueHistory history(session(), settings());
    bugBuffer().setValue(QStringLiteral("Status"), QStringLiteral("New"));
    change(form, history, QStringLiteral("BUG:Status"), QStringLiteral("Open"));
    setNow(m_now.addSecs(1));
    change(form, history, QStringLiteral("BUG:Status"), QStringLiteral("Closed"));
    const auto rows = historyRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].text(QStringLiteral("Contents_Old")), QStringLiteral("Open")); // newest first
    EXPECT_EQ(rows[0].text(QStringLiteral("Contents_New")), QStringLiteral("Closed"));
    EXPECT_EQ(rows[1].text(QStringLiteral("Contents_Old")), QStringLiteral("New"));
    EXPECT_EQ(history.written().size(), 2u);
}

TEST_P(FieldRulesTest, InsertAndSwitchedOffHistoryWriteNoRowsButRulesStillApply)
{
    addRule(QStringLiteral("BUG:Status"), QStringLiteral("Open"),
            {{QStringLiteral("BUG:Priority"), QStringLiteral("High"), 0, 0}});
    IssueFieldRules form = formRules();
    IssueHistory history(session(), settings());
    EXPECT_TRUE(change(form, history, QStringLiteral("BUG:Status"), QStringLiteral("Open"), false));
    setSettings({{QStringLiteral("DISABLEHISTORY"), 1}});
    IssueFieldRules quiet = formRules();
    IssueHistory none(session(), settings());
    bugBuffer().setValue(QStringLiteral("Priority"), QString());
    EXPECT_TRUE(change(quiet, none, QStringLiteral("BUG:Status"), QStringLiteral("Open")));
    EXPECT_EQ(bugBuffer().text(QStringLiteral("Priority")), QStringLiteral("High"));
    EXPECT_TRUE(historyRows().empty());
}

TEST_P(FieldRulesTest, TakeBackRemovesExactlyTheRowsThisFormWroteAcrossMidnight)
{
    IssueFieldRules form = formRules();
    IssueHistory history(session(), settings());
    setNow(QDateTime(QDate(2024, 3, 5), QTime(23, 55)));
    change(form, history, QStringLiteral("BUG:Status"), QStringLiteral("Open"));
    // Another form's entry for the same issue at the same moment is not this form's to remove.
    IssueHistory other(session(), settings());
    (void)other.add(QStringLiteral("BUG:Priority"), QStringLiteral("@s35"), QString(),
                    QStringLiteral("High"));
    setNow(QDateTime(QDate(2024, 3, 6), QTime(0, 5)));
    change(form, history, QStringLiteral("BUG:Status"), QStringLiteral("Closed"));
    ASSERT_EQ(historyRows().size(), 3u);
    ASSERT_TRUE(history.takeBack().ok());
    const auto rows = historyRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text(QStringLiteral("FIELD")), QStringLiteral("BUG:Priority"));
    EXPECT_TRUE(history.takeBack().ok()); // nothing left to take back
    EXPECT_EQ(historyRows().size(), 1u);
}

} // namespace

TARVO_REAL_STORE_SUITE(FieldRulesTest);

namespace {

struct ConditionCase {
    const char *label;
    QVariant value;
    const char *condition;
    bool holds;
};

class HoldsTest : public ::testing::TestWithParam<ConditionCase> {};

TEST_P(HoldsTest, ComparesTextsClippedAndNumbersAsDigits)
{
    static const auto layout = data::RecordLayout::make(core::bugsFile());
    data::Record bug(layout);
    bug.setValue(QString::fromLatin1(GetParam().label), GetParam().value);
    EXPECT_EQ(IssueFieldRules::holds(bug, QString::fromLatin1(GetParam().label),
                                     QString::fromLatin1(GetParam().condition)),
              GetParam().holds);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, HoldsTest,
    ::testing::Values(ConditionCase{"BUG:Status", QStringLiteral("Open"), "Open  ", true},
                      ConditionCase{"BUG:Status", QStringLiteral("Open"), "open", false},
                      ConditionCase{"BUG:Status", QString(), "", true},
                      ConditionCase{"BUG:Category", 2, "2", true},
                      ConditionCase{"BUG:Category", 2, "3", false},
                      ConditionCase{"BUG:Network", 0, "", false},
                      ConditionCase{"BUG:Nonsense", 0, "0", false},
                      ConditionCase{"bug:status", QStringLiteral("Open"), "Open", false}));

} // namespace

} // namespace tarvo::test
