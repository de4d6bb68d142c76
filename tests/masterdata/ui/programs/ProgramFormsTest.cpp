#include "core/dictionary/TarvoDictionary.h"
#include "core/services/IssueStandIn.h"
#include "core/services/Services.h"
#include "listext/ui/BrowseList.h"
#include "listext/ui/BrowseListModel.h"
#include "masterdata/customers/CustomerTagQueue.h"
#include "masterdata/ui/programs/ProgramRemoval.h"
#include "masterdata/ui/programs/UpdateProgramFiles.h"
#include "masterdata/ui/programs/UpdateProgramRelease.h"
#include "masterdata/ui/programs/UpdatePrograms.h"
#include "masterdata/ui/programs/UpdateWebLinks.h"
#include "masterdata/ui/programs/Vuvuzu_ProgramSelect.h"
#include "platform/data/Connection.h"
#include "platform/data/Dictionary.h"
#include "platform/data/ErrorClassReporter.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/query/CsvReader.h"
#include "platform/runtime/ErrorClass.h"
#include "platform/secrets/SecretStore.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTreeWidget>

#include <gtest/gtest.h>
#include <tuple>

namespace tarvo::masterdata::ui {
namespace {

void drain()
{
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A data folder with programs 1 "Tarvo" and 2 "Vuvuzu", release "1.0" of Tarvo, and a config
// folder of the user's own that holds the secret key.
class ProgramForms : public testing::Test {
  protected:
    void SetUp() override
    {
        m_home.useAsConfigHome();
        m_errors.init(QStringLiteral("English"));
        auto dictionary = data::Dictionary::open(core::tarvoDictionary(), m_data.path());
        ASSERT_TRUE(dictionary.ok()) << dictionary.error().message.toStdString();
        m_dictionary = std::move(dictionary).value();
        m_session = m_dictionary->createSession(m_context->number(), &m_reporter);
        for (const char *name : {"Tarvo", "Vuvuzu"})
            add(QStringLiteral("Programs"), {{QStringLiteral("PRG:PrgName"), QString::fromLatin1(name)}});
        add(QStringLiteral("Releases"),
            {{QStringLiteral("REL:PRGID"), 1}, {QStringLiteral("REL:Release"), QStringLiteral("1.0")}});
    }

    void TearDown() override
    {
        drain();
        core::Services::setIssues(nullptr);
        UpdateProgramFiles::setFileChooser({});
        UpdatePrograms::setExportPathAsker({});
        m_session.reset();
        m_dictionary.reset();
    }

    data::Record add(const QString &label, const std::vector<std::pair<QString, QVariant>> &values)
    {
        data::FileManager &file = *m_session->file(label);
        data::Record record = file.newRecord();
        for (const auto &[name, value] : values)
            record.setValue(name, value);
        EXPECT_TRUE(file.insert(record).ok());
        return record;
    }

    data::Record &buffer(const QString &label)
    {
        data::FileManager &file = *m_session->file(label);
        file.buffer() = file.newRecord();
        return file.buffer();
    }

    // Opens the form under the request, as a list's record button does.
    template <class Form, class... Args> QPointer<Form> run(int request, Args &&...args)
    {
        m_response = Response::None;
        m_context->setThreadRequest(request);
        auto *form = new Form(*m_context, *m_session, std::forward<Args>(args)...);
        form->openModal(nullptr, [this](int response) { m_response = response; });
        return form;
    }

    template <class Control> Control *control(tarvo::ui::WindowManager &form, const char *name)
    {
        auto *found = form.window()->findChild<Control *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void press(tarvo::ui::WindowManager &form, const char *name)
    {
        control<QPushButton>(form, name)->click();
    }

    std::vector<data::Record> rows(const QString &label)
    {
        std::vector<data::Record> result;
        data::FileManager &file = *m_session->file(label);
        EXPECT_TRUE(file.select(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY \"_rid\"")
                                    .arg(file.layout().selectList(), label),
                                {}, result)
                        .ok());
        return result;
    }

    test::TempDir m_data;
    test::TempDir m_home;
    test::ScriptedMessages m_messages;
    std::shared_ptr<Context> m_context = std::make_shared<Context>(2);
    ErrorClass m_errors;
    data::ErrorClassReporter m_reporter{m_errors};
    std::unique_ptr<data::Dictionary> m_dictionary;
    std::unique_ptr<data::Session> m_session;
    int m_response = Response::None;
};

TEST_F(ProgramForms, AWebLinkPasswordIsStoredSealedAndShownAgainMasked)
{
    const QString password = QStringLiteral("hunter2-Gr\u00fc\u00dfe");
    const QString pin = QStringLiteral("4711");
    for (const char *description : {"Shop", "Forum"}) {
        buffer(QStringLiteral("WebLinks")).setValue(QStringLiteral("WEB:P"), 0);
        QPointer<UpdateWebLinks> form = run<UpdateWebLinks>(Request::Insert, 1);
        ASSERT_TRUE(form && form->isOpen());
        control<QLineEdit>(*form, "WEB:DESCRIPTION")->setText(QString::fromLatin1(description));
        control<QLineEdit>(*form, "WEB:LINK")->setText(QStringLiteral("https://example.org/a b?q=1&r=2"));
        control<QLineEdit>(*form, "WEB:PASSWORD")->setText(password);
        control<QLineEdit>(*form, "WEB:PIN")->setText(pin);
        press(*form, "OK");
        drain();
        ASSERT_EQ(m_response, Response::Completed) << m_messages.texts().join(QLatin1Char('|')).toStdString();
    }
    const std::vector<data::Record> links = rows(QStringLiteral("WebLinks"));
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].integer(QStringLiteral("WEB:Sort")), 1);
    EXPECT_EQ(links[1].integer(QStringLiteral("WEB:Sort")), 2);
    EXPECT_EQ(links[1].integer(QStringLiteral("WEB:PrgID")), 1);
    for (const char *field : {"WEB:Password", "WEB:PIN"})
        EXPECT_TRUE(SecretStore::isSealed(links[0].text(QString::fromLatin1(field)))) << field;

