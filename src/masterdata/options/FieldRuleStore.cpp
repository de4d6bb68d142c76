#include "masterdata/options/FieldRuleStore.h"

#include "platform/data/FileManager.h"
#include "platform/data/RelationManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Text.h"
#include "platform/runtime/Translator.h"

#include <QSet>

namespace tarvo::masterdata {

namespace {

Result<data::FileManager *> openFile(data::Session &session, const QString &label)
{
    data::FileManager *file = session.file(label);
    if (!file)
        return makeError(2, QStringLiteral("The file %1 is not declared").arg(label));
    if (auto opened = file->open(); !opened)
        return opened.error();
    return file;
}

Error noField()
{
    return makeError(FieldRuleStore::ErrorNoField, QStringLiteral("A field rule needs a field."));
}

} // namespace

FieldRuleOption fieldRuleOption(const QString &field)
{
    static const QSet<QString> special = [] {
        QSet<QString> names = {"BUG:FixedBy", "BUG:ReportedBy", "BUG:Responsible", "BUG:VerifiedBy"};
        for (int n = 1; n <= 10; ++n)
            names.insert(QStringLiteral("BUG:CustomField%1").arg(n));
        return names;
    }();
    static const QSet<QString> forced = {"BUG:Programfile",     "BUG:Status",
                                         "BUG:Priority",        "BUG:Severity",
                                         "BUG:Classification",  "BUG:Version",
                                         "BUG:FixedVersion",    "BUG:VerifiedVersion",
                                         "BUG:OperatingSystem", "BUG:OperatingSystemServicePack",
                                         "BUG:Reproducible",    "BUG:Resolution"};
    const QString name = Text::clip(field);
    if (special.contains(name))
        return FieldRuleOption::SpecialValue;
    if (forced.contains(name))
        return FieldRuleOption::ForceSelection;
    return FieldRuleOption::None;
}

QString requiredRuleValue()
{
    return Translator::instance().translate(QStringLiteral("Required"));
}

FieldRuleStore::FieldRuleStore(data::Session &session) : m_session(session) {}

Result<void> FieldRuleStore::addRule(const QString &field, bool required, bool forceSelection,
                                     const QString &defaultValue, bool noMassUpdate)
{
    if (Text::clip(field).isEmpty())
        return noField();
    auto file = openFile(m_session, QStringLiteral("FieldConfig"));
    if (!file)
        return file.error();
    data::Record rule = (*file)->newRecord();
    rule.setValue(QStringLiteral("FIELD"), field);
    rule.setValue(QStringLiteral("REQUIRED"), required ? 1 : 0);
    rule.setValue(QStringLiteral("READONLY"), forceSelection ? 1 : 0);
    rule.setValue(QStringLiteral("DEFAULT"), defaultValue);
    rule.setValue(QStringLiteral("NOMASSUPDATE"), noMassUpdate ? 1 : 0);
    return (*file)->insert(rule);
}

Result<qint64> FieldRuleStore::addCondition(const QString &field, const QString &condition)
{
    if (Text::clip(field).isEmpty())
        return noField();
    auto file = openFile(m_session, QStringLiteral("FieldConditions"));
    if (!file)
        return file.error();
    data::Record row = (*file)->newRecord();
    row.setValue(QStringLiteral("FIELD"), field);
    row.setValue(QStringLiteral("CONDITION"), condition);
    if (auto added = (*file)->insert(row); !added)
        return added.error();
    return row.integer(QStringLiteral("ID"));
}

Result<void> FieldRuleStore::addSetValue(qint64 condition, const QString &target, const QString &value,
                                         bool required, bool forceSelection)
{
    if (Text::clip(target).isEmpty())
        return noField();
    auto file = openFile(m_session, QStringLiteral("FieldSetValue"));
    if (!file)
        return file.error();
    data::Record row = (*file)->newRecord();
    row.setValue(QStringLiteral("ID"), condition);
    row.setValue(QStringLiteral("FIELD"), target);
    row.setValue(QStringLiteral("REQUIRED"), required ? 1 : 0);
    row.setValue(QStringLiteral("READONLY"), forceSelection ? 1 : 0);
    row.setValue(QStringLiteral("VALUE"), required ? requiredRuleValue() : value);
    return (*file)->insert(row);
}

Result<void> FieldRuleStore::removeRule(const QString &field)
{
    auto file = openFile(m_session, QStringLiteral("FieldConfig"));
    if (!file)
        return file.error();
    data::Record rule = (*file)->newRecord();
    rule.setValue(QStringLiteral("FIELD"), field);
    if (auto found = (*file)->fetch(QStringLiteral("FIE:KeyField"), rule); !found)
        return found.error();
    data::RelationManager *relations = m_session.relations(QStringLiteral("FieldConfig"));
    if (!relations)
        return makeError(2, QStringLiteral("The file FieldConfig has no relations"));
    return relations->remove(rule);
}

} // namespace tarvo::masterdata
