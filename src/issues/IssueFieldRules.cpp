#include "issues/IssueFieldRules.h"

#include "core/services/AccessServices.h"
#include "core/services/Services.h"
#include "issues/IssueFieldTable.h"
#include "issues/IssueHistory.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/View.h"
#include "platform/runtime/DayDate.h"
#include "platform/runtime/Text.h"

namespace tarvo::issues {

namespace {

const QString kInitials = QStringLiteral("^Logged_In_UserInitials^");
const QString kUserName = QStringLiteral("^Logged_In_UserName^");
const QString kNewestVersion = QStringLiteral("^Newest_Version^");
const QString kTime = QStringLiteral("^Time^");
const QString kDate = QStringLiteral("^Date^");

QString initials()
{
    const core::AccessServices *access = core::Services::access();
    return access ? access->initials() : QString();
}

bool isText(data::FieldType type)
{
    return type == data::FieldType::String || type == data::FieldType::CString ||
           type == data::FieldType::Memo;
}

} // namespace

QString loggedInUserName()
{
    core::AccessServices *access = core::Services::access();
    if (!access)
        return QString();
    return Text::clip(access->getValue(QStringLiteral("BEN:ZUSATZ"))) + QLatin1Char(' ') +
           access->getValue(QStringLiteral("BEN:NAME"));
}

IssueFieldRules::IssueFieldRules(data::Session &session, std::vector<FieldConfigRow> config,
                                 std::vector<FieldRule> rules)
    : m_session(session), m_config(std::move(config)), m_rules(std::move(rules))
{
}

void IssueFieldRules::mark(const QString &label, bool required, bool readOnly)
{
    if (IssueFieldTable::formField(label).isEmpty())
        return;
    const QString key = Text::clip(label).toUpper();
    if (required)
        m_required.insert(key);
    if (readOnly)
        m_readOnly.insert(key);
}

const FieldConfigRow *IssueFieldRules::configOf(const QString &label) const
{
    const QString wanted = Text::clip(label).toUpper();
    for (const FieldConfigRow &row : m_config) {
        if (Text::clip(row.label).toUpper() == wanted)
            return &row;
    }
    return nullptr;
}

std::optional<QVariant> IssueFieldRules::resolve(const QString &value, const data::Record &issue, bool inRule)
{
    const QString clipped = Text::clip(value);
    if (clipped == kInitials)
        return initials();
    if (clipped == kUserName)
        return loggedInUserName();
    if (!inRule)
        return clipped;
    if (clipped == kTime)
        return DayDate::clock();
    if (clipped == kDate)
        return DayDate::today();
    if (clipped == kNewestVersion) {
        data::FileManager *releases = m_session.file(QStringLiteral("Releases"));
        if (!releases)
            return std::nullopt;
        data::View ofProgram(*releases, QStringLiteral("KeyPrgIDRelease"));
        ofProgram.setRange({issue.value(QStringLiteral("PrgID"))});
        auto first = ofProgram.first();
        if (!first || !first->has_value())
            return std::nullopt;
        return (*first)->value(QStringLiteral("Release"));
    }
    return value;
}

void IssueFieldRules::configure(data::Record &issue, bool insert)
{
    for (const FieldConfigRow &row : m_config) {
        const QString field = IssueFieldTable::formField(row.label);
        if (field.isEmpty())
            continue;
        mark(row.label, row.required, row.readOnly);
        if (insert && !Text::clip(row.defaultValue).isEmpty()) {
            if (auto v = resolve(row.defaultValue, issue, false))
                issue.setValue(field, *v);
        }
    }
}

bool IssueFieldRules::holds(const data::Record &issue, const QString &label, const QString &condition)
{
    const QString field = IssueFieldTable::ruleField(label);
    if (field.isEmpty())
        return false;
    const int index = issue.layout().fieldIndex(field);
    const QVariant &value = issue.value(index);
    if (isText(issue.layout().field(index).type))
        return Text::clip(value.toString()) == Text::clip(condition);
    return value.toString() == Text::clip(condition).trimmed();
}

void IssueFieldRules::applyMarks(const data::Record &issue)
{
    for (const FieldRule &rule : m_rules) {
        if ((rule.required || rule.readOnly) && holds(issue, rule.testedLabel, rule.condition))
            mark(rule.targetLabel, rule.required, rule.readOnly);
    }
}

Result<bool> IssueFieldRules::applyChange(data::Record &issue, const QString &label, const QString &picture,
                                          const QString &oldContents, const QString &newContents,
                                          bool changeRequest, IssueHistory &history)
{
    const QString changed = Text::clip(label).toUpper();
    bool setAny = false;
    for (const FieldRule &rule : m_rules) {
        if (Text::clip(rule.testedLabel).toUpper() != changed || rule.required)
            continue;
        if (!holds(issue, rule.testedLabel, rule.condition))
            continue;
        const QString target = IssueFieldTable::ruleField(rule.targetLabel);
        if (target.isEmpty())
            continue;
        if (auto v = resolve(rule.targetValue, issue, true)) {
            issue.setValue(target, *v);
            setAny = true;
        }
    }
    applyMarks(issue);
    if (changeRequest) {
        if (auto added = history.add(Text::cutTo(Text::clip(label), 50), picture, oldContents, newContents);
            !added)
            return added.error();
    }
    return setAny;
}

} // namespace tarvo::issues
