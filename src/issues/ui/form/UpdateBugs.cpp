#include "issues/ui/form/UpdateBugs.h"

#include "core/lists/DataStatusSource.h"
#include "core/lists/FillPriorityList.h"
#include "core/lists/FillReleaseList.h"
#include "core/lists/FillStatusList.h"
#include "core/lists/PriorityQueue.h"
#include "core/lists/ReadKeyOrder.h"
#include "core/lists/UserQueue.h"
#include "core/services/AccessServices.h"
#include "core/services/MailServices.h"
#include "core/services/MasterDataServices.h"
#include "core/services/ReportServices.h"
#include "core/services/Services.h"
#include "core/startup/SettingsRecord.h"
#include "issues/CustomFieldLayout.h"
#include "issues/IssueFormTexts.h"
#include "issues/IssueLookups.h"
#include "issues/IssueStatus.h"
#include "issues/IssueTabMarks.h"
#include "issues/IssueWorkflow.h"
#include "issues/UsedTime.h"
#include "issues/ui/subforms/UpdateAttachments.h"
#include "issues/ui/subforms/UpdateBugsResponsible.h"
#include "issues/ui/subforms/UpdateNotes.h"
#include "listext/ui/ListWindow.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/desktop/Desktop.h"
#include "platform/runtime/DayDate.h"
#include "platform/runtime/Events.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Picture.h"
#include "platform/runtime/Text.h"
#include "platform/runtime/Translator.h"
#include "platform/ui/FormList.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace tarvo::issues::ui {

using tarvo::ui::FormList;

namespace {

const QString kBugs = QStringLiteral("Bugs");
const QString kDate = QStringLiteral("@D017B");
const QString kTime = QStringLiteral("@T08B");

QString tr(const char *text)
{
    return Translator::instance().translate(QString::fromUtf8(text));
}

QString shown(const QVariant &value, const QString &picture)
{
    return Picture::format(value, picture).trimmed();
}

QPushButton *button(const char *name, const char *caption)
{
    auto *b = new QPushButton(tr(caption));
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QString initials()
{
    core::AccessServices *access = core::Services::access();
    return access ? Text::clip(access->mak()) : QString();
}

// The rows of a file that belong to the issue, in a key's order, as a list shows them.
Result<std::vector<FormList::Row>> rowsOf(data::Session &session, const QString &label, const QString &key,
                                          const QVariantList &range,
                                          const std::function<QStringList(const data::Record &)> &cells)
{
    std::vector<FormList::Row> rows;
    const auto failed = core::readKeyOrder(session, label, key, range, [&](const data::Record &r) {
        rows.push_back({r.rowId(), cells(r)});
    });
    if (failed)
        return *failed;
    return rows;
}

// Makes a list's row the current record of its file, for the sub-form to change or delete.
FormList::Fetcher fetchInto(data::Session &session, const QString &label)
{
    return [&session, label](qint64 key) -> Result<void> {
        data::FileManager *file = session.file(label);
        if (!file)
            return makeError(0, QStringLiteral("The file %1 is not declared").arg(label));
        return file->fetchRow(key, file->buffer());
    };
}

// A list reads its rows again; what stops it is said.
void reload(FormList *list)
{
    if (auto loaded = list->reload(); !loaded)
        Messages::show(loaded.error().message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
}

} // namespace

UpdateBugs::UpdateBugs(Context &context, data::Session &session, core::SettingsValues settings,
                       NewIssueValues values, int statusPosition, QObject *parent)
    : UpdateForm(context, QStringLiteral("UpdateBugs"), session, kBugs, parent), m_session(session),
      m_settings(std::move(settings)), m_values(std::move(values)), m_statusPosition(statusPosition),
      m_save(session, m_settings)
{
    setKeeper(this);
    setWindow(build());
    setHelp(window()->findChild<QPushButton *>(QStringLiteral("?Help")),
            QStringLiteral("Adding Bugs Features Support Requests.htm"));
    registerSubForms();
    onChange(
        [this](const tarvo::ui::FormField &field, const QVariant &before) { takeChange(field, before); });
}

UpdateBugs::~UpdateBugs()
{
    // A form that went without OK or Cancel leaves no claimed issue and no hold behind.
    if (isOpen())
        (void)m_save.cancel();
}

void UpdateBugs::start(tarvo::ui::WindowManager &caller, data::Session &session, NewIssueValues values,
                       std::function<void()> finished, int statusPosition)
{
    start(
        caller.context(), caller.window(), session, std::move(values),
        [finished = std::move(finished)](int) { finished(); }, statusPosition);
}

void UpdateBugs::start(Context &context, QWidget *over, data::Session &session, NewIssueValues values,
                       std::function<void(int response)> finished, int statusPosition)
{
    core::SettingsValues settings = core::SettingsRecord::instance().values();
    if (!settings.record().isValid())
        settings = core::SettingsValues(session.file(QStringLiteral("Parameter"))->newRecord());
    auto *form = new UpdateBugs(context, session, settings, values, statusPosition);
    // The copy opens over the same window, unless that window has gone meanwhile.
    const QPointer<QWidget> caller(over);
    const bool overWindow = over != nullptr;
    form->openModal(over, [form, caller, overWindow, &session, values, finished](int response) {
        const qint32 source = response == Response::Completed ? form->duplicateSource() : 0;
        if (source <= 0 || (overWindow && !caller)) {
            finished(response);
            return;
        }
        // The saved issue is copied into a new one at once, as the Duplicate button asked.
        NewIssueValues copy = values;
        copy.duplicateSource = source;
        Context &on = form->context();
        on.setThreadRequest(Request::Insert);
        start(on, caller, session, copy, finished);
    });
}

void UpdateBugs::registerOn(tarvo::ui::WindowManager &caller, int number, data::Session &session,
                            std::function<qint64()> currentRow, std::function<NewIssueValues()> newIssue,
                            std::function<int()> statusPosition)
{
    caller.setProcedure(number, [&caller, &session, currentRow = std::move(currentRow),
                                 newIssue = std::move(newIssue),
                                 statusPosition = std::move(statusPosition)](std::function<void()> finished) {
        const bool insert = caller.context().threadRequest() == Request::Insert;
        if (!insert) {
            data::FileManager *bugs = session.file(kBugs);
            const qint64 row = currentRow ? currentRow() : -1;
            if (!bugs || row <= 0 || !bugs->fetchRow(row, bugs->buffer())) {
                finished();
                return;
            }
        }
        const QPointer<tarvo::ui::WindowManager> guarded(&caller);
        start(
            caller, session, newIssue ? newIssue() : NewIssueValues{},
            [guarded, &session, insert, finished = std::move(finished)]() {
                // The list goes to the issue just entered (the copy, when it was duplicated).
                auto *lists = qobject_cast<listext::ui::ListWindow *>(guarded.data());
                if (lists && insert && lists->context().threadResponse() == Response::Completed)
                    lists->followKey(session.file(kBugs)->buffer().rowId());
                finished();
            },
            statusPosition ? statusPosition() : 0);
    });
}

void UpdateBugs::registerSubForms()
{
    using MakeForm = std::function<tarvo::ui::UpdateForm *()>;
    const SubFormUser user = SubFormUser::current();
    auto owner = [this]() {
        const data::Record &bug = record();
        return SubFormOwner{bug.integer(QStringLiteral("ID")), bug.integer(QStringLiteral("PrgID"))};
    };
    auto add = [this](int number, MakeForm make) {
        // The list has put its current row into the file's buffer; an insert primes its own.
        setProcedure(number, [this, make = std::move(make)](std::function<void()> finished) {
            tarvo::ui::UpdateForm *form = make();
            form->openModal(window(), [finished = std::move(finished)](int) { finished(); });
        });
    };
    add(UpdateNotes, [this, user, owner]() -> tarvo::ui::UpdateForm * {
        return new tarvo::issues::ui::UpdateNotes(context(), m_session, user, owner());
    });
    add(UpdateAttachments, [this, user, owner]() -> tarvo::ui::UpdateForm * {
        return new tarvo::issues::ui::UpdateAttachments(context(), m_session, user, owner());
    });
    add(UpdateBugsResponsible, [this, owner]() -> tarvo::ui::UpdateForm * {
        return new tarvo::issues::ui::UpdateBugsResponsible(context(), m_session, owner().issueId);
    });
    // The program's files and releases are forms of the master data.
    setProcedure(UpdateProgramFiles, [this](std::function<void()> finished) {
        core::Services::masterData()->updateProgramFiles(
            context().number(), [finished = std::move(finished)](int) { finished(); });
    });
    setProcedure(UpdateProgramRelease, [this](std::function<void()> finished) {
        core::Services::masterData()->updateProgramRelease(
            context().number(), [finished = std::move(finished)](int) { finished(); });
    });
}

// ----------------------------------------------------------------------------------------- window

QComboBox *UpdateBugs::combo(bool editable)
{
    auto *c = new QComboBox;
    c->setEditable(editable);
    c->setMinimumContentsLength(12);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return c;
}

QLineEdit *UpdateBugs::entry(const QString &fieldName, const QString &picture)
{
    auto *e = new QLineEdit;
    auto &f = field(fieldName, e);
    if (!picture.isEmpty()) {
        f.picture(picture);
        // A date or a clock is shown whole.
        e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000")) + 16);
    }
    return e;
}

QWidget *UpdateBugs::memo(const QString &fieldName)
{
    // A memo with its "Date & Time Stamp" button.
    auto *box = new QWidget;
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *text = new QPlainTextEdit;
    text->setObjectName(fieldName);
    field(fieldName, text);
    layout->addWidget(text, 1);
    // The caption's ampersand is text, not a shortcut.
    auto *stampButton =
        new QPushButton(tr("Date & Time Stamp").replace(QLatin1Char('&'), QStringLiteral("&&")));
    stampButton->setObjectName(fieldName + QStringLiteral(":Stamp"));
    connect(stampButton, &QPushButton::clicked, this, [this, text]() { stamp(text); });
    auto *row = new QHBoxLayout;
    row->addWidget(stampButton);
    row->addStretch(1);
    layout->addLayout(row);
    return box;
}

QWidget *UpdateBugs::build()
{
    auto *window = new QWidget;
    window->setObjectName(QStringLiteral("UpdateBugs"));
    auto *layout = new QVBoxLayout(window);
    m_sheet = new QTabWidget;
    m_sheet->setObjectName(QStringLiteral("?Sheet1"));
    const std::pair<QWidget *, const char *> tabs[] = {
        {generalTab(), "General"},
        {customFieldsTab(), "Custom fields"},
        {hardwareTab(), "Hardware"},
        {recreateTab(), "Steps to recreate"},
        {workaroundTab(), "Workaround"},
        {fixTab(), "Steps to fix"},
        {verificationTab(), "Verification"},
        {attachmentsTab(), "Attachments"},
        {miscellaneousTab(), "Miscellaneous"},
    };
    for (const auto &[page, caption] : tabs)
        m_sheet->addTab(page, tr(caption));
    connect(m_sheet, &QTabWidget::currentChanged, this, [this]() { markTabs(); });
    // What a sub-form added or removed shows in the tabs' marks at once.
    for (FormList *list : {m_attachments, m_notes, m_mails})
        connect(list, &FormList::reloaded, this, [this]() {
            if (isOpen())
                markTabs();
        });
    // The counter the attachments list keeps is shown as it counts, without touching other entries.
    connect(m_attachments, &FormList::reloaded, this, [this]() {
        if (const tarvo::ui::FormField *counter = fieldNamed(QStringLiteral("BUG:AttachCounter")))
            counter->show(record());
    });
    layout->addWidget(m_sheet, 1);

    m_created = new QLabel;
    m_created->setObjectName(QStringLiteral("?CreatedLine"));
    m_changed = new QLabel;
    m_changed->setObjectName(QStringLiteral("?ChangedLine"));
    layout->addWidget(m_created);
    layout->addWidget(m_changed);

    auto *buttons = new QHBoxLayout;
    m_duplicate = button("?Duplicate", "&Duplicate");
    auto *print = button("?Print", "&Print");
    m_ok = button("?OK", "&OK");
    m_cancel = button("?Cancel", "&Cancel");
    auto *help = button("?Help", "&Help");
    print->setProperty(KeepInViewMode, true);
    m_ok->setDefault(true);
    connect(print, &QPushButton::clicked, this, [this]() {
        if (core::ReportServices *reports = core::Services::reports())
            reports->browseReports(m_session.context(), 11, nullptr, QString());
        reloadLists();
        showIssue();
    });
    connect(m_duplicate, &QPushButton::clicked, this, [this]() { pressDuplicate(); });
    buttons->addWidget(m_duplicate);
    buttons->addWidget(print);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addWidget(help);
    layout->addLayout(buttons);
    setButtons(m_ok, m_cancel);
    window->resize(860, 640);
    return window;
}

QWidget *UpdateBugs::generalTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);

