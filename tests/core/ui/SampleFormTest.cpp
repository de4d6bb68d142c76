#include "core/dictionary/TarvoDictionary.h"
#include "core/helpers/AddHistory.h"
#include "core/services/Services.h"
#include "core/startup/SettingsRecord.h"
#include "core/ui/WindowOpening.h"
#include "core/ui/frame/FrameFixture.h"
#include "platform/data/Connection.h"
#include "platform/data/Dictionary.h"
#include "platform/data/ErrorClassReporter.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/Store.h"
#include "platform/runtime/DayDate.h"
#include "platform/runtime/ErrorClass.h"
#include "platform/runtime/Translator.h"
#include "platform/ui/UpdateForm.h"
#include "support/PostgresServer.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>

#include <gtest/gtest.h>
#include <map>
#include <utility>

namespace tarvo::core::ui::test {
namespace {

using tarvo::ui::UpdateForm;

// An issue form as the forms to come declare themselves: its controls, then a table of its
// fields and rules, then its history.
class SampleIssueForm final : public UpdateForm {
  public:
    SampleIssueForm(Context &context, data::Session &session)
        : UpdateForm(context, QStringLiteral("UpdateBugs"), session, QStringLiteral("Bugs"))
    {
        auto *widget = new QWidget;
        widget->setWindowTitle(QStringLiteral("Sample issue"));
        auto *rows = new QFormLayout(widget);
        rows->addRow(QStringLiteral("Description:"), description = new QLineEdit);
        rows->addRow(QStringLiteral("Status:"), status = new QComboBox);
        status->addItems({QStringLiteral("New"), QStringLiteral("Assigned")});
        rows->addRow(QStringLiteral("Category:"), category = new QLineEdit);
        rows->addRow(QStringLiteral("Date due:"), due = new QLineEdit);
        rows->addRow(QStringLiteral("Text:"), text = new QPlainTextEdit);
        rows->addRow(duplicate = button("Duplicate", "&Duplicate"), ok = button("OK", "&OK"));
        rows->addRow(cancel = button("Cancel", "&Cancel"));
        setWindow(widget);

        field(QStringLiteral("BUG:Description"), description).required();
        field(QStringLiteral("BUG:Status"), status);
        field(QStringLiteral("BUG:Category"), category).range(1, 4);
        field(QStringLiteral("BUG:DueDate"), due).picture(QStringLiteral("@D6"));
        field(QStringLiteral("BUG:BugText"), text);
        setButtons(ok, cancel);
        onPrime([](data::Record &record) { record.setValue(QStringLiteral("BUG:Category"), 1); });
        onHistory(
            [this](const data::Record &before, const data::Record &after) { return history(before, after); });
    }

    QPushButton *button(const char *name, const char *caption)
    {
        auto *b = new QPushButton(QString::fromUtf8(caption));
        b->setObjectName(QString::fromLatin1(name));
        return b;
    }

    // A new issue gets "Record added"; a change one entry for each changed field.
    Result<void> history(const data::Record &before, const data::Record &after)
    {
        const data::Record settings = SettingsRecord::instance().record();
        if (request() == Request::Insert) {
            AddHistory(session(), settings, QStringLiteral("Record added"), QStringLiteral("S255"), {}, {});
            return {};
        }
        for (const auto &field : fields()) {
            if (before.value(field->index()) != after.value(field->index()))
                AddHistory(session(), settings, field->name(), field->pictureText(),
                           Picture::format(before.value(field->index()), field->pictureText()),
                           Picture::format(after.value(field->index()), field->pictureText()));
        }
        return {};
    }