    // Nothing in the data folder holds the plain text, and the key lives outside it.
    QDirIterator files(m_data.path(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_FALSE(bytes.contains(password.toUtf8())) << file.fileName().toStdString();
        EXPECT_FALSE(bytes.contains("hunter2")) << file.fileName().toStdString();
    }
    EXPECT_FALSE(SecretStore().keyPath().startsWith(m_data.path()));
    EXPECT_TRUE(QFile::exists(SecretStore().keyPath()));

    m_session->file(QStringLiteral("WebLinks"))->buffer() = links[0];
    QPointer<UpdateWebLinks> form = run<UpdateWebLinks>(Request::Change, 1);
    ASSERT_TRUE(form && form->isOpen());
    auto *shown = control<QLineEdit>(*form, "WEB:PASSWORD");
    EXPECT_EQ(shown->text(), password);
    EXPECT_EQ(shown->echoMode(), QLineEdit::Password);
    EXPECT_EQ(control<QLineEdit>(*form, "WEB:PIN")->echoMode(), QLineEdit::Password);
    press(*form, "Cancel");
}

TEST_F(ProgramForms, AReleaseTextIsRefusedOnlyAsASecondOfTheSameProgram)
{
    struct Case {
        qint64 program;
        int request;
        bool refused;
    };
    const Case cases[] = {
        {1, Request::Insert, true},  // Tarvo has "1.0" already
        {2, Request::Insert, false}, // Vuvuzu has not
        {1, Request::Change, false}, // the release itself, unchanged
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "program " << c.program << " request " << c.request);
        m_messages.clear();
        data::Record &release = buffer(QStringLiteral("Releases"));
        if (c.request == Request::Change)
            release = rows(QStringLiteral("Releases")).front();
        release.setValue(QStringLiteral("REL:PRGID"), c.program);
        QPointer<UpdateProgramRelease> form = run<UpdateProgramRelease>(c.request);
        ASSERT_TRUE(form && form->isOpen());
        control<QLineEdit>(*form, "REL:RELEASE")->setText(QStringLiteral("1.0"));
        press(*form, "OK");
        drain();
        EXPECT_EQ(m_messages.texts(),
                  c.refused ? QStringList{QStringLiteral("This release already exists!")} : QStringList{});
        EXPECT_EQ(bool(form), c.refused);
        if (form)
            press(*form, "Cancel");
        drain();
    }
    EXPECT_EQ(rows(QStringLiteral("Releases")).size(), 2u);
}

TEST_F(ProgramForms, ADeletedReleaseTakesItsIssuesOnlyWhenTheUserSaysSo)
{
    for (const auto &[program, version] : {std::pair{1, "1.0"}, {1, "1.0"}, {1, "2.0"}, {2, "1.0"}})
        add(QStringLiteral("Bugs"), {{QStringLiteral("BUG:PrgID"), program},
                                     {QStringLiteral("BUG:Version"), QString::fromLatin1(version)}});
    add(QStringLiteral("Releases"),
        {{QStringLiteral("REL:PRGID"), 1}, {QStringLiteral("REL:Release"), QStringLiteral("2.0")}});
    struct Case {
        const char *release;
        int answer; // to the question about the issues
        size_t issuesLeft;
    };
    const Case cases[] = {{"2.0", Button::No, 4}, {"1.0", Button::Yes, 2}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.release);
        for (const data::Record &release : rows(QStringLiteral("Releases")))
            if (release.text(QStringLiteral("REL:Release")) == QLatin1String(c.release))
                m_session->file(QStringLiteral("Releases"))->buffer() = release;
        m_messages.clear();
        m_messages.answer(Button::Yes); // the standard confirmation
        m_messages.answer(c.answer);
        run<UpdateProgramRelease>(Request::Delete);
        drain();
        EXPECT_EQ(m_response, Response::Completed);
        EXPECT_EQ(m_messages.texts().size(), 2);
        EXPECT_EQ(rows(QStringLiteral("Bugs")).size(), c.issuesLeft);
    }
    EXPECT_EQ(rows(QStringLiteral("Releases")).size(), 0u);
    for (const data::Record &issue : rows(QStringLiteral("Bugs")))
        EXPECT_FALSE(issue.integer(QStringLiteral("BUG:PrgID")) == 1 &&
                     issue.text(QStringLiteral("BUG:Version")) == QLatin1String("1.0"));
}

