#pragma once

#include "issues/FieldRules.h"
#include "platform/data/Record.h"
#include "platform/runtime/Result.h"

#include <QSet>
#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

namespace tarvo::data {
class Session;
}

namespace tarvo::issues {

class IssueHistory;

// The field rules of one issue form: the field configuration when it opens, the conditional
// rules when a watched control changes, the required and read-only marks they leave (a mark
// stays until the form closes), and the history entry of each changed control.
class IssueFieldRules final {
  public:
    IssueFieldRules(data::Session &session, std::vector<FieldConfigRow> config, std::vector<FieldRule> rules);

    // The field configuration: marks for every request, default values on an insert only.
    void configure(data::Record &issue, bool insert);
    // Marks of the rules that mark their target and whose condition holds now.
    void applyMarks(const data::Record &issue);
    // ApplyFieldRules for the control of `label` whose contents went from `oldContents` to
    // `newContents`: the values its rules set, the marks, and on a change (not an insert) the
    // history entry with the control's picture. True when a rule set a value; the error of a
    // history entry that could not be written (the values and marks are set all the same).
    Result<bool> applyChange(data::Record &issue, const QString &label, const QString &picture,
                             const QString &oldContents, const QString &newContents, bool changeRequest,
                             IssueHistory &history);

    // Labels in upper case ("BUG:STATUS").
    bool isRequired(const QString &label) const { return m_required.contains(label.toUpper()); }
    bool isReadOnly(const QString &label) const { return m_readOnly.contains(label.toUpper()); }
    const QSet<QString> &required() const { return m_required; }
    const QSet<QString> &readOnly() const { return m_readOnly; }
    // The FieldConfig row of a label, when there is one.
    const FieldConfigRow *configOf(const QString &label) const;

    // Whether the issue's field of `label` holds `condition`: texts compare clipped, numbers,
    // dates and times by their stored number written in digits. False for a label no field has.
    static bool holds(const data::Record &issue, const QString &label, const QString &condition);

  private:
    // The value of a default or a rule: the placeholders resolved, any other text as it is.
    // Empty optional: leave the target as it is.
    std::optional<QVariant> resolve(const QString &value, const data::Record &issue, bool inRule);
    void mark(const QString &label, bool required, bool readOnly);

    data::Session &m_session;
    std::vector<FieldConfigRow> m_config;
    std::vector<FieldRule> m_rules;
    QSet<QString> m_required;
    QSet<QString> m_readOnly;
};

// "^Logged_In_UserName^": the addition of the user's name, a blank and the name.
QString loggedInUserName();

} // namespace tarvo::issues