    auto *top = new QGridLayout;
    auto *id = new QLabel;
    id->setObjectName(QStringLiteral("?BUG:ID"));
    field(QStringLiteral("BUG:ID"), id);
    top->addWidget(id, 0, 0);
    auto *categories = new QWidget;
    categories->setObjectName(QStringLiteral("?BUG:Category"));
    auto *categoryRow = new QHBoxLayout(categories);
    categoryRow->setContentsMargins(0, 0, 0, 0);
    m_category = new QButtonGroup(categories);
    int value = 1;
    for (const char *caption : {"Bug", "Feature", "Support", "To-Do"}) {
        auto *radio = new QRadioButton(tr(caption));
        radio->setObjectName(QStringLiteral("?BUG:Category:%1").arg(value));
        m_category->addButton(radio, value++);
        categoryRow->addWidget(radio);
    }
    m_categoryIcon = new QLabel;
    categoryRow->addWidget(m_categoryIcon);
    categoryRow->addStretch(1);
    field(
        QStringLiteral("BUG:Category"), categories,
        [this](QWidget *, const QVariant &v) {
            if (QAbstractButton *b = m_category->button(int(v.toLongLong())))
                b->setChecked(true);
        },
        [this](const QWidget *) { return QVariant(std::max(m_category->checkedId(), 0)); });
    connect(m_category, &QButtonGroup::idClicked, this, [this](int id) { takeCategory(id); });
    top->addWidget(categories, 0, 1, 1, 3);

    top->addWidget(new QLabel(tr("Description:")), 1, 0);
    m_description = combo(true);
    field(QStringLiteral("BUG:Description"), m_description);
    top->addWidget(m_description, 1, 1, 1, 3);
    m_identifierPrompt = new QLabel(tr("Identifier:"));
    top->addWidget(m_identifierPrompt, 2, 0);
    top->addWidget(entry(QStringLiteral("BUG:Identifier")), 2, 1);
    top->addWidget(new QLabel(tr("Programfile:")), 2, 2);
    m_programFile = combo(true);
    field(QStringLiteral("BUG:Programfile"), m_programFile);
    top->addWidget(m_programFile, 2, 3);
    const std::pair<const char *, QComboBox **> lists[] = {{"Status:", &m_status},
                                                           {"Priority:", &m_priority},
                                                           {"Severity:", &m_severity},
                                                           {"Class.:", &m_classification}};
    const char *names[] = {"BUG:Status", "BUG:Priority", "BUG:Severity", "BUG:Classification"};
    for (int i = 0; i < 4; ++i) {
        top->addWidget(new QLabel(tr(lists[i].first)), 3 + i / 2, (i % 2) * 2);
        *lists[i].second = combo(false);
        field(QString::fromLatin1(names[i]), *lists[i].second);
        top->addWidget(*lists[i].second, 3 + i / 2, (i % 2) * 2 + 1);
    }
    layout->addLayout(top);