TEST_F(ProgramForms, TheFileDialogKeepsATypedNameAndANewReleaseIsOffered)
{
    buffer(QStringLiteral("Programfiles")).setValue(QStringLiteral("PFIL:PRGID"), 1);
    QPointer<UpdateProgramFiles> form = run<UpdateProgramFiles>(Request::Insert);
    ASSERT_TRUE(form && form->isOpen());
    QStringList offered;
    form->setAddRelease([&offered, &form](QWidget *, std::function<void()> done) {
        offered << form->window()->findChild<QComboBox *>(QStringLiteral("PFIL:SINCERELEASE"))->currentText();
        done();
    });
    auto *file = control<QLineEdit>(*form, "PFIL:FILE");
    file->setText(QStringLiteral("typed.exe"));
    UpdateProgramFiles::setFileChooser([](QWidget *, const QString &) { return QString(); });
    press(*form, "LOOKUPFILE");
    EXPECT_EQ(file->text(), QStringLiteral("typed.exe"));
    UpdateProgramFiles::setFileChooser(
        [](QWidget *, const QString &) { return QStringLiteral("/opt/app/app.exe"); });
    press(*form, "LOOKUPFILE");
    EXPECT_EQ(file->text(), QStringLiteral("/opt/app/app.exe"));

    auto *since = control<QComboBox>(*form, "PFIL:SINCERELEASE");
    EXPECT_EQ(since->count(), 1);
    for (const char *typed : {"1.0", "", "2.0"}) {
        since->setCurrentText(QString::fromLatin1(typed));
        Q_EMIT since->lineEdit()->editingFinished();
        drain();
    }
    EXPECT_EQ(offered, QStringList{QStringLiteral("2.0")});
    press(*form, "OK");
    drain();
    EXPECT_EQ(m_response, Response::Completed);
    EXPECT_EQ(rows(QStringLiteral("Programfiles")).front().text(QStringLiteral("PFIL:SINCERELEASE")),
              QStringLiteral("2.0"));
}

