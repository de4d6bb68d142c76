#include "core/startup/SettingsValues.h"

#include "core/dictionary/TarvoDictionary.h"
#include "platform/data/RecordLayout.h"

#include <functional>
#include <gtest/gtest.h>

namespace tarvo::core {
namespace {

data::Record emptySettings()
{
    return data::Record(data::RecordLayout::make(parameterFile()));
}

// One accessor pair, the field it must reach and a value to carry.
struct Accessor {
    const char *field;
    QVariant value;
    std::function<void(SettingsValues &, const QVariant &)> set;
    std::function<QVariant(const SettingsValues &)> get;
};

template <class T>
Accessor text(const char *field, void (SettingsValues::*set)(const QString &),
              T (SettingsValues::*get)() const)
{
    // Short enough for the narrowest text field (the currency, three characters).
    return {field, QStringLiteral("Abc"),
            [set](SettingsValues &s, const QVariant &v) { (s.*set)(v.toString()); },
            [get](const SettingsValues &s) { return QVariant((s.*get)()); }};
}

Accessor flag(const char *field, void (SettingsValues::*set)(bool), bool (SettingsValues::*get)() const)
{
    return {field, 1, [set](SettingsValues &s, const QVariant &v) { (s.*set)(v.toInt() != 0); },
            [get](const SettingsValues &s) { return QVariant((s.*get)() ? 1 : 0); }};
}

template <class T>
Accessor number(const char *field, int value, void (SettingsValues::*set)(T),
                T (SettingsValues::*get)() const)
{
    return {field, value, [set](SettingsValues &s, const QVariant &v) { (s.*set)(T(v.toInt())); },
            [get](const SettingsValues &s) { return QVariant(int((s.*get)())); }};
}

class SettingsAccessor : public testing::TestWithParam<Accessor> {};

// A misspelt field name would leave the record unchanged and read back empty.
TEST_P(SettingsAccessor, WritesAndReadsItsOwnField)
{
    const Accessor &accessor = GetParam();
    SettingsValues settings(emptySettings());
    accessor.set(settings, accessor.value);
    EXPECT_EQ(settings.record().value(QString::fromLatin1(accessor.field)).toString(),
              accessor.value.toString());
    EXPECT_EQ(accessor.get(settings).toString(), accessor.value.toString());
}

using S = SettingsValues;
INSTANTIATE_TEST_SUITE_P(
    Fields, SettingsAccessor,
    testing::Values(
        text("Language", &S::setLanguage, &S::language), text("Charset", &S::setCharset, &S::charset),
        text("LOCATION", &S::setLocation, &S::location),
        number("COLOR", 0x00A00000, &S::setColour, &S::colour),
        number("EMailType", 2, &S::setEmailType, &S::emailType),
        text("EMAILSERVER", &S::setEmailServer, &S::emailServer),
        number("EMailServerPort", 587, &S::setEmailServerPort, &S::emailServerPort),
        text("EMAILAUTHUSER", &S::setEmailAuthUser, &S::emailAuthUser),
        text("EMAILAUTHPASSWORD", &S::setEmailAuthPassword, &S::emailAuthPassword),
        flag("ENABLEEMAIL", &S::setEmailEnabled, &S::emailEnabled),
        flag("ENABLEEMAILMASSUPDATE", &S::setEmailOnMassUpdate, &S::emailOnMassUpdate),
        flag("ASKEMAIL", &S::setAskEmail, &S::askEmail),
        flag("MODIFYEMAIL", &S::setModifyEmail, &S::modifyEmail),
        flag("OVERRIDEINSERT", &S::setOverrideInsert, &S::overrideInsert),
        text("INSERTTEXT", &S::setInsertText, &S::insertText),
        flag("OVERRIDECHANGE", &S::setOverrideChange, &S::overrideChange),
        text("CHANGETEXT", &S::setChangeText, &S::changeText),
        flag("OVERRIDEDELETE", &S::setOverrideDelete, &S::overrideDelete),
        text("DELETETEXT", &S::setDeleteText, &S::deleteText),
        text("UpdateBugFirstField", &S::setUpdateBugFirstField, &S::updateBugFirstField),
        flag("DISABLEVERSIONINSERT", &S::setVersionInsertDisabled, &S::versionInsertDisabled),
        flag("DISABLEHISTORY", &S::setHistoryDisabled, &S::historyDisabled),
        text("Currency", &S::setCurrency, &S::currency),
        number("DateTimeStampInsPos", 2, &S::setDateTimeStampInsertPosition, &S::dateTimeStampInsertPosition),
        text("DateTimeStamp", &S::setDateTimeStamp, &S::dateTimeStamp),
        text("CUSTOMERREGCODEPROGRAM", &S::setCustomerRegCodeProgram, &S::customerRegCodeProgram),
        text("CustomerSources", &S::setCustomerSources, &S::customerSources),
        text("FunctionList", &S::setFunctionList, &S::functionList),
        text("CUSTOMIZE1", &S::setIdentifierPrompt, &S::identifierPrompt),
        flag("WFENABLE", &S::setWorkflowEnabled, &S::workflowEnabled),
        number("WFAssignIssue", 1, &S::setWorkflowAssignIssue, &S::workflowAssignIssue),
        flag("WFALLOWCHANGE", &S::setWorkflowAllowChange, &S::workflowAllowChange),
        number("WFCloseIssue", 2, &S::setWorkflowCloseIssue, &S::workflowCloseIssue),
        flag("WFPromptBeforeClose", &S::setWorkflowPromptBeforeClose, &S::workflowPromptBeforeClose),
        flag("WFAllowStatusChange", &S::setWorkflowAllowStatusChange, &S::workflowAllowStatusChange)));

TEST(SettingsValues, CustomFieldsAreNumberedOneToTenAndNothingElse)
{
    SettingsValues settings(emptySettings());
    const CustomFieldSetting tenth{true, QStringLiteral("Budget"), QStringLiteral("Number"), 12,
                                   QStringLiteral("a|b")};
    EXPECT_TRUE(settings.setCustomField(10, tenth));
    EXPECT_FALSE(settings.setCustomField(11, tenth));
    EXPECT_FALSE(settings.setCustomField(0, tenth));
    EXPECT_EQ(settings.record().text(QStringLiteral("PAR:FIELD10")), QStringLiteral("Budget"));
    EXPECT_EQ(settings.record().integer(QStringLiteral("PAR:FIELDLEN10")), 12);
    const CustomFieldSetting read = settings.customField(10);
    EXPECT_TRUE(read.enabled);
    EXPECT_EQ(read.type, QStringLiteral("Number"));
    EXPECT_EQ(read.choices, QStringLiteral("a|b"));
    EXPECT_FALSE(settings.customField(1).enabled);
    EXPECT_TRUE(settings.anyCustomFieldEnabled());
    EXPECT_FALSE(SettingsValues(emptySettings()).anyCustomFieldEnabled());
}

TEST(SettingsValues, GermanFollowsTheLanguageWhateverItsTrailingBlanks)
{
    SettingsValues settings(emptySettings());
    settings.setLanguage(QStringLiteral("Deutsch  "));
    EXPECT_TRUE(settings.isGerman());
    settings.setLanguage(QStringLiteral("English"));
    EXPECT_FALSE(settings.isGerman());
}

} // namespace
} // namespace tarvo::core
