#include "masterdata/options/FieldRuleStore.h"

#include "core/lists/FileWriting.h"
#include "platform/data/FileManager.h"
#include "platform/data/RelationManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Text.h"
#include "platform/runtime/Translator.h"

#include <QSet>

#include <functional>

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

// The stored record of `label` whose key `keyName` equals the values in `probe`.
Result<data::Record> fetchStored(data::Session &session, const QString &label, const QString &keyName,
                                 const std::function<void(data::Record &)> &probe)
{
    auto file = openFile(session, label);
    if (!file)
        return file.error();
    data::Record record = (*file)->newRecord();
    probe(record);
    if (auto found = (*file)->fetch(keyName, record); !found)
        return found.error();
    return record;
}

// Writes `record` (read before) under the file's relation rules, in one transaction.
Result<void> updateWithRules(data::Session &session, const QString &label, data::Record &record)
{
    auto writing = core::FileWriting::begin(session, label);
    if (!writing)
        return writing.error();
    data::RelationManager *relations = session.relations(label);
    auto written = relations ? relations->update(record) : writing->file->update(record);
    if (!written)
        return written.error();
    return writing->transaction->commit();
}

// Deletes `record` with its dependent rows, in one transaction.
Result<void> removeWithRules(data::Session &session, const QString &label, data::Record &record)
{
    data::RelationManager *relations = session.relations(label);
    if (!relations)
        return makeError(2, QStringLiteral("The file %1 has no relations").arg(label));
    return relations->remove(record);
}

Result<data::Record> storedRule(data::Session &session, const QString &field)
{
    return fetchStored(session, QStringLiteral("FieldConfig"), QStringLiteral("FIE:KeyField"),
                       [&](data::Record &r) { r.setValue(QStringLiteral("FIELD"), field); });
}

Result<data::Record> storedCondition(data::Session &session, qint64 condition)
{
    return fetchStored(session, QStringLiteral("FieldConditions"), QStringLiteral("FIC:KeyID"),
                       [&](data::Record &r) { r.setValue(QStringLiteral("ID"), condition); });
}

Result<data::Record> storedRow(data::Session &session, const FieldRuleStore::SetValueKey &key)
{
    return fetchStored(session, QStringLiteral("FieldSetValue"), QStringLiteral("FIS:KeyIDRequiredField"),
                       [&](data::Record &r) {
                           r.setValue(QStringLiteral("ID"), key.condition);
                           r.setValue(QStringLiteral("REQUIRED"), key.required ? 1 : 0);
                           r.setValue(QStringLiteral("FIELD"), key.target);
                       });
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
    auto ruleFound = storedRule(m_session, field);
    if (!ruleFound)
        return ruleFound.error();
    data::Record rule = *ruleFound;
    return removeWithRules(m_session, QStringLiteral("FieldConfig"), rule);
}

Result<void> FieldRuleStore::changeRule(const QString &field, bool required, bool forceSelection,
                                        const QString &defaultValue, bool noMassUpdate)
{
    auto ruleFound = storedRule(m_session, field);
    if (!ruleFound)
        return ruleFound.error();
    data::Record rule = *ruleFound;
    rule.setValue(QStringLiteral("REQUIRED"), required ? 1 : 0);
    rule.setValue(QStringLiteral("READONLY"), forceSelection ? 1 : 0);
    rule.setValue(QStringLiteral("DEFAULT"), defaultValue);
    rule.setValue(QStringLiteral("NOMASSUPDATE"), noMassUpdate ? 1 : 0);
    return updateWithRules(m_session, QStringLiteral("FieldConfig"), rule);
}

Result<void> FieldRuleStore::changeCondition(qint64 condition, const QString &value)
{
    auto rowFound = storedCondition(m_session, condition);
    if (!rowFound)
        return rowFound.error();
    data::Record row = *rowFound;
    row.setValue(QStringLiteral("CONDITION"), value);
    return updateWithRules(m_session, QStringLiteral("FieldConditions"), row);
}

Result<void> FieldRuleStore::removeCondition(qint64 condition)
{
    auto rowFound = storedCondition(m_session, condition);
    if (!rowFound)
        return rowFound.error();
    data::Record row = *rowFound;
    return removeWithRules(m_session, QStringLiteral("FieldConditions"), row);
}

Result<void> FieldRuleStore::changeSetValue(const SetValueKey &key, const QString &target,
                                            const QString &value, bool required, bool forceSelection)
{
    if (Text::clip(target).isEmpty())
        return noField();
    auto rowFound = storedRow(m_session, key);
    if (!rowFound)
        return rowFound.error();
    data::Record row = *rowFound;
    row.setValue(QStringLiteral("FIELD"), target);
    row.setValue(QStringLiteral("REQUIRED"), required ? 1 : 0);
    row.setValue(QStringLiteral("READONLY"), forceSelection ? 1 : 0);
    row.setValue(QStringLiteral("VALUE"), required ? requiredRuleValue() : value);
    return updateWithRules(m_session, QStringLiteral("FieldSetValue"), row);
}

Result<void> FieldRuleStore::removeSetValue(const SetValueKey &key)
{
    auto rowFound = storedRow(m_session, key);
    if (!rowFound)
        return rowFound.error();
    data::Record row = *rowFound;
    auto writing = core::FileWriting::begin(m_session, QStringLiteral("FieldSetValue"));
    if (!writing)
        return writing.error();
    if (auto gone = writing->file->remove(row); !gone)
        return gone.error();
    return writing->transaction->commit();
}

} // namespace tarvo::masterdata