TEST_F(ProgramForms, TheProgramFormShowsItsOwnRowsAndMovesItsStatuses)
{
    for (const auto &[program, sort, text] : {std::tuple{1, 1, "New"}, {1, 2, "Open"}, {2, 1, "Other"}})
        add(QStringLiteral("Status"), {{QStringLiteral("STA:PrgID"), program},
                                       {QStringLiteral("STA:SORT"), sort},
                                       {QStringLiteral("STA:STATUS"), QString::fromLatin1(text)}});
    add(QStringLiteral("Releases"),
        {{QStringLiteral("REL:PRGID"), 2}, {QStringLiteral("REL:Release"), QStringLiteral("9.9")}});
    add(QStringLiteral("Bugs"), {{QStringLiteral("BUG:PrgID"), 1},
                                 {QStringLiteral("BUG:Status"), QStringLiteral("Open")},
                                 {QStringLiteral("BUG:StatusSort"), 2}});
    m_session->file(QStringLiteral("Programs"))->buffer() = rows(QStringLiteral("Programs")).front();
    QPointer<UpdatePrograms> form = run<UpdatePrograms>(Request::Change);
    ASSERT_TRUE(form && form->isOpen());
    EXPECT_EQ(form->list(UpdatePrograms::ReleaseList)->model().rowCount(), 1);
    listext::ui::BrowseList &statuses = *form->list(UpdatePrograms::StatusList);
    ASSERT_EQ(statuses.model().rowCount(), 2);
    statuses.goToRow(1);
    press(*form, "UP");
    for (const data::Record &status : rows(QStringLiteral("Status"))) {
        if (status.integer(QStringLiteral("STA:PrgID")) != 1)
            continue;
        const bool open = status.text(QStringLiteral("STA:STATUS")) == QLatin1String("Open");
        EXPECT_EQ(status.integer(QStringLiteral("STA:SORT")), open ? 1 : 2);
    }
    EXPECT_EQ(rows(QStringLiteral("Bugs")).front().integer(QStringLiteral("BUG:StatusSort")), 1);
    press(*form, "UP"); // the first entry: only a beep
    EXPECT_EQ(m_messages.beeps().size(), 1u);
    press(*form, "Cancel");
}

TEST_F(ProgramForms, TheCustomersTabTagsAndExportsTheProgramsBuyers)
{
    auto customer = [this](const char *name, const char *status) {
        return add(QStringLiteral("Customer"), {{QStringLiteral("CUS:Lastname"), QString::fromLatin1(name)},
                                                {QStringLiteral("CUS:Status"), QString::fromLatin1(status)}})
            .integer(QStringLiteral("CUS:ID"));
    };
    const qint64 ann = customer("Annfield", "disabled");
    const qint64 bay = customer("Bayside", "");
    const qint64 other = customer("Otherbuyer", "");
    for (const auto &[id, program] : {std::pair{ann, 1}, {bay, 1}, {other, 2}, {qint64(9999), 1}})
        add(QStringLiteral("CustomerPrograms"),
            {{QStringLiteral("CUP:ID"), id}, {QStringLiteral("CUP:PrgID"), program}});
    CustomerTagQueue::global().add(other); // made in the customer browse: gone when the form opens

    m_session->file(QStringLiteral("Programs"))->buffer() = rows(QStringLiteral("Programs")).front();
    QPointer<UpdatePrograms> form = run<UpdatePrograms>(Request::Change);
    ASSERT_TRUE(form && form->isOpen());
    EXPECT_TRUE(CustomerTagQueue::global().isEmpty());
    listext::ui::BrowseList &buyers = *form->list(UpdatePrograms::CustomerList);
    ASSERT_EQ(buyers.model().rowCount(), 3);
    EXPECT_EQ(buyers.model().cellText(0, QStringLiteral("CustomerLastname")), QStringLiteral("Annfield"));
    EXPECT_EQ(buyers.model().cellText(1, QStringLiteral("CustomerLastname")), QStringLiteral("Bayside"));
    EXPECT_EQ(buyers.model().cellText(2, QStringLiteral("CustomerLastname")), QString()); // customer gone
    EXPECT_EQ(buyers.button(Request::Insert), nullptr);
    auto *count = control<QLabel>(*form, "STR");

    buyers.goToRow(0);
    press(*form, "DASTAG"); // tags and moves on
    EXPECT_TRUE(CustomerTagQueue::global().contains({ann, 1, 0}));
    EXPECT_EQ(buyers.currentRow(), 1);
    EXPECT_EQ(count->text(), QStringLiteral("1 record marked."));
    EXPECT_EQ(buyers.model().cellText(0, QStringLiteral("TagField")), QStringLiteral("*"));
    Q_EMIT buyers.view()->clicked(buyers.model().index(1, 0)); // the mark column: stays
    EXPECT_TRUE(CustomerTagQueue::global().contains({bay, 1, 0}));
    EXPECT_EQ(buyers.currentRow(), 1);

    press(*form, "DASTAGALL");
    EXPECT_EQ(CustomerTagQueue::global().size(), 3);
    EXPECT_EQ(count->text(), QStringLiteral("3 records marked."));
    const QString path = m_data.file(QStringLiteral("buyers.csv"));
    UpdatePrograms::setExportPathAsker([path](QWidget *) { return path; });
    press(*form, "EXPORTS");
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QString csv = QString::fromUtf8(written.readAll());
    EXPECT_TRUE(csv.contains(QLatin1String("Annfield")) && csv.contains(QLatin1String("Bayside")))
        << csv.toStdString();
    EXPECT_FALSE(csv.contains(QLatin1String("Otherbuyer")));

    press(*form, "DASUNTAGALL");
    EXPECT_TRUE(CustomerTagQueue::global().isEmpty());
    EXPECT_EQ(count->text(), QString());
    press(*form, "DASTAG");
    press(*form, "Cancel");
    EXPECT_TRUE(CustomerTagQueue::global().isEmpty());
}

