#include "issues/IssueFieldTable.h"

#include "platform/runtime/Text.h"

#include <QHash>

namespace tarvo::issues {

namespace {

const QString kPrefix = QStringLiteral("BUG:");

QStringList customFields()
{
    QStringList names;
    for (int n = 1; n <= 10; ++n)
        names << QStringLiteral("CustomField%1").arg(n);
    return names;
}

// The fields of the issue form's controls (the custom fields are their designed controls).
QStringList formFields()
{
    QStringList names = {
        QStringLiteral("ID"),
        QStringLiteral("Identifier"),
        QStringLiteral("Category"),
        QStringLiteral("Description"),
        QStringLiteral("Status"),
        QStringLiteral("Priority"),
        QStringLiteral("Severity"),
        QStringLiteral("Classification"),
        QStringLiteral("Version"),
        QStringLiteral("Programfile"),
        QStringLiteral("Responsible"),
        QStringLiteral("EstTime"),
        QStringLiteral("ActTime"),
        QStringLiteral("DueDate"),
        QStringLiteral("ReportedBy"),
        QStringLiteral("ReportedByContact"),
        QStringLiteral("ReportedDate"),
        QStringLiteral("FixedBy"),
        QStringLiteral("FixedDate"),
        QStringLiteral("FixedVersion"),
        QStringLiteral("VerifiedBy"),
        QStringLiteral("VerifiedDate"),
        QStringLiteral("VerifiedVersion"),
        QStringLiteral("StartTime"),
        QStringLiteral("EndTime"),
        QStringLiteral("Hardware"),
        QStringLiteral("OperatingSystem"),
        QStringLiteral("OperatingSystemServicePack"),
        QStringLiteral("Network"),
        QStringLiteral("NetworkType"),
        QStringLiteral("EnvironmentText"),
        QStringLiteral("BugText"),
        QStringLiteral("RecreateText"),
        QStringLiteral("WorkaroundText"),
        QStringLiteral("ResolutionText"),
        QStringLiteral("ReleaseNotes"),
        QStringLiteral("VerifiedText"),
        QStringLiteral("TestingText"),
        QStringLiteral("Reproducible"),
        QStringLiteral("Resolution"),
    };
    return names + customFields();
}

// Every field a rule may name: the form's fields and those only code sets.
QStringList ruleFields()
{
    return formFields() + QStringList{
                              QStringLiteral("PrgName"),       QStringLiteral("PrgID"),
                              QStringLiteral("StatusSort"),    QStringLiteral("Gray"),
                              QStringLiteral("PrioritySort"),  QStringLiteral("AllResponsiblePersons"),
                              QStringLiteral("ReportedByID"),  QStringLiteral("ReportedByCID"),
                              QStringLiteral("AttachCounter"), QStringLiteral("CreateDate"),
                              QStringLiteral("CreateTime"),    QStringLiteral("CreatedBy"),
                              QStringLiteral("ChangedDate"),   QStringLiteral("ChangedTime"),
                              QStringLiteral("ChangedBy"),
                          };
}

template <typename Key> QHash<QString, QString> byLabel(const QStringList &fields, Key key)
{
    QHash<QString, QString> table;
    for (const QString &field : fields)
        table.insert(key(kPrefix + field), field);
    return table;
}

} // namespace

QString IssueFieldTable::formField(const QString &label)
{
    static const QHash<QString, QString> table =
        byLabel(formFields(), [](const QString &l) { return l.toUpper(); });
    return table.value(Text::clip(label).toUpper());
}

QString IssueFieldTable::ruleField(const QString &label)
{
    static const QHash<QString, QString> table = byLabel(ruleFields(), [](const QString &l) { return l; });
    return table.value(Text::clip(label));
}

const QStringList &IssueFieldTable::memos()
{
    static const QStringList names =
        QStringList{
            QStringLiteral("EnvironmentText"), QStringLiteral("BugText"),
            QStringLiteral("RecreateText"),    QStringLiteral("WorkaroundText"),
            QStringLiteral("ResolutionText"),  QStringLiteral("ReleaseNotes"),
            QStringLiteral("VerifiedText"),    QStringLiteral("TestingText"),
        } +
        customFields();
    return names;
}

const std::vector<ComparedField> &IssueFieldTable::compared()
{
    static const std::vector<ComparedField> fields = [] {
        const QHash<QString, ValueText> kinds = {
            {QStringLiteral("ID"), ValueText::Digits},
            {QStringLiteral("Category"), ValueText::Digits},
            {QStringLiteral("Network"), ValueText::Digits},
            {QStringLiteral("PrgID"), ValueText::SignedThousands},
            {QStringLiteral("AttachCounter"), ValueText::SignedThousands},
            {QStringLiteral("DueDate"), ValueText::Date},
            {QStringLiteral("ReportedDate"), ValueText::Date},
            {QStringLiteral("FixedDate"), ValueText::Date},
            {QStringLiteral("VerifiedDate"), ValueText::Date},
            {QStringLiteral("CreateDate"), ValueText::Date},
            {QStringLiteral("ChangedDate"), ValueText::Date},
            {QStringLiteral("StartTime"), ValueText::Time},
            {QStringLiteral("EndTime"), ValueText::Time},
            {QStringLiteral("CreateTime"), ValueText::Time},
            {QStringLiteral("ChangedTime"), ValueText::Time},
        };
        const QStringList order = {
            QStringLiteral("ID"),
            QStringLiteral("Identifier"),
            QStringLiteral("Category"),
            QStringLiteral("PrgID"),
            QStringLiteral("Description"),
            QStringLiteral("Status"),
            QStringLiteral("Priority"),
            QStringLiteral("Severity"),
            QStringLiteral("Classification"),
            QStringLiteral("Version"),
            QStringLiteral("Programfile"),
            QStringLiteral("Responsible"),
            QStringLiteral("AllResponsiblePersons"),
            QStringLiteral("EstTime"),
            QStringLiteral("ActTime"),
            QStringLiteral("DueDate"),
            QStringLiteral("ReportedBy"),
            QStringLiteral("ReportedByContact"),
            QStringLiteral("ReportedDate"),
            QStringLiteral("FixedBy"),
            QStringLiteral("FixedDate"),
            QStringLiteral("FixedVersion"),
            QStringLiteral("VerifiedBy"),
            QStringLiteral("VerifiedDate"),
            QStringLiteral("VerifiedVersion"),
            QStringLiteral("StartTime"),
            QStringLiteral("EndTime"),
            QStringLiteral("Hardware"),
            QStringLiteral("OperatingSystem"),
            QStringLiteral("OperatingSystemServicePack"),
            QStringLiteral("Network"),
            QStringLiteral("NetworkType"),
            QStringLiteral("EnvironmentText"),
            QStringLiteral("BugText"),
            QStringLiteral("RecreateText"),
            QStringLiteral("WorkaroundText"),
            QStringLiteral("ResolutionText"),
            QStringLiteral("ReleaseNotes"),
            QStringLiteral("VerifiedText"),
            QStringLiteral("TestingText"),
            QStringLiteral("Reproducible"),
            QStringLiteral("Resolution"),
        };
        QStringList tail = customFields();
        tail << QStringLiteral("AttachCounter") << QStringLiteral("CreateDate")
             << QStringLiteral("CreateTime") << QStringLiteral("CreatedBy") << QStringLiteral("ChangedDate")
             << QStringLiteral("ChangedTime") << QStringLiteral("ChangedBy");
        std::vector<ComparedField> list;
        for (const QString &name : order + tail) {
            const ValueText kind =
                memos().contains(name) ? ValueText::Memo : kinds.value(name, ValueText::Text);
            list.push_back({kPrefix + name, kind});
        }
        return list;
    }();
    return fields;
}

} // namespace tarvo::issues