    QLineEdit *description = nullptr;
    QComboBox *status = nullptr;
    QLineEdit *category = nullptr;
    QLineEdit *due = nullptr;
    QPlainTextEdit *text = nullptr;
    QPushButton *duplicate = nullptr;
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
};

void drain()
{
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// One logical thread of the program with its error object and its data.
struct Thread {
    explicit Thread(int number) : context(std::make_shared<Context>(number))
    {
        errors.init(QStringLiteral("English"));
    }
    std::shared_ptr<Context> context;
    ErrorClass errors;
    data::ErrorClassReporter reporter{errors};
    std::unique_ptr<data::Session> session;
    int response = Response::None;
};

// A data folder on the program's dictionary and two threads that edit its issues.
class FormFolder : public testing::Test {
  protected:
    virtual data::StoreKind store() const = 0;

    void SetUp() override
    {
        if (store() == data::StoreKind::Postgres) {
            auto &pg = tarvo::test::PostgresServer::instance();
            if (!pg.available())
                GTEST_SKIP() << pg.reason().toStdString();
            ASSERT_TRUE(pg.dropSchema(QStringLiteral("tarvo")));
            pg.writeDatabaseIni(m_dir.path());
        }
        auto dictionary = data::Dictionary::open(tarvoDictionary(), m_dir.path());
        ASSERT_TRUE(dictionary.ok()) << dictionary.error().message.toStdString();
        m_dictionary = std::move(dictionary).value();
        for (Thread *thread : {&m_first, &m_second})
            thread->session = m_dictionary->createSession(thread->context->number(), &thread->reporter);
        Services::setAccess(&m_access);
        WindowOpening::install();
    }

    void TearDown() override
    {
        drain();
        WindowOpening::uninstall();
        Services::setAccess(nullptr);
        m_first.session.reset();
        m_second.session.reset();
        m_dictionary.reset();
    }

    // Runs the form on the thread under the request, as a list's record button does.
    QPointer<SampleIssueForm> run(Thread &thread, int request)
    {
        thread.response = Response::None;
        thread.context->setThreadRequest(request);
        auto *form = new SampleIssueForm(*thread.context, *thread.session);
        form->openModal(nullptr, [&thread](int response) { thread.response = response; });
        return form;
    }

    data::Record &buffer(Thread &thread) { return thread.session->file(QStringLiteral("Bugs"))->buffer(); }

    qint64 count(const QString &table, const QString &where = QStringLiteral("1 = 1"))
    {
        if (data::FileManager *file = m_first.session->file(table)) {
            EXPECT_TRUE(file->open().ok());
        }
        auto conn = m_first.session->connection();
        EXPECT_TRUE(conn.ok());
        QSqlQuery q((*conn)->database());
        EXPECT_TRUE(q.exec(QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE %2").arg(table, where)));
        return q.next() ? q.value(0).toLongLong() : -1;
    }

    data::Record stored(qint64 id)
    {
        data::FileManager &bugs = *m_first.session->file(QStringLiteral("Bugs"));
        data::Record record = bugs.newRecord();
        record.setValue(QStringLiteral("BUG:ID"), id);
        EXPECT_TRUE(bugs.fetch(QStringLiteral("KeyID"), record).ok()) << id;
        return record;
    }

    data::Record addIssue(const QString &description)
    {
        data::FileManager &bugs = *m_first.session->file(QStringLiteral("Bugs"));
        data::Record record = bugs.newRecord();
        record.setValue(QStringLiteral("BUG:Description"), description);
        record.setValue(QStringLiteral("BUG:Category"), 1);
        EXPECT_TRUE(bugs.insert(record).ok());
        return record;
    }

    tarvo::test::TempDir m_dir;
    tarvo::test::ScriptedMessages m_messages;
    FakeAccess m_access;
    std::unique_ptr<data::Dictionary> m_dictionary;
    Thread m_first{2};
    Thread m_second{3};
};

// The same on SQLite and on PostgreSQL.
class SampleForm : public FormFolder, public testing::WithParamInterface<data::StoreKind> {
  protected:
    data::StoreKind store() const override { return GetParam(); }
};

INSTANTIATE_TEST_SUITE_P(Stores, SampleForm,
                         testing::Values(data::StoreKind::Sqlite, data::StoreKind::Postgres),
                         [](const auto &info) {
                             return std::string(info.param == data::StoreKind::Sqlite ? "SQLite"
                                                                                      : "PostgreSQL");
                         });

TEST_P(SampleForm, InsertsChangesViewsAndDeletesAnIssue)
{
    const qint32 dueDay = DayDate::today() + 30;
    QPointer<SampleIssueForm> form = run(m_first, Request::Insert);
    ASSERT_TRUE(form && form->isOpen());
    const qint64 id = form->record().integer(QStringLiteral("BUG:ID"));
    EXPECT_GT(id, 0);
    EXPECT_EQ(count(QStringLiteral("Bugs")), 1) << "the number is claimed while the form is open";
    EXPECT_EQ(form->description->maxLength(), 255);
    form->description->setText(QStringLiteral("Printer jams"));
    form->status->setCurrentIndex(1);
    form->due->setText(Picture::format(dueDay, QStringLiteral("@D6")));
    form->ok->click();
    EXPECT_EQ(m_first.response, Response::Completed);
    data::Record saved = stored(id);
    EXPECT_EQ(saved.text(QStringLiteral("BUG:Description")), QStringLiteral("Printer jams"));
    EXPECT_EQ(saved.text(QStringLiteral("BUG:Status")), QStringLiteral("Assigned"));
    EXPECT_EQ(saved.integer(QStringLiteral("BUG:DueDate")), dueDay);
    EXPECT_EQ(count(QStringLiteral("History"), QStringLiteral("\"FIELD\" = 'Record added'")), 1);
    drain();

    form = run(m_first, Request::Change);
    ASSERT_TRUE(form && form->isOpen());
    EXPECT_EQ(form->description->text(), QStringLiteral("Printer jams"));
    EXPECT_EQ(form->due->text(), Picture::format(dueDay, QStringLiteral("@D6")));
    form->status->setCurrentIndex(0);
    form->ok->click();
    EXPECT_EQ(m_first.response, Response::Completed);
    EXPECT_EQ(stored(id).text(QStringLiteral("BUG:Status")), QStringLiteral("New"));
    EXPECT_EQ(count(QStringLiteral("History"), QStringLiteral("\"FIELD\" = 'BUG:Status'")), 1);
    drain();

    form = run(m_first, Request::View);
    ASSERT_TRUE(form && form->isOpen());
    EXPECT_TRUE(form->ok->isHidden());
    EXPECT_EQ(form->cancel->text(), QStringLiteral("&Close"));
    EXPECT_TRUE(form->description->isReadOnly());
    EXPECT_FALSE(form->status->isEnabled());
    form->cancel->click();
    EXPECT_EQ(m_first.response, Response::Cancelled);
    drain();

    // A delete asks, deletes with the relation rules (its history goes too) and shows no window.
    form = run(m_first, Request::Delete);
    ASSERT_TRUE(form);
    EXPECT_FALSE(form->window()->isVisible());
    EXPECT_EQ(m_first.response, Response::Completed);
    EXPECT_TRUE(m_messages.texts().contains(
        QStringLiteral("Are you sure you want to delete the highlighted record?")));
    EXPECT_EQ(count(QStringLiteral("Bugs")), 0);
    EXPECT_EQ(count(QStringLiteral("History")), 0);
}

TEST_P(SampleForm, TheSecondThreadGetsTheHoldMessageAndViewsUntilTheFirstHasSaved)
{
    const data::Record issue = addIssue(QStringLiteral("Shared"));
    buffer(m_first) = issue;
    buffer(m_second) = issue;
    QPointer<SampleIssueForm> first = run(m_first, Request::Change);
    ASSERT_TRUE(first && first->isOpen());
    EXPECT_FALSE(first->isViewOnly());

    QPointer<SampleIssueForm> second = run(m_second, Request::Change);
    ASSERT_TRUE(second && second->isOpen());
    EXPECT_TRUE(second->isViewOnly());
    EXPECT_TRUE(second->ok->isHidden());
    ASSERT_FALSE(m_messages.texts().isEmpty());
    EXPECT_TRUE(m_messages.texts().last().contains(QStringLiteral("is being edited by another user")))
        << m_messages.texts().last().toStdString();
    second->cancel->click();
    EXPECT_EQ(m_second.response, Response::Cancelled);
    drain();

    // A delete of a held record views it and deletes nothing.
    second = run(m_second, Request::Delete);
    ASSERT_TRUE(second && second->isOpen());
    EXPECT_TRUE(second->isViewOnly());
    second->cancel->click();
    EXPECT_EQ(count(QStringLiteral("Bugs")), 1);

    first->description->setText(QStringLiteral("Shared and changed"));
    first->ok->click();
    EXPECT_EQ(m_first.response, Response::Completed);
    drain();

    // The hold went with the commit, and the second thread reads what the first saved.
    second = run(m_second, Request::Change);
    ASSERT_TRUE(second && second->isOpen());
    EXPECT_FALSE(second->isViewOnly());
    EXPECT_EQ(second->description->text(), QStringLiteral("Shared and changed"));
    second->cancel->click();
}

TEST_P(SampleForm, ClosingANewIssueLeavesNothingBehindNotEvenWhatASubFormAddedUnderIt)
{
    QPointer<SampleIssueForm> form = run(m_first, Request::Insert);
    ASSERT_TRUE(form && form->isOpen());
    const qint64 id = form->record().integer(QStringLiteral("BUG:ID"));
    data::FileManager &notes = *m_first.session->file(QStringLiteral("Notes"));
    data::Record note = notes.newRecord();
    ASSERT_TRUE(note.setValue(QStringLiteral("NOTE:ID"), id));
    ASSERT_TRUE(note.setValue(QStringLiteral("NOTE:Note"), QStringLiteral("written by a sub-form")));
    ASSERT_TRUE(notes.insert(note).ok());
    form->description->setText(QStringLiteral("Never saved"));

    form->window()->close(); // the title bar's close is Cancel
    EXPECT_EQ(m_first.response, Response::Cancelled);
    EXPECT_EQ(count(QStringLiteral("Bugs")), 0);
    EXPECT_EQ(count(QStringLiteral("Notes")), 0);
    EXPECT_EQ(count(QStringLiteral("_tarvo_holds")), 0);
    drain();

    // The file has forgotten the claim: the next issue is saved as a new one.
    form = run(m_first, Request::Insert);
    ASSERT_TRUE(form && form->isOpen());
    form->description->setText(QStringLiteral("Saved"));
    form->ok->click();
    EXPECT_EQ(m_first.response, Response::Completed)
        << m_messages.texts().join(QLatin1Char('/')).toStdString();
    EXPECT_EQ(count(QStringLiteral("Bugs")), 1);
}

TEST_P(SampleForm, AFailedSaveRollsBackAndASecondOkSavesTheSameNewIssue)
{
    QPointer<SampleIssueForm> form = run(m_first, Request::Insert);
    ASSERT_TRUE(form && form->isOpen());
    const qint64 id = form->record().integer(QStringLiteral("BUG:ID"));
    bool failOnce = true;
    form->onHistory([&failOnce](const data::Record &, const data::Record &) -> Result<void> {
        if (!std::exchange(failOnce, false))
            return {};
        return makeError(90, QStringLiteral("history refused"));
    });
    form->description->setText(QStringLiteral("Second time lucky"));
    form->ok->click();
    EXPECT_TRUE(form->isOpen());
    EXPECT_EQ(count(QStringLiteral("Bugs"), QStringLiteral("\"Description\" <> ''")), 0) << "rolled back";
    EXPECT_TRUE(m_messages.texts().last().contains(QStringLiteral("history refused")));

    form->ok->click();
    EXPECT_EQ(m_first.response, Response::Completed)
        << m_messages.texts().join(QLatin1Char('/')).toStdString();
    EXPECT_EQ(count(QStringLiteral("Bugs")), 1);
    EXPECT_EQ(stored(id).text(QStringLiteral("BUG:Description")), QStringLiteral("Second time lucky"));
}

TEST_P(SampleForm, OpensTranslatedAndUnderTheUsersRights)
{
    static const TranslationPair pairs[] = {{"Sample issue", "Beispielvorgang"}};
    Translator::instance().addTable(pairs);
    data::Record settings(m_dictionary->layout(QStringLiteral("Parameter")));
    settings.setValue(QStringLiteral("Language"), QStringLiteral("Deutsch"));
    SettingsRecord::instance().set(settings);
    m_access.refused = {QStringLiteral("UpdateBugs:?Duplicate")};

    QPointer<SampleIssueForm> form = run(m_first, Request::Insert);
    ASSERT_TRUE(form && form->isOpen());
    EXPECT_EQ(form->window()->windowTitle(), QStringLiteral("Beispielvorgang"));
    EXPECT_FALSE(form->duplicate->isEnabled());
    EXPECT_TRUE(form->ok->isEnabled());
    form->cancel->click();
    SettingsRecord::instance().clear();
}

// A fault in a form's table shows at once, and such a form never opens.
class BrokenForm final : public UpdateForm {
  public:
    BrokenForm(Context &context, data::Session &session)
        : UpdateForm(context, QStringLiteral("UpdateBroken"), session, QStringLiteral("Bugs"))
    {
        setWindow(new QWidget);
        field(QStringLiteral("BUG:Nonesuch"), new QLineEdit(window()));
    }
};

TEST_P(SampleForm, AnUnknownFieldNameIsAnErrorAtOnce)
{
    m_first.context->setThreadRequest(Request::Insert);
    QPointer<BrokenForm> form = new BrokenForm(*m_first.context, *m_first.session);
    ASSERT_TRUE(form->tableError().has_value());
    ASSERT_FALSE(m_messages.texts().isEmpty());
    // The message names the file on disk and its table.
    const QString text = m_messages.texts().last();
    EXPECT_TRUE(text.startsWith(QStringLiteral("BUG:Nonesuch is not a field of "))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("(table Bugs)."))) << text.toStdString();
    int response = Response::None;
    EXPECT_FALSE(form->openModal(nullptr, [&response](int r) { response = r; }));
    EXPECT_EQ(response, Response::Cancelled);
    EXPECT_EQ(count(QStringLiteral("Bugs")), 0);
    drain();
    EXPECT_TRUE(form.isNull()) << "a form that did not open goes by itself";
}

// What a refused OK shows, and what the user did to get it.
struct Refusal {
    const char *name;
    const char *description;
    const char *category;
    const char *due;
    const char *message;
};

class SampleFormRefusal : public FormFolder, public testing::WithParamInterface<Refusal> {
  protected:
    data::StoreKind store() const override { return data::StoreKind::Sqlite; }
};

TEST_P(SampleFormRefusal, KeepsTheFormOpenWithItsMessageAndCancelLeavesNoClaimedRow)
{
    const Refusal &refusal = GetParam();
    QPointer<SampleIssueForm> form = run(m_first, Request::Insert);
    ASSERT_TRUE(form && form->isOpen());
    form->description->setText(QString::fromUtf8(refusal.description));
    form->category->setText(QString::fromUtf8(refusal.category));
    form->due->setText(QString::fromUtf8(refusal.due));
    form->ok->click();
    EXPECT_TRUE(form->isOpen());
    EXPECT_EQ(m_first.response, Response::None);
    ASSERT_FALSE(m_messages.texts().isEmpty());
    EXPECT_EQ(m_messages.texts().last(), QString::fromUtf8(refusal.message));
    EXPECT_EQ(count(QStringLiteral("Bugs"), QStringLiteral("\"Description\" <> ''")), 0)
        << "nothing was written";

    form->cancel->click();
    EXPECT_EQ(m_first.response, Response::Cancelled);
    EXPECT_EQ(count(QStringLiteral("Bugs")), 0);
    EXPECT_EQ(count(QStringLiteral("_tarvo_holds")), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SampleFormRefusal,
    testing::Values(Refusal{"Required", "", "1", "", "A value for BUG:Description is required."},
                    Refusal{"BlankIsEmpty", "   ", "1", "", "A value for BUG:Description is required."},
                    Refusal{"Range", "Jams", "9", "", "The value of BUG:Category must be in range 1 .. 4."},
                    Refusal{"Picture", "Jams", "1", "soon", "The entry for BUG:DueDate is not valid: soon"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace tarvo::core::ui::test