// One customer who bought the program twice: each purchase is tagged on its own, and the export
// writes a line per tagged purchase with the fields of the five files, read back whole.
TEST_F(ProgramForms, EachPurchaseIsTaggedAndExportedWithItsProgramNoteAndAttachment)
{
    const qint64 buyer =
        add(QStringLiteral("Customer"), {{QStringLiteral("CUS:Lastname"), QStringLiteral("Cove")}})
            .integer(QStringLiteral("CUS:ID"));
    for (const auto &[date, licences] : {std::pair{80000, 2}, {80100, 5}})
        add(QStringLiteral("CustomerPrograms"), {{QStringLiteral("CUP:ID"), buyer},
                                                 {QStringLiteral("CUP:PrgID"), 1},
                                                 {QStringLiteral("CUP:PurchasedDate"), date},
                                                 {QStringLiteral("CUP:PurchasedLicenses"), licences}});
    add(QStringLiteral("Notes"),
        {{QStringLiteral("NOTE:PrgID"), 1}, {QStringLiteral("NOTE:Note"), QStringLiteral("Call back")}});
    m_session->file(QStringLiteral("Programs"))->buffer() = rows(QStringLiteral("Programs")).front();
    QPointer<UpdatePrograms> form = run<UpdatePrograms>(Request::Change);
    ASSERT_TRUE(form && form->isOpen());
    listext::ui::BrowseList &buyers = *form->list(UpdatePrograms::CustomerList);
    ASSERT_EQ(buyers.model().rowCount(), 2);
    buyers.goToRow(1);
    press(*form, "DASTAG");
    EXPECT_EQ(CustomerTagQueue::global().tags(),
              (std::vector<listext::TagQueue::Tag>{
                  {buyer, 1, buyers.model().rawValue(1, QStringLiteral("CUP:PurchasedDate")).toLongLong()}}));
    EXPECT_EQ(buyers.model().cellText(0, QStringLiteral("TagField")), QString());
    EXPECT_EQ(buyers.model().cellText(1, QStringLiteral("TagField")), QStringLiteral("*"));
    press(*form, "DASTAGALL");
    EXPECT_EQ(CustomerTagQueue::global().tags(),
              (std::vector<listext::TagQueue::Tag>{{buyer, 1, 80000}, {buyer, 1, 80100}}));
    press(*form, "DASTAGALL"); // all again: still each purchase once
    EXPECT_EQ(CustomerTagQueue::global().size(), 2);
    buyers.goToRow(0);
    press(*form, "DASTAG");

    form->list(UpdatePrograms::NoteList)->goToRow(0);
    control<QLineEdit>(*form, "PRG:HOMEPAGE")
        ->setText(QStringLiteral("https://tarvo.example")); // typed, not saved
    const QString path = m_data.file(QStringLiteral("purchases.csv"));
    UpdatePrograms::setExportPathAsker([path](QWidget *) { return path; });
    press(*form, "EXPORTS");
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    auto csv = query::CsvReader::parse(QString::fromUtf8(written.readAll()));
    ASSERT_TRUE(csv.ok());
    ASSERT_EQ(csv->size(), 2u) << "a header and one purchase";
    const QStringList &header = csv->front().fields;
    const QStringList &line = csv->back().fields;
    ASSERT_EQ(line.size(), header.size());
    auto value = [&](const char *field) { return line.value(header.indexOf(QString::fromLatin1(field))); };
    EXPECT_EQ(header.front(), QStringLiteral("ATT:ID"));
    EXPECT_EQ(header.back(), QStringLiteral("PRG:Description"));
    EXPECT_EQ(value("CUS:Lastname"), QStringLiteral("Cove"));
    EXPECT_EQ(value("CUP:PurchasedLicenses"),
              QString::number(buyers.model().rawValue(1, QStringLiteral("CUP:PurchasedLicenses")).toInt()));
    EXPECT_EQ(value("NOTE:Note"), QStringLiteral("Call back"));
    EXPECT_EQ(value("PRG:PrgName"), QStringLiteral("Tarvo"));
    EXPECT_EQ(value("PRG:Homepage"), QStringLiteral("https://tarvo.example"));
    EXPECT_EQ(value("ATT:Description"), QString()); // no attachment shown
    press(*form, "Cancel");
}