    auto *groups = new QGridLayout;
    auto *reporter = new QGroupBox(tr("Reporter Information"));
    auto *rep = new QGridLayout(reporter);
    rep->addWidget(new QLabel(tr("Reported by:")), 0, 0);
    m_reportedBy = combo(true);
    field(QStringLiteral("BUG:ReportedBy"), m_reportedBy);
    connect(m_reportedBy, &QComboBox::activated, this, [this](int row) { chooseReporter(row); });
    rep->addWidget(m_reportedBy, 0, 1, 1, 3);
    auto *customer = button("?CustomerPick", "Customer");
    customer->setToolTip(tr("Customer"));
    connect(customer, &QPushButton::clicked, this, [this]() { pickCustomer(); });
    rep->addWidget(customer, 0, 4);
    auto *reporterMail = button("?ReporterMail", "@");
    reporterMail->setToolTip(tr("Send EMail"));
    connect(reporterMail, &QPushButton::clicked, this,
            [this, reporterMail]() { mailReporter(reporterMail); });
    rep->addWidget(reporterMail, 0, 5);
    auto *web = button("?ReporterWeb", "www");
    web->setToolTip(tr("Surf the web"));
    connect(web, &QPushButton::clicked, this, [this]() { surfReporter(); });
    rep->addWidget(web, 0, 6);
    auto *contact = new QLabel;
    field(QStringLiteral("BUG:ReportedByContact"), contact);
    rep->addWidget(contact, 1, 1, 1, 3);
    rep->addWidget(new QLabel(tr("Used Version:")), 2, 0);
    m_version = combo(true);
    m_version->setObjectName(QStringLiteral("BUG:Version"));
    field(QStringLiteral("BUG:Version"), m_version);
    rep->addWidget(m_version, 2, 1);
    rep->addWidget(new QLabel(tr("at:")), 2, 2);
    rep->addWidget(entry(QStringLiteral("BUG:ReportedDate"), kDate), 2, 3);
    rep->addWidget(new QLabel(tr("Date due:")), 3, 2);
    rep->addWidget(entry(QStringLiteral("BUG:DueDate"), kDate), 3, 3);
    groups->addWidget(reporter, 0, 0);

    m_internal = new QGroupBox(tr("Internal Information"));
    auto *internal = new QGridLayout(m_internal);
    internal->addWidget(new QLabel(tr("Responsible:")), 0, 0);
    m_responsibleBox = combo(true);
    field(QStringLiteral("BUG:Responsible"), m_responsibleBox);
    internal->addWidget(m_responsibleBox, 0, 1);
    m_responsibleName = new QLabel;
    internal->addWidget(m_responsibleName, 0, 2);
    auto *responsibleMail = button("?ResponsibleMail", "@");
    responsibleMail->setToolTip(tr("Send EMail"));
    connect(responsibleMail, &QPushButton::clicked, this,
            [this, responsibleMail]() { mailPerson(QStringLiteral("BUG:Responsible"), responsibleMail); });
    internal->addWidget(responsibleMail, 0, 3);
    internal->addWidget(new QLabel(tr("Also Responsible:")), 1, 0);
    m_responsible = new FormList(
        QStringLiteral("?AlsoResponsible"), {tr("Resp."), tr("Name"), tr("Function")},
        [this]() -> Result<std::vector<FormList::Row>> {
            const auto users = core::UserQueue::global().rows();
            return rowsOf(
                m_session, QStringLiteral("BugsResponsible"), QStringLiteral("KeyIDResponsible"),
                {record().value(QStringLiteral("ID"))}, [&users](const data::Record &r) {
                    const QString mak = Text::clip(r.text(QStringLiteral("RESPONSIBLE")));
                    QString name = tr("-unknown-");
                    for (const auto &u : users)
                        if (Text::clip(u.userMak) == mak)
                            name = Text::clip(u.userName);
                    return QStringList{mak, name, Text::clip(r.text(QStringLiteral("RESPONSIBLEFUNCTION")))};
                });
        });
    m_responsible->onFetch(fetchInto(m_session, QStringLiteral("BugsResponsible")));
    for (const auto &[name, caption, request] :
         {std::tuple{"?ResponsibleInsert", "Insert", int(Request::Insert)},
          std::tuple{"?ResponsibleChange", "Change", int(Request::Change)},
          std::tuple{"?ResponsibleDelete", "Delete", int(Request::Delete)}})
        m_responsible->addButton(QString::fromLatin1(name), tr(caption), request)->setToolTip(tr(caption));
    list(m_responsible, UpdateBugsResponsible);
    m_responsible->view()->setMaximumHeight(90);
    internal->addWidget(m_responsible, 1, 1, 1, 2);
    internal->addWidget(new QLabel(tr("Est. Time:")), 2, 0);
    internal->addWidget(entry(QStringLiteral("BUG:EstTime")), 2, 1);
    auto *textPrompt = new QLabel(tr("&Text:"));
    QWidget *bugText = memo(QStringLiteral("BUG:BugText"));
    textPrompt->setBuddy(bugText->findChild<QPlainTextEdit *>());
    internal->addWidget(textPrompt, 3, 0);
    internal->addWidget(bugText, 3, 1, 1, 2);
    groups->addWidget(m_internal, 0, 1, 2, 1);

    m_fixed = personGroup(tr("Fixed"), tr("Fixed By:"), QStringLiteral("BUG:FixedBy"), tr("Fixed date:"),
                          QStringLiteral("BUG:FixedDate"), QStringLiteral("BUG:FixedVersion"), m_fixedName);
    auto *fixedGrid = static_cast<QGridLayout *>(m_fixed->layout());
    fixedGrid->addWidget(new QLabel(tr("Time taken:")), 3, 0);
    fixedGrid->addWidget(entry(QStringLiteral("BUG:ActTime")), 3, 1);
    m_fixedBy = m_fixed->findChild<QComboBox *>(QStringLiteral("BUG:FixedBy"));
    groups->addWidget(m_fixed, 1, 0);
    m_verified = personGroup(tr("Verified"), tr("Verified By:"), QStringLiteral("BUG:VerifiedBy"),
                             tr("Verified date:"), QStringLiteral("BUG:VerifiedDate"),
                             QStringLiteral("BUG:VerifiedVersion"), m_verifiedName);
    m_verifiedBy = m_verified->findChild<QComboBox *>(QStringLiteral("BUG:VerifiedBy"));
    groups->addWidget(m_verified, 2, 0);
    layout->addLayout(groups, 1);
    return page;
}

QGroupBox *UpdateBugs::personGroup(const QString &caption, const QString &prompt, const QString &fieldName,
                                   const QString &datePrompt, const QString &dateField,
                                   const QString &versionField, QLabel *&name)
{
    auto *group = new QGroupBox(caption);
    group->setObjectName(QStringLiteral("?Group:") + fieldName);
    auto *grid = new QGridLayout(group);
    grid->addWidget(new QLabel(prompt), 0, 0);
    auto *person = combo(true);
    person->setObjectName(fieldName);
    field(fieldName, person);
    grid->addWidget(person, 0, 1);
    name = new QLabel;
    grid->addWidget(name, 0, 2);
    auto *mail = new QPushButton(QStringLiteral("@"));
    mail->setObjectName(fieldName + QStringLiteral(":Mail"));
    mail->setToolTip(tr("Send EMail"));
    connect(mail, &QPushButton::clicked, this, [this, fieldName, mail]() { mailPerson(fieldName, mail); });
    grid->addWidget(mail, 0, 3);
    grid->addWidget(new QLabel(datePrompt), 1, 0);
    grid->addWidget(entry(dateField, kDate), 1, 1);
    grid->addWidget(new QLabel(tr("in Ver.:")), 2, 0);
    grid->addWidget(entry(versionField), 2, 1);
    return group;
}

