#include "QueryFileSupport.h"

namespace tarvo::test {

data::DictionaryDecl taskDictionary()
{
    using data::FieldType;
    data::FileDecl f;
    f.label = f.tableName = f.physicalName = QStringLiteral("Task");
    f.prefix = QStringLiteral("TSK");
    f.version = 1;
    f.fields = {field(QStringLiteral("ID"), FieldType::Long),
                field(QStringLiteral("Title"), FieldType::String, 40),
                field(QStringLiteral("Due"), FieldType::Long),
                field(QStringLiteral("Priority"), FieldType::Byte),
                field(QStringLiteral("Done"), FieldType::Byte),
                field(QStringLiteral("Notes"), FieldType::Memo, 4096)};
    f.fields[0].picture = QStringLiteral("@n_7");
    f.fields[1].picture = QStringLiteral("@s40");
    f.fields[2].picture = QStringLiteral("@D6");
    f.fields[3].picture = QStringLiteral("@n3");
    f.fields[4].picture = QStringLiteral("@n1");
    f.keys = {key(QStringLiteral("KeyID"), {{QStringLiteral("ID"), false}}, true, true)};
    f.rangeChecks = {{QStringLiteral("Priority"), 1, 5}};
    data::DictionaryDecl d;
    d.files.push_back(f);
    return d;
}

void TaskStoreTest::SetUp()
{
    StoreTest::SetUp();
    if (IsSkipped())
        return;
    openDictionary(taskDictionary());
}

data::Record TaskStoreTest::addTask(qint64 id, const QString &title, qint64 due, int priority,
                                    const QString &notes)
{
    return add(QStringLiteral("Task"), {{QStringLiteral("ID"), id},
                                        {QStringLiteral("Title"), title},
                                        {QStringLiteral("Due"), due},
                                        {QStringLiteral("Priority"), priority},
                                        {QStringLiteral("Notes"), notes}});
}

} // namespace tarvo::test