// The program's own status, severity and classification lists: which list, its buttons' suffix,
// its file and text field, and the noun of its form's caption.
struct ReferenceCase {
    int list;
    const char *file;
    const char *field;
    const char *noun;
};

class ProgramReferenceLists : public ProgramForms, public testing::WithParamInterface<ReferenceCase> {
  protected:
    // The program's entries in order, "sort:text".
    QStringList entries(int program)
    {
        const ReferenceCase &c = GetParam();
        QStringList out;
        for (const data::Record &r : rows(QString::fromLatin1(c.file)))
            if (r.integer(QStringLiteral("PrgID")) == program)
                out << QStringLiteral("%1:%2")
                           .arg(r.integer(QStringLiteral("SORT")))
                           .arg(r.text(QString::fromLatin1(c.field)).trimmed());
        out.sort();
        return out;
    }

    // Types the text into the entry form that the list's button opened and confirms it.
    void answerForm(const char *verb, const char *text)
    {
        const QString title =
            QStringLiteral("%1 %2...").arg(QLatin1String(verb), QLatin1String(GetParam().noun));
        QWidget *window = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->windowTitle() == title)
                window = top;
        ASSERT_NE(window, nullptr) << title.toStdString();
        window->findChild<QLineEdit *>(QString::fromLatin1(GetParam().field))
            ->setText(QString::fromLatin1(text));
        window->findChild<QPushButton *>(QStringLiteral("OK"))->click();
        drain();
    }

    // The status sort number of the program's issue.
    qint64 statusSortOfIssue(int program)
    {
        for (const data::Record &bug : rows(QStringLiteral("Bugs")))
            if (bug.integer(QStringLiteral("BUG:PrgID")) == program)
                return bug.integer(QStringLiteral("BUG:StatusSort"));
        return -1;
    }
};

