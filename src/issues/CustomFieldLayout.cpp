#include "issues/CustomFieldLayout.h"

#include "platform/runtime/Text.h"

#include <QRegularExpression>

#include <algorithm>

namespace tarvo::issues {

namespace {

constexpr int kFirstY = 23;
constexpr int kGap = 2;
constexpr int kLineHeight = 11;
constexpr int kWide = 343;
constexpr int kNarrow = 51;

} // namespace

CustomFieldKind CustomFieldLayout::kindOf(const QString &typeName)
{
    const QString type = Text::clip(typeName);
    if (type == QStringLiteral("Text"))
        return CustomFieldKind::Text;
    if (type == QStringLiteral("Memo"))
        return CustomFieldKind::Memo;
    if (type == QStringLiteral("Time"))
        return CustomFieldKind::Time;
    if (type == QStringLiteral("Checkbox"))
        return CustomFieldKind::Checkbox;
    if (type == QStringLiteral("Date"))
        return CustomFieldKind::Date;
    if (type == QStringLiteral("Drop list"))
        return CustomFieldKind::DropList;
    if (type == QStringLiteral("Combo box"))
        return CustomFieldKind::ComboBox;
    return CustomFieldKind::None;
}

QStringList CustomFieldLayout::choicesOf(const QString &choices)
{
    if (choices.isEmpty())
        return {};
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = choices.split(lineBreak);
    // The text usually ends with a line break; it makes no empty entry.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

std::vector<CustomFieldControl> CustomFieldLayout::build(const core::SettingsValues &settings,
                                                         const std::function<bool(int)> &required)
{
    std::vector<CustomFieldControl> controls;
    int counter = FirstNumber - 1;
    int y = kFirstY;
    int lastHeight = 0;
    for (int n = 1; n <= core::SettingsValues::CustomFieldCount; ++n) {
        const core::CustomFieldSetting setting = settings.customField(n);
        if (!setting.enabled)
            continue;
        CustomFieldControl c;
        c.field = n;
        c.label = QStringLiteral("BUG:CustomField%1").arg(n);
        c.prompt = setting.name;
        c.kind = kindOf(setting.type);
        c.required = required && required(n);
        const int length = setting.length;
        ++counter;
        y += lastHeight + kGap;
        if (c.kind != CustomFieldKind::Checkbox) {
            c.promptNumber = counter;
            c.promptY = y + 1;
            ++counter;
        }
        c.inputNumber = counter;
        c.y = y;
        c.height = kLineHeight;
        c.width = kWide;
        c.growsWithWindow = true;
        switch (c.kind) {
        case CustomFieldKind::Text:
        case CustomFieldKind::DropList:
        case CustomFieldKind::ComboBox:
            c.picture = QStringLiteral("@s%1").arg(length);
            if (c.kind != CustomFieldKind::Text)
                c.choices = choicesOf(setting.choices);
            break;
        case CustomFieldKind::Memo:
            // 8.5 per further line, whole part only.
            c.height = kLineHeight + (17 * std::max(length - 1, 0)) / 2;
            break;
        case CustomFieldKind::Time:
        case CustomFieldKind::Date:
            c.picture = c.kind == CustomFieldKind::Time ? QStringLiteral("@T08B") : QStringLiteral("@D017B");
            c.width = kNarrow;
            c.growsWithWindow = false;
            break;
        case CustomFieldKind::Checkbox:
        case CustomFieldKind::None:
            break;
        }
        if (c.kind == CustomFieldKind::None) {
            // The prompt stands alone (its input's number stays unused); the next field keeps the
            // usual distance.
            c.inputNumber = 0;
            c.width = 0;
            c.growsWithWindow = false;
        }
        lastHeight = c.height;
        controls.push_back(c);
    }
    return controls;
}

} // namespace tarvo::issues
