#pragma once

#include "platform/runtime/Result.h"

#include <QString>

namespace tarvo::data {
class Session;
}

namespace tarvo::masterdata {

// What the field-rule forms offer beside an issue field: the picker of special values for its
// value, the forced selection from the field's list, or neither.
enum class FieldRuleOption { None, SpecialValue, ForceSelection };
FieldRuleOption fieldRuleOption(const QString &field);

// The value of a consequence row that marks its target required.
QString requiredRuleValue();

// The field rules as the Options window keeps them (FieldConfig, FieldConditions, FieldSetValue):
// exactly the rows that the issue form reads and applies.
class FieldRuleStore final {
  public:
    explicit FieldRuleStore(data::Session &session);

    static constexpr int ErrorNoField = 1;

    Result<void> addRule(const QString &field, bool required, bool forceSelection,
                         const QString &defaultValue, bool noMassUpdate);
    // The new condition's number.
    Result<qint64> addCondition(const QString &field, const QString &condition);
    // A required row holds requiredRuleValue() whatever value is given.
    Result<void> addSetValue(qint64 condition, const QString &target, const QString &value, bool required,
                             bool forceSelection);
    // Deletes the rule with its conditions and their rows, in one transaction.
    Result<void> removeRule(const QString &field);

    // The options of an existing rule; its field stays, since a rule for another field is a new rule.
    Result<void> changeRule(const QString &field, bool required, bool forceSelection,
                            const QString &defaultValue, bool noMassUpdate);
    Result<void> changeCondition(qint64 condition, const QString &value);
    // Deletes the condition with its rows, in one transaction.
    Result<void> removeCondition(qint64 condition);

    // A consequence row is known by its condition, its required flag and its target.
    struct SetValueKey final {
        qint64 condition = 0;
        QString target;
        bool required = false;
    };
    Result<void> changeSetValue(const SetValueKey &row, const QString &target, const QString &value,
                                bool required, bool forceSelection);
    Result<void> removeSetValue(const SetValueKey &row);

  private:
    data::Session &m_session;
};

} // namespace tarvo::masterdata