QWidget *UpdateBugs::customFieldsTab()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    for (const CustomFieldControl &c : CustomFieldLayout::build(m_settings)) {
        QWidget *input = nullptr;
        switch (c.kind) {
        case CustomFieldKind::Memo:
            input = new QPlainTextEdit;
            break;
        case CustomFieldKind::Checkbox:
            input = new QCheckBox(c.prompt);
            break;
        case CustomFieldKind::DropList:
        case CustomFieldKind::ComboBox: {
            auto *box = combo(c.kind == CustomFieldKind::ComboBox);
            box->addItems(c.choices);
            input = box;
            break;
        }
        case CustomFieldKind::None:
            continue;
        default:
            input = new QLineEdit;
            break;
        }
        input->setObjectName(c.label);
        auto &f = field(c.label, input);
        if (!c.picture.isEmpty())
            f.picture(c.picture);
        if (c.kind == CustomFieldKind::Checkbox)
            form->addRow(QString(), input);
        else
            form->addRow(c.prompt, input);
    }
    return page;
}

QWidget *UpdateBugs::hardwareTab()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    const std::pair<const char *, const char *> rows[] = {
        {"Hardware:", "BUG:Hardware"},
        {"Operating System:", "BUG:OperatingSystem"},
        {"Service Pack:", "BUG:OperatingSystemServicePack"}};
    for (const auto &[prompt, name] : rows) {
        auto *box = combo(true);
        field(QString::fromLatin1(name), box);
        form->addRow(tr(prompt), box);
    }
    auto *network = new QCheckBox(tr("Network"));
    field(QStringLiteral("BUG:Network"), network);
    connect(network, &QCheckBox::toggled, this,
            [this](bool on) { m_networkType->setEnabled(on && !isViewOnly()); });
    form->addRow(QString(), network);
    m_networkType = entry(QStringLiteral("BUG:NetworkType"));
    form->addRow(tr("Network Type:"), m_networkType);
    form->addRow(tr("Notes:"), memo(QStringLiteral("BUG:EnvironmentText")));
    return page;
}

QWidget *UpdateBugs::recreateTab()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    m_reproducible = combo(false);
    field(QStringLiteral("BUG:Reproducible"), m_reproducible);
    form->addRow(tr("Reproducible:"), m_reproducible);
    form->addRow(memo(QStringLiteral("BUG:RecreateText")));
    return page;
}

QWidget *UpdateBugs::workaroundTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(memo(QStringLiteral("BUG:WorkaroundText")));
    return page;
}

QWidget *UpdateBugs::fixTab()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    m_resolution = combo(false);
    field(QStringLiteral("BUG:Resolution"), m_resolution);
    form->addRow(tr("Resolution:"), m_resolution);
    form->addRow(memo(QStringLiteral("BUG:ResolutionText")));
    form->addRow(new QLabel(tr("Release Notes")));
    form->addRow(memo(QStringLiteral("BUG:ReleaseNotes")));
    auto *used = new QGroupBox(tr("Used Time"));
    auto *row = new QHBoxLayout(used);
    row->addWidget(new QLabel(tr("Start:")));
    row->addWidget(entry(QStringLiteral("BUG:StartTime"), kTime));
    row->addWidget(new QLabel(tr("End:")));
    row->addWidget(entry(QStringLiteral("BUG:EndTime"), kTime));
    row->addWidget(new QLabel(tr("Used:")));
    m_usedTime = new QLabel;
    m_usedTime->setObjectName(QStringLiteral("?UsedTime"));
    row->addWidget(m_usedTime);
    row->addWidget(new QLabel(tr("hrs")));
    row->addStretch(1);
    form->addRow(used);
    return page;
}

QWidget *UpdateBugs::verificationTab()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->addRow(new QLabel(tr("Testing Plan")));
    form->addRow(memo(QStringLiteral("BUG:TestingText")));
    form->addRow(new QLabel(tr("Verification Results")));
    form->addRow(memo(QStringLiteral("BUG:VerifiedText")));
    return page;
}

QWidget *UpdateBugs::attachmentsTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *order = new QTabBar;
    order->setExpanding(false);
    order->addTab(tr("Description"));
    order->addTab(tr("Date"));
    layout->addWidget(order);
    m_attachments = new FormList(
        QStringLiteral("?AttachmentList"), {tr("Description"), tr("Date")},
        [this, order]() -> Result<std::vector<FormList::Row>> {
            const QString key = order->currentIndex() == 1 ? QStringLiteral("KeyBugIDDate")
                                                           : QStringLiteral("KeyBugIDDescription");
            auto rows = rowsOf(m_session, QStringLiteral("Attachments"), key,
                               {record().value(QStringLiteral("ID"))}, [](const data::Record &r) {
                                   return QStringList{Text::clip(r.text(QStringLiteral("Description"))),
                                                      shown(r.value(QStringLiteral("Date")), kDate)};
                               });
            // The counter goes with the issue on OK.
            if (rows && !isViewOnly())
                record().setValue(QStringLiteral("AttachCounter"), qint64(rows->size()));
            return rows;
        });
    connect(order, &QTabBar::currentChanged, m_attachments, [this]() { reload(m_attachments); });
    m_attachments->onFetch(fetchInto(m_session, QStringLiteral("Attachments")));
    m_attachments->onCurrent([this](qint64 key) { showAttachmentNotes(key); });
    m_attachments->addButton(QStringLiteral("?Insert"), tr("&Insert"), Request::Insert);
    m_attachments->addButton(QStringLiteral("?Change"), tr("&Change"), Request::Change);
    m_attachments->addButton(QStringLiteral("?Delete"), tr("&Delete"), Request::Delete);
    list(m_attachments, UpdateAttachments);
    layout->addWidget(m_attachments, 2);
    layout->addWidget(new QLabel(tr("Notes:")));
    m_attachmentNotes = new QLabel;
    m_attachmentNotes->setWordWrap(true);
    m_attachmentNotes->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    layout->addWidget(m_attachmentNotes, 1);
    auto *counter = new QLabel;
    field(QStringLiteral("BUG:AttachCounter"), counter);
    auto *counterRow = new QHBoxLayout;
    counterRow->addWidget(new QLabel(tr("Attachments")));
    counterRow->addWidget(counter);
    counterRow->addStretch(1);
    layout->addLayout(counterRow);
    return page;
}

