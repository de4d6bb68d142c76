#include "masterdata/options/FieldRuleStore.h"

#include "core/dictionary/TarvoStoreTest.h"
#include "core/startup/SettingsValues.h"
#include "issues/FieldRules.h"
#include "issues/IssueFieldRules.h"
#include "issues/IssueHistory.h"

#include <optional>

namespace tarvo::test {

using masterdata::FieldRuleOption;
using masterdata::FieldRuleStore;

TEST(FieldRuleOptions, FollowTheChosenField)
{
    const std::vector<std::pair<QString, FieldRuleOption>> cases = {
        {"BUG:Status", FieldRuleOption::ForceSelection},
        {"BUG:Responsible", FieldRuleOption::SpecialValue},
        {"BUG:CustomField10", FieldRuleOption::SpecialValue},
        {"BUG:OperatingSystemServicePack", FieldRuleOption::ForceSelection},
        {"BUG:Description", FieldRuleOption::None},
        {"BUG:Status   ", FieldRuleOption::ForceSelection},
        {"bug:status", FieldRuleOption::None},
        {"", FieldRuleOption::None},
    };
    for (const auto &[field, option] : cases)
        EXPECT_EQ(masterdata::fieldRuleOption(field), option) << field.toStdString();
}

class FieldRuleStoreTest : public TarvoStoreTest {
  protected:
    // The stored rules as the issue form loads them, applied to a new issue.
    std::optional<issues::IssueFieldRules> rulesOnNewIssue(data::Record &issue)
    {
        auto config = issues::loadFieldConfig(session());
        auto rules = issues::loadFieldRules(session());
        EXPECT_TRUE(config && rules);
        if (!config || !rules)
            return std::nullopt;
        std::optional<issues::IssueFieldRules> form(std::in_place, session(), *config, *rules);
        form->configure(issue, true);
        return form;
    }
};
TARVO_REAL_STORE_SUITE(FieldRuleStoreTest);

TEST_P(FieldRuleStoreTest, StoredRulesAreTheOnesTheIssueFormApplies)
{
    FieldRuleStore store(session());
    ASSERT_TRUE(store.addRule("BUG:Status", false, true, "", false));
    auto condition = store.addCondition("BUG:Status", "Closed");
    ASSERT_TRUE(condition);
    ASSERT_TRUE(store.addSetValue(*condition, "BUG:Resolution", "Fixed", false, false));
    ASSERT_TRUE(store.addSetValue(*condition, "BUG:FixedBy", "ignored", true, false));
    EXPECT_FALSE(store.addRule("  ", true, false, "", false)) << "a rule needs a field";
    EXPECT_FALSE(store.addRule("BUG:Status", true, false, "", false)) << "one rule per field";

    data::Record issue = fm("Bugs").newRecord();
    auto loaded = rulesOnNewIssue(issue);
    ASSERT_TRUE(loaded);
    issues::IssueFieldRules &form = *loaded;
    EXPECT_TRUE(form.isReadOnly("BUG:Status"));

    issues::IssueHistory history(session(), core::SettingsValues());
    issue.setValue("Status", "Closed");
    auto applied = form.applyChange(issue, "BUG:Status", "@s35", "New", "Closed", false, history);
    ASSERT_TRUE(applied);
    EXPECT_TRUE(*applied);
    EXPECT_EQ(issue.text("Resolution").trimmed(), "Fixed");
    EXPECT_TRUE(form.isRequired("BUG:FixedBy"));
    EXPECT_EQ(one("FieldSetValue", {{"FIELD", "BUG:FixedBy"}}).text("VALUE").trimmed(), "Required");
}

TEST_P(FieldRuleStoreTest, DeletingARuleDeletesItsConditionsAndTheirRows)
{
    FieldRuleStore store(session());
    for (const QString field : {"BUG:Status", "BUG:Priority"}) {
        ASSERT_TRUE(store.addRule(field, false, false, "", false));
        for (const QString value : {"A", "B"}) {
            auto condition = store.addCondition(field, value);
            ASSERT_TRUE(condition);
            ASSERT_TRUE(store.addSetValue(*condition, "BUG:Resolution", value, false, false));
        }
    }
    ASSERT_TRUE(store.removeRule("BUG:Status"));
    EXPECT_EQ(count("FieldConfig"), 1);
    EXPECT_EQ(count("FieldConditions", {{"FIELD", "BUG:Status"}}), 0);
    EXPECT_EQ(count("FieldConditions"), 2);
    EXPECT_EQ(count("FieldSetValue"), 2);
}

TEST_P(FieldRuleStoreTest, ChangesAreWhatTheIssueFormReadsAndARefusedChangeLeavesTheRow)
{
    FieldRuleStore store(session());
    ASSERT_TRUE(store.addRule("BUG:Status", false, false, "", false));
    auto closed = store.addCondition("BUG:Status", "Closed");
    auto open = store.addCondition("BUG:Status", "Open");
    ASSERT_TRUE(closed && open);
    ASSERT_TRUE(store.addSetValue(*closed, "BUG:Resolution", "Fixed", false, false));
    ASSERT_TRUE(store.addSetValue(*closed, "BUG:FixedBy", "", false, false));

    ASSERT_TRUE(store.changeRule("BUG:Status", true, true, "New", true));
    ASSERT_TRUE(store.changeCondition(*closed, "Done"));
    ASSERT_TRUE(store.changeSetValue({*closed, "BUG:FixedBy", false}, "BUG:FixedBy", "x", true, false));
    EXPECT_FALSE(
        store.changeSetValue({*closed, "BUG:Resolution", false}, "BUG:FixedBy", "Fixed", true, false))
        << "the row's key is taken";
    EXPECT_FALSE(store.changeCondition(*open, "Done")) << "one field has each condition once";
    EXPECT_FALSE(store.changeRule("BUG:Priority", true, false, "", false)) << "no such rule";

    data::Record issue = fm("Bugs").newRecord();
    auto loaded = rulesOnNewIssue(issue);
    ASSERT_TRUE(loaded);
    issues::IssueFieldRules &form = *loaded;
    EXPECT_TRUE(form.isRequired("BUG:Status"));
    EXPECT_TRUE(form.isReadOnly("BUG:Status"));
    EXPECT_EQ(issue.text("Status").trimmed(), "New");
    issues::IssueHistory history(session(), core::SettingsValues());
    issue.setValue("Status", "Done");
    auto applied = form.applyChange(issue, "BUG:Status", "@s35", "New", "Done", false, history);
    ASSERT_TRUE(applied);
    EXPECT_EQ(issue.text("Resolution").trimmed(), "Fixed") << "the refused change left the row as it was";
    EXPECT_TRUE(form.isRequired("BUG:FixedBy"));

    ASSERT_TRUE(store.removeSetValue({*closed, "BUG:Resolution", false}));
    EXPECT_EQ(count("FieldSetValue", {{"ID", *closed}}), 1);
    ASSERT_TRUE(store.removeCondition(*closed));
    EXPECT_EQ(count("FieldSetValue"), 0);
    EXPECT_EQ(count("FieldConditions"), 1);
    EXPECT_FALSE(store.removeCondition(*closed)) << "already gone";
}

} // namespace tarvo::test