TEST_P(ProgramReferenceLists, InsertChangeAndDeleteKeepOnlyThisProgramsListNumbered)
{
    const ReferenceCase &c = GetParam();
    for (int program : {1, 2})
        for (const auto &[sort, text] : {std::pair{1, "A"}, {2, "B"}})
            add(QString::fromLatin1(c.file), {{QStringLiteral("PrgID"), program},
                                              {QStringLiteral("SORT"), sort},
                                              {QString::fromLatin1(c.field), QString::fromLatin1(text)}});
    for (int program : {1, 2})
        add(QStringLiteral("Bugs"), {{QStringLiteral("BUG:PrgID"), program},
                                     {QStringLiteral("BUG:Status"), QStringLiteral("B")},
                                     {QStringLiteral("BUG:StatusSort"), 2}});
    const bool statuses = c.list == UpdatePrograms::StatusList;
    m_session->file(QStringLiteral("Programs"))->buffer() = rows(QStringLiteral("Programs")).front();
    QPointer<UpdatePrograms> form = run<UpdatePrograms>(Request::Change);
    ASSERT_TRUE(form && form->isOpen());
    listext::ui::BrowseList &list = *form->list(c.list);
    ASSERT_EQ(list.model().rowCount(), 2);

    list.goToRow(0);
    list.button(Request::Insert)->click();
    answerForm("Add", "New");
    EXPECT_EQ(entries(1), QStringList({"1:A", "2:New", "3:B"})) << m_messages.texts().join('|').toStdString();
    EXPECT_EQ(entries(2), QStringList({"1:A", "2:B"}));
    EXPECT_EQ(list.model().rowCount(), 3);
    EXPECT_EQ(list.currentRow(), 1) << "the new entry is selected";
    if (statuses) {
        EXPECT_EQ(statusSortOfIssue(1), 3);
        EXPECT_EQ(statusSortOfIssue(2), 2);
    }

    list.goToRow(1);
    list.button(Request::Change)->click();
    answerForm("Change", "Newer");
    EXPECT_EQ(entries(1), QStringList({"1:A", "2:Newer", "3:B"}));

    for (int answer : {Button::No, Button::Yes}) {
        list.goToRow(1);
        m_messages.answer(answer);
        list.button(Request::Delete)->click();
        drain();
    }
    EXPECT_EQ(entries(1), QStringList({"1:A", "2:B"}));
    EXPECT_EQ(entries(2), QStringList({"1:A", "2:B"}));
    EXPECT_EQ(list.model().rowCount(), 2);
    if (statuses) {
        EXPECT_EQ(statusSortOfIssue(1), 2);
    }

    // Without the right to change, a double click opens no form either.
    form->denyControl(list.button(Request::Change)->objectName());
    Q_EMIT list.view()->doubleClicked(list.model().index(0, 0));
    drain();
    for (QWidget *top : QApplication::topLevelWidgets())
        EXPECT_FALSE(top->isVisible() &&
                     top->windowTitle().startsWith(QLatin1String("Change ") + QLatin1String(c.noun)));
    press(*form, "Cancel");
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ProgramReferenceLists,
    testing::Values(ReferenceCase{UpdatePrograms::StatusList, "Status", "STATUS", "Status"},
                    ReferenceCase{UpdatePrograms::SeverityList, "Severity", "SEVERITY", "Severity"},
                    ReferenceCase{UpdatePrograms::ClassificationList, "Classification", "CLASSIFICATION",
                                  "Classification"}));

// The issue tracking's note and attachment forms: each call is kept with its request and the
// record in the buffer (its row, or the program for an insert).
class RecordingSubForms final : public core::IssueStandIn {
  public:
    RecordingSubForms(Context &context, data::Session &session) : m_context(context), m_session(session) {}
    int browseBugs() override { return 0; }
    void updateBugs(int, core::FormDone done) override { done(Response::Cancelled); }
    void updateNotes(int contextNumber, core::FormDone done) override
    {
        take(contextNumber, QStringLiteral("Notes"), QStringLiteral("NOTE:PRGID"), done);
    }
    void updateAttachments(int contextNumber, core::FormDone done) override
    {
        take(contextNumber, QStringLiteral("Attachments"), QStringLiteral("ATT:PRGID"), done);
    }
    std::vector<std::tuple<QString, int, qint64>> calls;

  private:
    void take(int contextNumber, const QString &label, const QString &program, const core::FormDone &done)
    {
        EXPECT_EQ(contextNumber, m_context.number());
        const int request = m_context.threadRequest();
        const data::Record &buffer = m_session.file(label)->buffer();
        calls.emplace_back(label, request,
                           request == Request::Insert ? buffer.integer(program) : buffer.rowId());
        m_context.setThreadResponse(Response::Completed);
        done(Response::Completed);
    }
    Context &m_context;
    data::Session &m_session;
};

