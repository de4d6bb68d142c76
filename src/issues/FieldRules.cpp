#include "issues/FieldRules.h"

#include "core/lists/ReadKeyOrder.h"
#include "issues/DeclaredFile.h"
#include "platform/data/FileManager.h"
#include "platform/data/Record.h"
#include "platform/data/Session.h"
#include "platform/data/View.h"

#include <algorithm>

namespace tarvo::issues {

namespace {

Result<std::vector<data::Record>> readAll(data::Session &session, const QString &label, const QString &key,
                                          const QVariantList &range = {})
{
    std::vector<data::Record> rows;
    if (auto failed =
            core::readKeyOrder(session, label, key, range, [&](const data::Record &r) { rows.push_back(r); }))
        return *failed;
    return rows;
}

} // namespace

Result<std::vector<FieldRule>> loadFieldRules(data::Session &session)
{
    std::vector<FieldRule> rules;
    auto conditions = declaredFile(session, QStringLiteral("FieldConditions"));
    if (!conditions)
        return conditions.error();
    // Without any condition the other two files are not even opened.
    data::View all(**conditions, std::vector<data::KeyComponent>{});
    auto count = all.count();
    if (!count)
        return count.error();
    if (*count == 0)
        return rules;

    auto configs = readAll(session, QStringLiteral("FieldConfig"), QStringLiteral("KeyField"));
    if (!configs)
        return configs.error();
    for (const data::Record &config : *configs) {
        auto ofField = readAll(session, QStringLiteral("FieldConditions"),
                               QStringLiteral("KeyFieldCondition"), {config.value(QStringLiteral("FIELD"))});
        if (!ofField)
            return ofField.error();
        for (const data::Record &condition : *ofField) {
            auto values =
                readAll(session, QStringLiteral("FieldSetValue"), QStringLiteral("KeyIDRequiredField"),
                        {condition.value(QStringLiteral("ID"))});
            if (!values)
                return values.error();
            for (const data::Record &set : *values) {
                rules.push_back({condition.text(QStringLiteral("FIELD")),
                                 condition.text(QStringLiteral("CONDITION")),
                                 set.text(QStringLiteral("FIELD")), set.text(QStringLiteral("VALUE")),
                                 set.integer(QStringLiteral("REQUIRED")) != 0,
                                 set.integer(QStringLiteral("READONLY")) != 0});
            }
        }
    }
    std::stable_sort(rules.begin(), rules.end(),
                     [](const FieldRule &a, const FieldRule &b) { return a.testedLabel < b.testedLabel; });
    return rules;
}

Result<std::vector<FieldConfigRow>> loadFieldConfig(data::Session &session)
{
    auto configs = readAll(session, QStringLiteral("FieldConfig"), QStringLiteral("KeyField"));
    if (!configs)
        return configs.error();
    std::vector<FieldConfigRow> rows;
    for (const data::Record &c : *configs) {
        rows.push_back({c.text(QStringLiteral("FIELD")), c.integer(QStringLiteral("REQUIRED")) != 0,
                        c.integer(QStringLiteral("READONLY")) != 0, c.text(QStringLiteral("DEFAULT"))});
    }
    return rows;
}

} // namespace tarvo::issues
