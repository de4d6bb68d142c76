#pragma once

#include "platform/runtime/Result.h"

#include <QString>

#include <vector>

namespace tarvo::data {
class Session;
}

namespace tarvo::issues {

// One action of a conditional field rule: when the tested field equals a text, set the target
// and/or mark it required or read-only. Fields are named by label and resolved against the issue
// at hand, so a rule list never points into another window's record.
struct FieldRule final {
    QString testedLabel;   // FCQ_FC
    QString condition;     // FCQ_FREFVALUE
    QString targetLabel;   // FCQ_FREQFIELD
    QString targetValue;   // FCQ_FCREFVALUE: a value or a placeholder
    bool required = false; // FCQ_FREQ
    bool readOnly = false; // FCQ_FREADONLY
};

// One FieldConfig row: how the form treats a field whatever the issue holds.
struct FieldConfigRow final {
    QString label;
    bool required = false;
    bool readOnly = false;
    QString defaultValue;
};

// LoadFieldRules: the rules of FieldConfig, FieldConditions and FieldSetValue flattened into one
// list, sorted by the tested field (rows of one tested field keep their key order).
Result<std::vector<FieldRule>> loadFieldRules(data::Session &session);
// The FieldConfig rows in key order.
Result<std::vector<FieldConfigRow>> loadFieldConfig(data::Session &session);

} // namespace tarvo::issues
