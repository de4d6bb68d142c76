#pragma once

#include "platform/data/DataTestSupport.h"
#include "platform/query/RegisteredFile.h"

namespace tarvo::test {

// One file "Task" (prefix TSK) as the wizards see it: a numbered ID, a title, a due date, a
// priority from 1 to 5 (a range check), a done flag with its choices and a memo.
data::DictionaryDecl taskDictionary();

// A test of the wizards' work on the task file, once on each store.
class TaskStoreTest : public StoreTest {
  protected:
    void SetUp() override;
    query::RegisteredFile registered() const
    {
        return query::RegisteredFile(m_dict->layout(QStringLiteral("Task")));
    }
    data::Record addTask(qint64 id, const QString &title, qint64 due, int priority, const QString &notes);
};

} // namespace tarvo::test