QWidget *UpdateBugs::miscellaneousTab()
{
    m_miscSheet = new QTabWidget;
    m_miscSheet->setObjectName(QStringLiteral("?Sheet2"));
    m_notes = new FormList(
        QStringLiteral("?NoteList"), {tr("Date"), tr("Time"), tr("Status"), tr("Note")}, [this]() {
            return rowsOf(m_session, QStringLiteral("Notes"), QStringLiteral("KeyIDCreatedDateCreatedTime"),
                          {record().value(QStringLiteral("ID"))}, [](const data::Record &r) {
                              return QStringList{shown(r.value(QStringLiteral("CreatedDate")), kDate),
                                                 shown(r.value(QStringLiteral("CreatedTime")), kTime),
                                                 Text::clip(r.text(QStringLiteral("Status"))),
                                                 r.text(QStringLiteral("Note")).left(255).simplified()};
                          });
        });
    m_notes->onFetch(fetchInto(m_session, QStringLiteral("Notes")));
    m_notes->addButton(QStringLiteral("?Insert:3"), tr("&Insert"), Request::Insert);
    m_notes->addButton(QStringLiteral("?Change:3"), tr("&Change"), Request::Change);
    m_notes->addButton(QStringLiteral("?Delete:4"), tr("&Delete"), Request::Delete);
    list(m_notes, UpdateNotes);
    m_miscSheet->addTab(m_notes, tr("Notes"));

    m_history = new FormList(
        QStringLiteral("?HistoryList"),
        {tr("Field"), tr("Old Contents"), tr("New Contents"), tr("Date"), tr("Time"), tr("Initials")},
        [this]() {
            return rowsOf(m_session, QStringLiteral("History"), QStringLiteral("KeyIDDateTime"),
                          {record().value(QStringLiteral("ID"))}, [](const data::Record &r) {
                              // Contents are shown in the picture they were written with.
                              const QString picture = Text::clip(r.text(QStringLiteral("FORMAT")));
                              auto contents = [&](const char *name) {
                                  const QString text = r.text(QString::fromLatin1(name));
                                  if (picture.isEmpty() ||
                                      picture.compare(QStringLiteral("S255"), Qt::CaseInsensitive) == 0)
                                      return text.left(255);
                                  return Picture::format(text, picture).trimmed();
                              };
                              return QStringList{Text::clip(r.text(QStringLiteral("FIELD"))),
                                                 contents("Contents_Old"),
                                                 contents("Contents_New"),
                                                 shown(r.value(QStringLiteral("DATE")), kDate),
                                                 shown(r.value(QStringLiteral("TIME")), kTime),
                                                 Text::clip(r.text(QStringLiteral("INITIALS")))};
                          });
        });
    m_miscSheet->addTab(m_history, tr("History"));

    auto *mailPage = new QWidget;
    auto *mailLayout = new QVBoxLayout(mailPage);
    auto *split = new QSplitter(Qt::Vertical);
    m_mails = new FormList(
        QStringLiteral("?EMailList"),
        {QString(), tr("Date"), tr("Time"), tr("Send by"), tr("To..."), tr("CC..."), tr("Subject")},
        [this]() {
            return rowsOf(m_session, QStringLiteral("EMails"), QStringLiteral("KeyIDTypeDateSendTimeSend"),
                          {record().value(QStringLiteral("ID")), 0}, [](const data::Record &r) {
                              const qint64 status = r.integer(QStringLiteral("Status"));
                              return QStringList{status == 1   ? QStringLiteral("✔")
                                                 : status == 2 ? QStringLiteral("✘")
                                                               : QString(),
                                                 shown(r.value(QStringLiteral("DateSend")), kDate),
                                                 shown(r.value(QStringLiteral("TimeSend")), kTime),
                                                 Text::clip(r.text(QStringLiteral("SendBy"))),
                                                 Text::clip(r.text(QStringLiteral("ADDRESS"))),
                                                 Text::clip(r.text(QStringLiteral("CC"))),
                                                 Text::clip(r.text(QStringLiteral("SUBJECT")))};
                          });
        });
    m_mails->onFetch(fetchInto(m_session, QStringLiteral("EMails")));
    m_mails->onCurrent([this](qint64 key) { showMail(key); });
    m_mails->addButton(QStringLiteral("?Delete:2"), tr("&Delete"), Request::Delete);
    list(m_mails, UpdateEMails);
    split->addWidget(m_mails);
    m_mailText = new QTextBrowser;
    m_mailText->setObjectName(QStringLiteral("Browser"));
    m_mailText->setOpenExternalLinks(false);
    split->addWidget(m_mailText);
    mailLayout->addWidget(split);
    m_miscSheet->addTab(mailPage, tr("Sent EMails"));
    connect(m_miscSheet, &QTabWidget::currentChanged, this, [this]() { markTabs(); });
    return m_miscSheet;
}

// ---------------------------------------------------------------------------------------- opening

