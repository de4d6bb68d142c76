#include "support/SmallBugStore.h"

namespace tarvo::test {

data::DictionaryDecl smallBugDictionary(bool descendingId)
{
    data::FileDecl f;
    f.label = f.tableName = QStringLiteral("Bugs");
    f.prefix = QStringLiteral("BUG");
    f.physicalName = QStringLiteral("Bugs.TPS");
    f.version = 1;
    f.fields = {{QStringLiteral("ID"), data::FieldType::Long, 4, 0, QStringLiteral("@n_7")},
                {QStringLiteral("Status"), data::FieldType::String, 20, 0, QStringLiteral("@s20")},
                {QStringLiteral("Priority"), data::FieldType::Long, 4, 0, QStringLiteral("@n3")},
                {QStringLiteral("Description"), data::FieldType::String, 100, 0, QStringLiteral("@s100")}};
    data::KeyDecl id;
    id.name = QStringLiteral("KeyID");
    id.components = {{QStringLiteral("ID"), descendingId}};
    id.unique = id.primary = id.autoNumber = true;
    f.keys = {id};
    data::DictionaryDecl d;
    d.files = {f};
    return d;
}

} // namespace tarvo::test
