#pragma once

#include "core/lists/FakeAccessServices.h"
#include "issues/ui/subforms/SubFormUser.h"
#include "listext/ui/IssueFolder.h"
#include "platform/data/Store.h"
#include "platform/runtime/Context.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QPointer>

#include <gtest/gtest.h>
#include <memory>

namespace tarvo::issues::test {

// The sub-forms of an issue on a real data folder (SQLite and the PostgreSQL test server), with
// the user JDO and scripted messages. A form runs as a list's record button runs it.
class SubFormFolder : public ::testing::TestWithParam<data::StoreKind> {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the form under the request on the folder's context; the response lands in response.
    template <typename Form, typename... Args> QPointer<Form> run(int request, Args &&...args)
    {
        response = Response::None;
        context->setThreadRequest(request);
        auto *form = new Form(*context, session(), std::forward<Args>(args)...);
        form->openModal(nullptr, [this](int r) { response = r; });
        return form;
    }
    data::Session &session() { return folder->session(); }
    data::FileManager &file(const QString &label) { return folder->file(label); }
    // Puts the stored row with this field value into the file's buffer, as a list does before a change.
    void pointAt(const QString &label, const QString &field, const QVariant &value);
    qint64 count(const QString &table, const QString &where = QStringLiteral("1 = 1"));
    static void drain();

    tarvo::test::TempDir dir;
    tarvo::test::ScriptedMessages messages;
    tarvo::test::FakeAccessServices access;
    std::unique_ptr<listext::test::IssueFolder> folder;
    std::shared_ptr<Context> context = std::make_shared<Context>(2);
    issues::ui::SubFormUser user;
    int response = Response::None;
};

#define TARVO_SUBFORM_SUITE(Suite)                                                                           \
    INSTANTIATE_TEST_SUITE_P(                                                                                \
        Stores, Suite,                                                                                       \
        ::testing::Values(::tarvo::data::StoreKind::Sqlite, ::tarvo::data::StoreKind::Postgres),             \
        [](const auto &info) {                                                                               \
            return std::string(info.param == ::tarvo::data::StoreKind::Sqlite ? "SQLite" : "PostgreSQL");    \
        })

} // namespace tarvo::issues::test
