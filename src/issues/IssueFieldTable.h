#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace tarvo::issues {

// How the notification trigger writes a compared field's new value as text.
enum class ValueText { Text, Memo, Digits, SignedThousands, Date, Time };

// One field of an issue that the notification trigger compares with the snapshot.
struct ComparedField final {
    QString label; // "BUG:Status"
    ValueText text = ValueText::Text;
};

// The names by which forms, rules and notifications reach the fields of an issue: the labels the
// issue form edits, the labels a rule may name, the memos and the fields that notifications watch.
class IssueFieldTable final {
  public:
    // The field of a label the issue form edits, compared without regard to case ("bug:status"
    // gives "Status"); empty for any other label.
    static QString formField(const QString &label);
    // The field of a label as rules store it, letter for letter and trailing blanks ignored;
    // empty for any other label.
    static QString ruleField(const QString &label);
    // The eighteen memos of an issue, in record order ("EnvironmentText" ... "CustomField10").
    static const QStringList &memos();
    // The fields the notification trigger compares, in their order.
    static const std::vector<ComparedField> &compared();
};

} // namespace tarvo::issues