int UpdateBugs::open(int request)
{
    auto opened = m_save.open(IssueRequest(request), m_values);
    if (!opened) {
        Messages::show(opened.error().message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
        return Request::None;
    }
    return int(*opened);
}

bool UpdateBugs::open()
{
    if (isOpen())
        return true;
    auto config = loadFieldConfig(m_session);
    auto rules = loadFieldRules(m_session);
    if (!config || !rules) {
        Messages::show((!config ? config.error() : rules.error()).message, QStringLiteral("Tarvo"),
                       MessageIcon::Exclamation);
        if (deletesOnClose())
            deleteLater();
        return false;
    }
    m_rules =
        std::make_unique<IssueFieldRules>(m_session, std::move(config).value(), std::move(rules).value());
    if (m_statusPosition > 0)
        window()->setAttribute(Qt::WA_DontShowOnScreen, true);
    if (!UpdateForm::open())
        return false;
    if (request() == Request::Delete)
        return true;
    settle();
    if (m_statusPosition > 0) {
        // The quick status change: the status of that row, then OK as if pressed.
        if (IssueStatus::takePosition(record(), m_statuses, m_statusPosition)) {
            m_rules->applyMarks(record());
            showIssue();
        }
        if (!ok()) {
            window()->setAttribute(Qt::WA_DontShowOnScreen, false);
            window()->show();
        }
    }
    return true;
}

bool UpdateBugs::takeEvent(int event, const QVariant &data)
{
    if (event != Events::Refresh)
        return UpdateForm::takeEvent(event, data);
    core::RefreshNotices *notices = core::Services::refreshNotices();
    if (notices && isOpen() &&
        notices->needsRefresh(event, m_refreshDate, m_refreshTime,
                              QStringLiteral("|Bugs|Attachments|EMails|Notes|History|Programfiles|"))) {
        reloadLists();
        markTabs();
    }
    return true;
}

void UpdateBugs::settle()
{
    data::Record &bug = record();
    const bool insert = request() == Request::Insert;
    // A duplicate keeps what it copied: the defaults of a new issue would overwrite it.
    m_rules->configure(bug, insert && m_values.duplicateSource <= 0);
    fillLists();
    if (insert) {
        IssueStatus::settleNew(bug, IssueWorkflow(m_settings), m_statuses, m_releases);
        // The issue as the user starts on it is what the notifications compare with.
        m_save.issue() = bug;
    }
    m_rules->applyMarks(bug);
    if (const QString prompt = Text::clip(m_settings.record().text(QStringLiteral("CUSTOMIZE1")));
        !prompt.isEmpty())
        m_identifierPrompt->setText(prompt);
    m_sheet->setTabVisible(1, m_settings.anyCustomFieldEnabled());
    applyButtonTexts();
    chooseFirstField();
    m_duplicate->setEnabled(!insert && !isViewOnly() && !isDenied(QStringLiteral("?Duplicate")));
    if (insert) {
        m_changed->hide();
        if (QPushButton *print = window()->findChild<QPushButton *>(QStringLiteral("?Print")))
            print->setEnabled(false);
    }
    reload(m_responsible);
    showIssue();
    m_refreshDate = qint32(DayDate::today());
    m_refreshTime = qint32(DayDate::clock());
}

void UpdateBugs::chooseFirstField()
{
    // Predefined descriptions make the description the place to start whatever the settings say.
    const bool byCategory = Text::clip(m_settings.updateBugFirstField()) == QStringLiteral("Radio button") &&
                            m_description->count() == 0;
    if (QWidget *first = byCategory ? static_cast<QWidget *>(m_category->button(1)) : m_description)
        selectControl(first);
}

void UpdateBugs::applyButtonTexts()
{
    const auto apply = [this](bool on, const QString &text, std::initializer_list<const char *> captions,
                              const char *tooltip) {
        if (!on)
            return;
        for (const char *name : captions)
            if (auto *b = window()->findChild<QPushButton *>(QString::fromLatin1(name)))
                b->setText(text);
        if (auto *b = tooltip ? window()->findChild<QPushButton *>(QString::fromLatin1(tooltip)) : nullptr)
            b->setToolTip(text);
    };
    apply(m_settings.overrideInsert(), m_settings.insertText(), {"?Insert", "?Insert:3"},
          "?ResponsibleInsert");
    apply(m_settings.overrideChange(), m_settings.changeText(), {"?Change", "?Change:3"}, nullptr);
    apply(m_settings.overrideDelete(), m_settings.deleteText(), {"?Delete", "?Delete:4", "?Delete:2"},
          "?ResponsibleDelete");
}

void UpdateBugs::fillLists()
{
    data::Record &bug = record();
    const qint32 prgId = qint32(bug.integer(QStringLiteral("PrgID")));
    auto report = [](const std::optional<Error> &error) {
        if (error)
            Messages::show(error->message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
    };
    m_statuses.clear();
    if (core::AccessServices *access = core::Services::access()) {
        // The switches of this form's settings, not whatever the run loaded.
        core::WorkflowSettings workflow;
        workflow.enabled = m_settings.workflowEnabled();
        workflow.assignIssue = m_settings.workflowAssignIssue();
        workflow.allowChange = m_settings.workflowAllowChange();
        core::DataStatusSource source(m_session, prgId);
        if (auto r =
                core::FillStatusList(m_statuses, prgId, true, core::CurrentIssue::fromBugsRecord(m_session),
                                     workflow, source, core::accessWorkflowRights(*access));
            !r)
            report(r.error());
    }
    m_releases.clear();
    if (auto r = core::FillReleaseList(m_releases, prgId, m_session); !r)
        report(r.error());
    if (auto r = core::FillPriorityList(m_session); !r)
        report(r.error());

    auto refill = [](QComboBox *box, const QStringList &items) {
        const QString current = box->currentText();
        box->clear();
        box->addItems(items);
        box->setCurrentIndex(-1);
        if (box->isEditable())
            box->setEditText(current);
    };
    QStringList statuses;
    for (const auto &s : m_statuses)
        statuses << s.status;
    refill(m_status, statuses);
    QStringList priorities;
    for (const auto &p : core::PriorityQueue::global().rows())
        priorities << p.priority;
    refill(m_priority, priorities);
    QStringList releases;
    for (const auto &r : m_releases)
        releases << r.release;
    refill(m_version, releases);
    if (auto r = IssueLookups::programTexts(m_session, QStringLiteral("Severity"), prgId); r)
        refill(m_severity, *r);
    if (auto r = IssueLookups::programTexts(m_session, QStringLiteral("Classification"), prgId); r)
        refill(m_classification, *r);
    const QStringList descriptions = IssueLookups::texts(m_session, QStringLiteral("BugDesc"));
    refill(m_description, descriptions);
    refill(m_reproducible, IssueLookups::texts(m_session, QStringLiteral("Reproducible")));
    refill(m_resolution, IssueLookups::texts(m_session, QStringLiteral("Resolution")));
    QStringList files;
    report(core::readKeyOrder(
        m_session, QStringLiteral("Programfiles"), QStringLiteral("KeyPrgIDFile"), {prgId},
        [&files](const data::Record &r) { files << Text::clip(r.text(QStringLiteral("FILE"))); }));
    refill(m_programFile, files);

    const auto users = core::UserQueue::global().rows();
    if (auto reporters = ReporterList::build(m_session, prgId, users); reporters) {
        m_reporters = std::move(reporters).value();
        QStringList shownRows;
        for (const auto &r : m_reporters)
            shownRows << (r.level > 0 ? QStringLiteral("    ") : QString()) + r.shown;
        refill(m_reportedBy, shownRows);
    }
    fillPersons();
}

void UpdateBugs::fillPersons()
{
    // The three person fields offer the users, or under the workflow those its lists allow.
    const auto users = core::UserQueue::global().rows();
    const IssueWorkflow workflow(m_settings);
    const data::Record &bug = record();
    std::vector<core::UserQueueEntry> assign = users, fixedBy = users, verifiedBy = users;
    if (workflow.enabled()) {
        const WorkflowGroups groups = workflow.groupsFor(bug.text(QStringLiteral("Status")));
        WorkflowLists lists;
        core::AccessServices *access = core::Services::access();
        workflow.fillLists(
            users, bug.text(QStringLiteral("Status")), groups,
            [access](const QString &mak) {
                return access ? access->getValue(QStringLiteral("WORKFLOWOPTIONS"), mak) : QString();
            },
            lists);
        assign = lists.assign;
        fixedBy = lists.fixed;
        verifiedBy = lists.verified;
        m_status->setEnabled(false);
        if (!isViewOnly()) {
            m_internal->setEnabled(groups.internal);
            m_fixed->setEnabled(groups.fixed);
            m_verified->setEnabled(groups.verified);
        }
    }
    auto fill = [](QComboBox *box, const std::vector<core::UserQueueEntry> &rows) {
        const QString current = box->currentText();
        box->clear();
        for (const auto &u : rows)
            box->addItem(Text::clip(u.userMak));
        box->setEditText(current);
    };
    fill(m_responsibleBox, assign);
    fill(m_fixedBy, fixedBy);
    fill(m_verifiedBy, verifiedBy);
}

void UpdateBugs::showIssue()
{
    data::Record &bug = record();
    showRecord();
    const auto users = core::UserQueue::global().rows();
    auto nameOf = [&users](const QString &mak) {
        for (const auto &u : users)
            if (!mak.isEmpty() && Text::clip(u.userMak) == mak)
                return Text::clip(u.userName);
        return QString();
    };
    m_responsibleName->setText(nameOf(Text::clip(bug.text(QStringLiteral("Responsible")))));
    m_fixedName->setText(nameOf(Text::clip(bug.text(QStringLiteral("FixedBy")))));
    m_verifiedName->setText(nameOf(Text::clip(bug.text(QStringLiteral("VerifiedBy")))));
    // A line shows only with its stamp.
    for (const auto &[label, text] :
         {std::pair{m_created, createdLine()}, std::pair{m_changed, changedLine()}}) {
        label->setText(text);
        label->setVisible(!text.isEmpty());
    }
    m_usedTime->setText(usedTimeText());
    m_networkType->setEnabled(IssueLookups::networkTypeEnabled(bug) && !isViewOnly());
    // The marks of the rules: a read-only field cannot be edited, a required one shows it.
    for (const auto &f : fields()) {
        const QString label = f->name().toUpper();
        if (!isViewOnly())
            f->setEditable(!m_rules->isReadOnly(label) &&
                           !(IssueWorkflow(m_settings).enabled() && label == QStringLiteral("BUG:STATUS")));
        if (QWidget *c = f->control())
            c->setStyleSheet(m_rules->isRequired(label) ? QStringLiteral("background-color: #fff5cc;")
                                                        : QString());
    }
    showCategory();
    markTabs();
}

void UpdateBugs::showCategory()
{
    const data::Record &bug = record();
    const int category = int(bug.integer(QStringLiteral("Category")));
    const bool bugCategory = category == 1;
    m_fixed->setTitle(tr(bugCategory ? "Fixed" : "Completed"));
    QString program;
    data::FileManager *programs = m_session.file(QStringLiteral("Programs"));
    if (programs) {
        data::Record p = programs->newRecord();
        p.setValue(QStringLiteral("ID"), bug.value(QStringLiteral("PrgID")));
        if (programs->fetch(QStringLiteral("KeyID"), p))
            program = Text::clip(p.text(QStringLiteral("PrgName")));
    }
    window()->setWindowTitle(IssueFormTexts::caption(program, IssueRequest(request()), category));
}

void UpdateBugs::markTabs()
{
    auto marks = IssueTabMarks::read(m_session, record());
    IssueTabMarks m = marks ? *marks : IssueTabMarks::ofIssue(record());
    if (m_attachments->isLoaded())
        m.attachments = m_attachments->rowCount() > 0;
    const QColor marked(Qt::red);
    const std::pair<int, bool> main[] = {{1, m.customFields}, {2, m.hardware},       {3, m.stepsToRecreate},
                                         {4, m.workaround},   {5, m.stepsToFix},     {6, m.verification},
                                         {7, m.attachments},  {8, m.miscellaneous()}};
    for (const auto &[index, on] : main)
        m_sheet->tabBar()->setTabTextColor(index, on ? marked : QColor());
    const std::pair<int, bool> misc[] = {{0, m.notes}, {1, m.history}, {2, m.sentEMails}};
    for (const auto &[index, on] : misc)
        m_miscSheet->tabBar()->setTabTextColor(index, on ? marked : QColor());
}

QString UpdateBugs::createdLine() const
{
    return IssueFormTexts::createdLine(const_cast<UpdateBugs *>(this)->record());
}

QString UpdateBugs::changedLine() const
{
    return IssueFormTexts::changedLine(const_cast<UpdateBugs *>(this)->record());
}

QString UpdateBugs::usedTimeText() const
{
    const data::Record &bug = const_cast<UpdateBugs *>(this)->record();
    const UsedTime used =
        UsedTime::between(bug.integer(QStringLiteral("StartTime")), bug.integer(QStringLiteral("EndTime")));
    return QStringLiteral("%1:%2:%3")
        .arg(used.hours)
        .arg(used.minutes, 2, 10, QLatin1Char('0'))
        .arg(used.seconds, 2, 10, QLatin1Char('0'));
}

// ---------------------------------------------------------------------------------------- editing

void UpdateBugs::takeChange(const tarvo::ui::FormField &f, const QVariant &before)
{
    data::Record &bug = record();
    const QString label = f.name();
    const QVariant after = bug.value(f.index());
    auto written = m_rules->applyChange(bug, label, f.pictureText(), before.toString(), after.toString(),
                                        request() == Request::Change, m_save.history());
    if (!written)
        Messages::show(written.error().message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
    else if (m_history->isLoaded())
        reload(m_history);
    const QString upper = label.toUpper();
    if (upper == QStringLiteral("BUG:RESPONSIBLE") || upper == QStringLiteral("BUG:FIXEDBY") ||
        upper == QStringLiteral("BUG:VERIFIEDBY")) {
        if (!IssueLookups::acceptPerson(bug, label.mid(4), core::UserQueue::global().rows()))
            selectControl(f.control());
    }
    if (upper == QStringLiteral("BUG:PROGRAMFILE"))
        offerProgramFile(Text::clip(bug.text(QStringLiteral("Programfile"))));
    if (upper == QStringLiteral("BUG:VERSION") || upper == QStringLiteral("BUG:FIXEDVERSION") ||
        upper == QStringLiteral("BUG:VERIFIEDVERSION"))
        offerRelease(Text::clip(bug.value(f.index()).toString()));
    if (upper == QStringLiteral("BUG:STATUS")) {
        for (const auto &s : m_statuses)
            if (s.status == Text::clip(bug.text(QStringLiteral("Status"))))
                IssueStatus::take(bug, s);
        fillPersons();
    }
    showIssue();
}

void UpdateBugs::offerProgramFile(const QString &typed)
{
    core::AccessServices *access = core::Services::access();
    data::FileManager *files = m_session.file(QStringLiteral("Programfiles"));
    if (typed.isEmpty() || m_programFile->findText(typed) >= 0 || !files || !access ||
        !access->checkControl(QStringLiteral("BrowseBugs:?InsertPFUT")))
        return;
    // The new file's form keeps the program and the typed name across its priming.
    data::Record &file = files->buffer();
    file = files->newRecord();
    file.setValue(QStringLiteral("PRGID"), record().value(QStringLiteral("PrgID")));
    file.setValue(QStringLiteral("FILE"), typed);
    run(UpdateProgramFiles, Request::Insert, [this](int response) {
        if (response == Response::Completed) {
            if (m_values.changes)
                m_values.changes->programChanged = true;
            fillLists();
            showIssue();
        }
    });
}

void UpdateBugs::offerRelease(const QString &typed)
{
    core::AccessServices *access = core::Services::access();
    data::FileManager *releases = m_session.file(QStringLiteral("Releases"));
    const bool mayAdd = access && access->checkControl(QStringLiteral("BrowseBugs:?InsertRUT"));
    if (!releases || !IssueLookups::offersNewRelease(typed, m_releases, m_settings, mayAdd))
        return;
    data::Record &release = releases->buffer();
    release = releases->newRecord();
    release.setValue(QStringLiteral("PRGID"), record().value(QStringLiteral("PrgID")));
    release.setValue(QStringLiteral("Release"), typed);
    run(UpdateProgramRelease, Request::Insert, [this](int response) {
        if (response == Response::Completed) {
            if (m_values.changes)
                m_values.changes->programChanged = true;
            fillLists();
            showIssue();
        }
    });
}

void UpdateBugs::takeCategory(int category)
{
    data::Record &bug = record();
    const QVariant before = bug.value(QStringLiteral("Category"));
    if (before.toLongLong() == category)
        return;
    bug.setValue(QStringLiteral("Category"), category);
    if (const tarvo::ui::FormField *f = fieldNamed(QStringLiteral("BUG:Category")))
        takeChange(*f, before);
}

void UpdateBugs::chooseReporter(int row)
{
    if (row < 0 || row >= int(m_reporters.size()))
        return;
    const ReporterRow &chosen = m_reporters[size_t(row)];
    if (chosen.style == ReporterRow::Heading)
        return;
    takeReporter(chosen);
}

void UpdateBugs::takeReporter(const ReporterRow &row)
{
    data::Record &bug = record();
    const QVariant before = bug.value(QStringLiteral("ReportedBy"));
    ReporterList::choose(bug, row);
    // Another contact of the same customer leaves the reporter's text as it was: nothing for the
    // history, but the contact line shows the new one.
    if (const tarvo::ui::FormField *f = fieldNamed(QStringLiteral("BUG:ReportedBy"));
        f && before != bug.value(f->index()))
        takeChange(*f, before);
    else
        showIssue();
}

void UpdateBugs::pickCustomer()
{
    core::MasterDataServices *masterData = core::Services::masterData();
    if (!masterData || isViewOnly())
        return;
    const int chosen = masterData->pickCustomer(m_session.context());
    if (chosen == 0)
        return;
    // The picker leaves the customer (and the contact) in the buffers of this context.
    const data::Record customer = m_session.file(QStringLiteral("Customer"))->buffer();
    ReporterRow row;
    row.customer = Text::clip(customer.text(QStringLiteral("Searchname")));
    row.customerId = qint32(customer.integer(QStringLiteral("ID")));
    if (chosen == 2) {
        const data::Record contact = m_session.file(QStringLiteral("CustomerContacts"))->buffer();
        row.contactId = qint32(contact.integer(QStringLiteral("CID")));
        row.contact = ReporterList::contactName(contact);
    }
    takeReporter(row);
}

std::optional<QString> UpdateBugs::reporterValue(const QString &fieldName)
{
    const data::Record &bug = record();
    const bool contact = bug.integer(QStringLiteral("ReportedByCID")) != 0;
    data::FileManager *file =
        m_session.file(contact ? QStringLiteral("CustomerContacts") : QStringLiteral("Customer"));
    if (!file)
        return std::nullopt;
    data::Record read = file->newRecord();
    read.setValue(contact ? QStringLiteral("CID") : QStringLiteral("ID"),
                  bug.value(contact ? QStringLiteral("ReportedByCID") : QStringLiteral("ReportedByID")));
    if (!file->fetch(contact ? QStringLiteral("KeyCID") : QStringLiteral("KeyID"), read))
        return std::nullopt;
    return Text::clip(read.text(fieldName));
}

void UpdateBugs::sendMail(const QString &address, QWidget *button)
{
    if (address.isEmpty()) {
        Messages::show(tr("No address specified!"), tr("Error"), MessageIcon::Information);
        return;
    }
    const QPoint below = button->mapToGlobal(QPoint(0, button->height()));
    core::Services::mail()->sendEMail(m_session.context(), address, below.x(), below.y());
}

void UpdateBugs::mailReporter(QWidget *mailButton)
{
    if (!takeControls())
        return;
    const data::Record &bug = record();
    if (bug.integer(QStringLiteral("ReportedByCID")) == 0 &&
        bug.integer(QStringLiteral("ReportedByID")) == 0) {
        // An internal user: the address the access library keeps for him.
        const QString reporter = Text::clip(bug.text(QStringLiteral("ReportedBy")));
        for (const ReporterRow &row : m_reporters) {
            if (row.style == ReporterRow::User && Text::clip(row.customer) == reporter) {
                core::AccessServices *access = core::Services::access();
                sendMail(access ? Text::clip(access->getValue(QStringLiteral("BEN:EMail"), row.userMak))
                                : QString(),
                         mailButton);
                return;
            }
        }
        return;
    }
    if (const auto address = reporterValue(QStringLiteral("EMail")))
        sendMail(*address, mailButton);
}

void UpdateBugs::surfReporter()
{
    if (!takeControls())
        return;
    const auto web = reporterValue(QStringLiteral("Web"));
    if (!web)
        return;
    if (web->isEmpty()) {
        Messages::show(tr("No address specified!"), tr("Error"), MessageIcon::Information);
        return;
    }
    // Only web pages and mail addresses are handed on: a stored text never starts a program.
    QUrl url = QUrl::fromUserInput(*web);
    const QString scheme = url.scheme().toLower();
    if (scheme == QStringLiteral("http") || scheme == QStringLiteral("https") ||
        scheme == QStringLiteral("mailto"))
        (void)Desktop::instance().openUrl(url);
}

void UpdateBugs::mailPerson(const QString &fieldName, QWidget *mailButton)
{
    if (!takeControls())
        return;
    const QString initials = Text::clip(record().text(fieldName.mid(4)));
    core::AccessServices *access = core::Services::access();
    sendMail(access && !initials.isEmpty()
                 ? Text::clip(access->getValue(QStringLiteral("BEN:EMail"), initials))
                 : QString(),
             mailButton);
}

void UpdateBugs::stamp(QPlainTextEdit *text)
{
    if (isViewOnly() || text->isReadOnly())
        return;
    const QString line = shown(DayDate::today(), kDate) + QLatin1Char(' ') + shown(DayDate::clock(), kTime) +
                         QLatin1Char(' ') + initials() + QStringLiteral(": ");
    text->moveCursor(QTextCursor::End);
    if (!text->toPlainText().isEmpty())
        text->insertPlainText(QStringLiteral("\n"));
    text->insertPlainText(line);
    text->setFocus();
}

void UpdateBugs::showMail(qint64 key)
{
    data::FileManager *file = m_session.file(QStringLiteral("EMails"));
    data::Record mail = file->newRecord();
    if (key < 0 || !file->fetchRow(key, mail)) {
        m_mailText->clear();
        return;
    }
    const QString text = mail.text(QStringLiteral("Text"));
    if (Text::clip(mail.text(QStringLiteral("Format")))
            .compare(QStringLiteral("HTML"), Qt::CaseInsensitive) == 0)
        m_mailText->setHtml(text);
    else
        m_mailText->setPlainText(text);
}

void UpdateBugs::showAttachmentNotes(qint64 key)
{
    data::FileManager *file = m_session.file(QStringLiteral("Attachments"));
    data::Record attachment = file->newRecord();
    m_attachmentNotes->setText(
        key >= 0 && file->fetchRow(key, attachment) ? attachment.text(QStringLiteral("Notes")) : QString());
}

void UpdateBugs::pressDuplicate()
{
    if (isViewOnly() || request() != Request::Change)
        return;
    m_duplicateSource = qint32(record().integer(QStringLiteral("ID")));
    if (!ok())
        m_duplicateSource = 0;
}

Result<QStringList> UpdateBugs::alsoResponsible() const
{
    QStringList out;
    const QVariant id = const_cast<UpdateBugs *>(this)->record().value(QStringLiteral("ID"));
    if (const auto failed = core::readKeyOrder(
            m_session, QStringLiteral("BugsResponsible"), QStringLiteral("KeyIDResponsible"), {id},
            [&out](const data::Record &r) { out << Text::clip(r.text(QStringLiteral("RESPONSIBLE"))); }))
        return *failed;
    return out;
}

void UpdateBugs::selectLabel(const QString &label)
{
    if (label == QStringLiteral("BUG:CATEGORY")) {
        selectControl(m_category->button(1));
        return;
    }
    if (const tarvo::ui::FormField *f = fieldNamed(label))
        selectControl(f->control());
}

// --------------------------------------------------------------------------------- OK and Cancel

bool UpdateBugs::save()
{
    // The persons of the issue are read whole, or the issue is not saved.
    const auto also = alsoResponsible();
    if (!also) {
        Messages::show(also.error().message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
        return false;
    }
    const SaveResult r = m_save.ok(*m_rules, *also, core::PriorityQueue::global().rows(), m_values.release);
    switch (r.outcome) {
    case SaveResult::Outcome::Saved:
        if (r.versionChanged && m_values.changes)
            m_values.changes->versionChanged = true;
        return true;
    case SaveResult::Outcome::Stopped:
        // The workflow may have closed the issue or the check set a value: the form shows it.
        showIssue();
        selectLabel(r.select);
        break;
    case SaveResult::Outcome::Refused:
        break;
    case SaveResult::Outcome::Held:
    case SaveResult::Outcome::Failed:
        Messages::show(r.error.message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
        break;
    }
    if (window()->testAttribute(Qt::WA_DontShowOnScreen)) {
        window()->setAttribute(Qt::WA_DontShowOnScreen, false);
        window()->show();
    }
    return false;
}

bool UpdateBugs::undo()
{
    if (auto cancelled = m_save.cancel(); !cancelled) {
        Messages::show(cancelled.error().message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
        return false;
    }
    return true;
}

bool UpdateBugs::remove()
{
    const SaveResult r = m_save.remove([this]() {
        return Messages::show(tr("Are you sure you want to delete the highlighted record?"),
                              window()->windowTitle(), MessageIcon::Question,
                              Button::Yes | Button::No) == Button::Yes;
    });
    if (r.outcome == SaveResult::Outcome::Held) {
        Messages::beep(MessageIcon::Asterisk);
        Messages::show(tr("This record is locked because someone else is editing it!"),
                       QStringLiteral("Tarvo"), MessageIcon::Application);
    } else if (r.outcome == SaveResult::Outcome::Failed) {
        Messages::show(r.error.message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
    }
    return r.outcome == SaveResult::Outcome::Saved;
}

} // namespace tarvo::issues::ui
