#pragma once

#include "core/startup/SettingsValues.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace tarvo::issues {

// The kind of input a custom field is edited in, by its type name in the settings.
enum class CustomFieldKind { None, Text, Memo, Time, Checkbox, Date, DropList, ComboBox };

// One enabled custom field as the issue form builds it on its tab "Custom fields": its controls'
// numbers and places, its input and what that input offers.
struct CustomFieldControl final {
    int field = 0;  // n of BUG:CustomField<n>
    QString label;  // "BUG:CustomField<n>": the field's label in rules and history
    QString prompt; // the prompt text (for a check box its own text)
    CustomFieldKind kind = CustomFieldKind::None;
    int promptNumber = 0; // 0 for a check box, which has no prompt
    int inputNumber = 0;  // the control number of the input; 0 for a type without input
    int promptX = 34;
    int promptY = 0;
    int x = 102;
    int y = 0;
    int width = 0;
    int height = 0;
    QString picture;     // "@s20", "@T08B", "@D017B"; empty for memos and check boxes
    QStringList choices; // drop lists and combo boxes
    bool required = false;
    bool growsWithWindow = false;
};

// The build of the custom fields from the settings record: numbering from 8000, places from the
// top of the tab, sizes by type, choices by line.
class CustomFieldLayout final {
  public:
    static constexpr int FirstNumber = 8000;

    static CustomFieldKind kindOf(const QString &typeName);
    // The enabled fields in order; `required(n)` tells whether the designed control of field n is
    // marked required when the build runs.
    static std::vector<CustomFieldControl> build(const core::SettingsValues &settings,
                                                 const std::function<bool(int)> &required = {});
    // The choices text (one per line) as list entries.
    static QStringList choicesOf(const QString &choices);
};

} // namespace tarvo::issues