TEST_F(ProgramForms, TheProgramsNotesAndAttachmentsRunTheIssueTrackingsForms)
{
    for (const auto &[program, text] : {std::pair{1, "mine"}, {2, "other's"}}) {
        add(QStringLiteral("Notes"), {{QStringLiteral("NOTE:PrgID"), program},
                                      {QStringLiteral("NOTE:Note"), QString::fromLatin1(text)}});
        add(QStringLiteral("Attachments"),
            {{QStringLiteral("ATT:PrgID"), program},
             {QStringLiteral("ATT:Description"), QString::fromLatin1(text)},
             {QStringLiteral("ATT:Notes"), QStringLiteral("notes of %1").arg(QLatin1String(text))}});
    }
    RecordingSubForms forms(*m_context, *m_session);
    core::Services::setIssues(&forms);
    m_session->file(QStringLiteral("Programs"))->buffer() = rows(QStringLiteral("Programs")).front();
    QPointer<UpdatePrograms> form = run<UpdatePrograms>(Request::Change);
    ASSERT_TRUE(form && form->isOpen());
    listext::ui::BrowseList &notes = *form->list(UpdatePrograms::NoteList);
    listext::ui::BrowseList &attachments = *form->list(UpdatePrograms::AttachmentList);
    ASSERT_EQ(notes.model().rowCount(), 1);
    ASSERT_EQ(attachments.model().rowCount(), 1);
    notes.goToRow(0);
    attachments.goToRow(0);
    EXPECT_EQ(control<QPlainTextEdit>(*form, "ATT:NOTES")->toPlainText(), QStringLiteral("notes of mine"));
    notes.button(Request::Insert)->click();
    notes.button(Request::Change)->click();
    attachments.button(Request::Delete)->click();
    core::Services::setIssues(nullptr);
    using Call = std::tuple<QString, int, qint64>;
    EXPECT_EQ(forms.calls, (std::vector<Call>{{QStringLiteral("Notes"), Request::Insert, 1},
                                              {QStringLiteral("Notes"), Request::Change,
                                               rows(QStringLiteral("Notes")).front().rowId()},
                                              {QStringLiteral("Attachments"), Request::Delete,
                                               rows(QStringLiteral("Attachments")).front().rowId()}}));
    press(*form, "Cancel");
}

TEST_F(ProgramForms, DeletingAProgramNeedsTheUsersYes)
{
    for (int answer : {Button::No, Button::Yes}) {
        SCOPED_TRACE(answer);
        m_session->file(QStringLiteral("Programs"))->buffer() = rows(QStringLiteral("Programs")).front();
        m_messages.answer(answer);
        const int response = ProgramRemoval(*m_session).run();
        EXPECT_EQ(response, answer == Button::Yes ? Response::Completed : Response::Cancelled);
        EXPECT_EQ(rows(QStringLiteral("Programs")).size(), answer == Button::Yes ? 1u : 2u);
        EXPECT_EQ(rows(QStringLiteral("Releases")).size(), answer == Button::Yes ? 0u : 1u);
    }
}

TEST_F(ProgramForms, ThePickerNeedsAProgramForOk)
{
    struct Case {
        int mode;
        QString value;
        const char *chosen; // the row clicked, or null
        bool cancel;
        QString result;
    };
    const QString vuvuzu = QStringLiteral("Vuvuzu\u00b02");
    const Case cases[] = {
        {2, vuvuzu, nullptr, false, vuvuzu},
        {1, QString(), "Tarvo", false, QStringLiteral("Tarvo\u00b01")},
        {2, vuvuzu, "Tarvo", true, QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        Vuvuzu_ProgramSelect picker(*m_context, *m_session, c.mode, c.value);
        picker.setDeleteOnClose(false);
        ASSERT_TRUE(picker.open());
        if (c.chosen) {
            const auto items = picker.tree()->findItems(QString::fromLatin1(c.chosen), Qt::MatchRecursive);
            ASSERT_EQ(items.size(), 1);
            picker.tree()->setCurrentItem(items.front());
            Q_EMIT picker.tree()->itemClicked(items.front(), 0);
        }
        press(picker, c.cancel ? "Cancel" : "OK");
        EXPECT_FALSE(picker.isOpen());
        EXPECT_EQ(picker.result(), c.result);
    }

    // Without a program, or on the root row "Programs", OK is refused and the picker stays.
    m_messages.clear();
    Vuvuzu_ProgramSelect picker(*m_context, *m_session, 1, QString());
    picker.setDeleteOnClose(false);
    ASSERT_TRUE(picker.open());
    press(picker, "OK");
    QTreeWidgetItem *root = picker.tree()->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    picker.tree()->setCurrentItem(root);
    Q_EMIT picker.tree()->itemClicked(root, 0);
    press(picker, "OK");
    EXPECT_TRUE(picker.isOpen());
    EXPECT_EQ(m_messages.texts().size(), 2);
    EXPECT_EQ(m_messages.beeps().size(), 3u);
    press(picker, "Cancel");
    EXPECT_EQ(picker.result(), QString());
}

} // namespace
} // namespace tarvo::masterdata::ui
