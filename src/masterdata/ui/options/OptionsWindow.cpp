#include "masterdata/ui/options/OptionsWindow.h"

#include "core/frame/FrameGlobals.h"
#include "core/startup/SettingsRecord.h"
#include "listext/ui/BrowseList.h"
#include "masterdata/ui/options/FieldRuleList.h"
#include "masterdata/ui/options/OptionsChoices.h"
#include "masterdata/ui/options/ReferenceLists.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/Events.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/RunOnce.h"
#include "platform/runtime/Translator.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tarvo::masterdata::ui {

namespace {

const QString Title = QStringLiteral("Options");

QStringList fieldTypes()
{
    return {QString(), "Text", "Memo", "Drop list", "Combo box", "Checkbox", "Date", "Time"};
}

QComboBox *dropList(const QStringList &items)
{
    auto *box = new QComboBox;
    box->addItems(items);
    return box;
}

QCheckBox *flag(const QString &caption)
{
    return new QCheckBox(caption);
}

} // namespace

OptionsWindow::OptionsWindow(Context &context, data::Session &session, QObject *parent)
    : ListWindow(context, Title, parent), m_session(session),
      m_settings(core::SettingsRecord::instance().values())
{
    setRunOnce(&runOnce());
}

OptionsWindow::~OptionsWindow() = default;

RunOnce &OptionsWindow::runOnce()
{
    static RunOnce slot(ContextRegistry::instance());
    return slot;
}

QWidget *OptionsWindow::control(const QString &name) const
{
    return m_dialog ? m_dialog->findChild<QWidget *>(name) : nullptr;
}

void OptionsWindow::bind(const QString &field, QWidget *widget)
{
    widget->setObjectName(field);
    const data::Record &record = m_settings.values().record();
    m_fields.push_back(std::make_unique<tarvo::ui::FormField>(
        record.layoutPtr(), record.layout().fieldIndex(QStringLiteral("PAR:") + field), widget));
}

// A radio group that stores the number of the chosen button, counted from 1.
void OptionsWindow::bindChoice(const QString &field, QWidget *group, const QStringList &captions)
{
    auto *buttons = new QButtonGroup(group);
    auto *layout = new QVBoxLayout(group);
    for (int i = 0; i < captions.size(); ++i) {
        auto *radio = new QRadioButton(captions[i]);
        buttons->addButton(radio, i + 1);
        layout->addWidget(radio);
    }
    bind(field, group);
    m_fields.back()->accessors(
        [buttons](QWidget *, const QVariant &value) {
            if (QAbstractButton *b = buttons->button(value.toInt()))
                b->setChecked(true);
        },
        [buttons](const QWidget *) { return QVariant(std::max(buttons->checkedId(), 0)); });
    connect(buttons, &QButtonGroup::idClicked, this, [this]() { applyRules(); });
}

QWidget *OptionsWindow::generalTab()
{
    auto *tab = new QWidget;
    auto *form = new QFormLayout(tab);
    auto *colour = new QPushButton(QStringLiteral("Select color..."));
    colour->setObjectName(QStringLiteral("SelectColor"));
    colour->setEnabled(false);
    auto *sample = new QLabel(QStringLiteral("Display color for non-variable data"));
    sample->setObjectName(QStringLiteral("STR1"));
    form->addRow(sample, colour);
    auto *currency = new QLineEdit;
    bind(QStringLiteral("Currency"), currency);
    form->addRow(QStringLiteral("Currency:"), currency);
    auto *charset = dropList({"ANSI", "Greek", "Turkish", "Hebrew", "Arabic", "Baltic", "Cyrillic", "Thai"});
    bind(QStringLiteral("Charset"), charset);
    form->addRow(QStringLiteral("Character set:"), charset);
    auto *language = dropList({"English", "English (UK)", "Deutsch"});
    bind(QStringLiteral("Language"), language);
    form->addRow(QStringLiteral("Language:"), language);
    auto *versionInsert = flag(QStringLiteral("Disable question to insert unknown version"));
    bind(QStringLiteral("DISABLEVERSIONINSERT"), versionInsert);
    form->addRow(versionInsert);
    auto *location = new QLineEdit;
    bind(QStringLiteral("LOCATION"), location);
    form->addRow(QStringLiteral("Location:"), location);
    return tab;
}

QWidget *OptionsWindow::workflowTab()
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    auto *enable = flag(QStringLiteral("Enable Workflow"));
    bind(QStringLiteral("WFENABLE"), enable);
    layout->addWidget(enable);
    auto *options = new QGroupBox;
    options->setObjectName(QStringLiteral("WorkflowOptions"));
    auto *inner = new QVBoxLayout(options);
    auto *assign = new QGroupBox(QStringLiteral("Assign Issues"));
    bindChoice(QStringLiteral("WFAssignIssue"), assign,
               {"Require to Assign Issue when added", "Allow to Assign Issue when added",
                "Do not allow to Assign Issue when added"});
    inner->addWidget(assign);
    auto *allowChange = flag(QStringLiteral("Allow modifications before Assignment"));
    bind(QStringLiteral("WFALLOWCHANGE"), allowChange);
    inner->addWidget(allowChange);
    auto *close = new QGroupBox(QStringLiteral("Close Issues"));
    bindChoice(QStringLiteral("WFCloseIssue"), close,
               {"Automatically Close Issue when resolved", "Automatically Close Issue when verified",
                "Do not automatically Close Issue"});
    inner->addWidget(close);
    auto *prompt = flag(QStringLiteral("Prompt before closing Issue"));
    bind(QStringLiteral("WFPromptBeforeClose"), prompt);
    inner->addWidget(prompt);
    layout->addWidget(options);
    layout->addStretch();
    connect(enable, &QCheckBox::toggled, this, [this]() { applyRules(); });
    return tab;
}

QWidget *OptionsWindow::updateTab()
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    for (const auto &[group, flagField, textField] :
         std::vector<std::tuple<QString, QString, QString>>{{"Insert", "OVERRIDEINSERT", "INSERTTEXT"},
                                                            {"Change", "OVERRIDECHANGE", "CHANGETEXT"},
                                                            {"Delete", "OVERRIDEDELETE", "DELETETEXT"}}) {
        auto *box = new QGroupBox(group);
        auto *row = new QHBoxLayout(box);
        auto *override = flag(QStringLiteral("Override button text"));
        bind(flagField, override);
        auto *text = new QLineEdit;
        bind(textField, text);
        row->addWidget(override);
        row->addWidget(text);
        layout->addWidget(box);
        connect(override, &QCheckBox::toggled, this, [this]() { applyRules(); });
    }
    auto *form = new QFormLayout;
    auto *first = dropList({"Description", "Radio button"});
    bind(QStringLiteral("UpdateBugFirstField"), first);
    form->addRow(QStringLiteral("First field in update window:"), first);
    layout->addLayout(form);
    layout->addStretch();
    return tab;
}

QWidget *OptionsWindow::stampTab()
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(new QLabel(QStringLiteral("Text to insert by pressing the Date && Time Stamp:")));
    auto *stamp = new QPlainTextEdit;
    bind(QStringLiteral("DateTimeStamp"), stamp);
    layout->addWidget(stamp);
    auto *position = new QGroupBox(QStringLiteral("Insert at..."));
    bindChoice(QStringLiteral("DateTimeStampInsPos"), position,
               {"Beginning of Text field", "End of Text field", "Cursor Position"});
    layout->addWidget(position);
    auto *help =
        new QLabel(QStringLiteral("^Date^ ...the actual date\n^Time^ ...the actual time\n"
                                  "^Initials^ ...the initials of the person who is currently logged in\n"
                                  "^C^ ...this is the position the cursor should be placed after the "
                                  "text is inserted"));
    layout->addWidget(help);
    return tab;
}

QWidget *OptionsWindow::emailTab()
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    auto *type = new QGroupBox(QStringLiteral("Send EMails using ..."));
    bindChoice(QStringLiteral("EMailType"), type, {"MAPI", "SMTP"});
    layout->addWidget(type);
    auto *connectTo = new QGroupBox(QStringLiteral("Connect to..."));
    connectTo->setObjectName(QStringLiteral("ConnectTo"));
    auto *connectForm = new QFormLayout(connectTo);
    auto *server = new QLineEdit;
    bind(QStringLiteral("EMAILSERVER"), server);
    connectForm->addRow(QStringLiteral("Server:"), server);
    auto *port = new QSpinBox;
    port->setRange(0, 65535);
    bind(QStringLiteral("EMailServerPort"), port);
    connectForm->addRow(QStringLiteral("Port:"), port);
    layout->addWidget(connectTo);
    auto *login = new QGroupBox(QStringLiteral("Login authentication (AUTH LOGIN)"));
    login->setObjectName(QStringLiteral("Login"));
    auto *loginForm = new QFormLayout(login);
    auto *user = new QLineEdit;
    bind(QStringLiteral("EMAILAUTHUSER"), user);
    loginForm->addRow(QStringLiteral("User:"), user);
    // The password is never shown nor bound to the record: it is sealed on OK, or not kept.
    m_password = new QLineEdit;
    m_password->setObjectName(QStringLiteral("EMAILAUTHPASSWORD"));
    m_password->setEchoMode(QLineEdit::Password);
    loginForm->addRow(QStringLiteral("Password:"), m_password);
    m_storePassword = flag(QStringLiteral("Store password (encrypted)"));
    m_storePassword->setObjectName(QStringLiteral("StorePassword"));
    loginForm->addRow(m_storePassword);
    layout->addWidget(login);
    auto *notification = new QGroupBox(QStringLiteral("EMail Notification"));
    auto *notes = new QVBoxLayout(notification);
    for (const auto &[field, caption] : std::vector<std::pair<QString, QString>>{
             {"ENABLEEMAIL", "Enable automatic EMail Notification"},
             {"ENABLEEMAILMASSUPDATE", "Enable automatic EMail Notification for Mass Updates"},
             {"ASKEMAIL", "Ask before sending EMail Notification"},
             {"MODIFYEMAIL", "Allow modifications to generated EMail"}}) {
        auto *box = flag(caption);
        bind(field, box);
        notes->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this]() { applyRules(); });
    }
    layout->addWidget(notification);
    layout->addStretch();
    return tab;
}

QWidget *OptionsWindow::issueTab()
{
    auto *tab = new QWidget;
    auto *form = new QFormLayout(tab);
    auto *prompt = new QLineEdit;
    bind(QStringLiteral("CUSTOMIZE1"), prompt);
    form->addRow(QStringLiteral("Overwrite prompt \"Identifier:\":"), prompt);
    auto *history = flag(QStringLiteral("Disable History"));
    bind(QStringLiteral("DISABLEHISTORY"), history);
    form->addRow(history);
    auto *functions = new QPlainTextEdit;
    bind(QStringLiteral("FunctionList"), functions);
    form->addRow(QStringLiteral("Responsible \"Function\" List:"), functions);
    return tab;
}

QWidget *OptionsWindow::customFieldsTab()
{
    auto *tab = new QWidget;
    auto *grid = new QGridLayout(tab);
    for (int n = 1; n <= core::SettingsValues::CustomFieldCount; ++n) {
        const QString num = QString::number(n);
        auto *enabled = flag(QStringLiteral("Enable"));
        bind(QStringLiteral("FIELD%1ENABLED").arg(num), enabled);
        auto *name = new QLineEdit;
        bind(QStringLiteral("FIELD%1").arg(num), name);
        auto *type = dropList(fieldTypes());
        bind(QStringLiteral("FIELDTYPE%1").arg(num), type);
        auto *lengthLabel = new QLabel(QStringLiteral("Length:"));
        lengthLabel->setObjectName(QStringLiteral("LengthPrompt%1").arg(num));
        auto *length = new QSpinBox;
        length->setRange(0, 255);
        bind(QStringLiteral("FIELDLEN%1").arg(num), length);
        grid->addWidget(enabled, n, 0);
        grid->addWidget(new QLabel(QStringLiteral("Field %1:").arg(num)), n, 1);
        grid->addWidget(name, n, 2);
        grid->addWidget(new QLabel(QStringLiteral("Type:")), n, 3);
        grid->addWidget(type, n, 4);
        grid->addWidget(lengthLabel, n, 5);
        grid->addWidget(length, n, 6);
        auto *choices = new QPushButton(QStringLiteral("..."));
        choices->setObjectName(QStringLiteral("FieldChoices%1").arg(num));
        grid->addWidget(choices, n, 7);
        connect(choices, &QPushButton::clicked, this, [this, n]() { editChoices(n); });
        connect(enabled, &QCheckBox::toggled, this, [this]() { applyRules(); });
        connect(type, &QComboBox::currentTextChanged, this, [this]() { applyRules(); });
    }
    grid->setRowStretch(core::SettingsValues::CustomFieldCount + 1, 1);
    return tab;
}

bool OptionsWindow::open()
{
    m_charsetAtOpening = m_settings.values().charset();
    m_dialog = new QDialog;
    m_dialog->setWindowTitle(Translator::instance().translate(Title));
    // Wide enough that every tab caption shows without scrolling.
    m_dialog->setMinimumWidth(1000);
    auto *layout = new QVBoxLayout(m_dialog);
    m_tabs = new QTabWidget;
    m_tabs->addTab(generalTab(), QStringLiteral("General"));
    m_tabs->addTab(workflowTab(), QStringLiteral("Workflow"));
    m_tabs->addTab(updateTab(), QStringLiteral("Update"));
    m_tabs->addTab(stampTab(), QStringLiteral("Date && Time Stamp"));
    auto *fields = new QTabWidget;
    fields->addTab(new FieldRuleList(context(), m_session), QStringLiteral("Fields"));
    fields->addTab(customFieldsTab(), QStringLiteral("Custom fields"));
    m_tabs->addTab(fields, QStringLiteral("Fields"));
    m_tabs->addTab(emailTab(), QStringLiteral("EMails"));
    auto *issues = new QTabWidget;
    issues->addTab(issueTab(), QStringLiteral("General"));
    m_referenceLists = new ReferenceLists(*this, m_session, this);
    const auto page = [this](int number) { return m_referenceLists->page(number); };
    // While the workflow is on, its fixed statuses stand in for the editable list.
    auto *statusTab = new QWidget;
    auto *statusLayout = new QVBoxLayout(statusTab);
    auto *issueStatuses = page(ReferenceLists::IssueStatuses);
    issueStatuses->setObjectName(QStringLiteral("IssueStatusList"));
    auto *workflowStatuses = new QLabel(
        QStringLiteral("Workflow is enabled.\nThese are the available entries for the Status field:\n"
                       "New\nAssigned\nPostponed\nInvestigated\nResolved\nVerified\nFailed\nClosed"));
    workflowStatuses->setObjectName(QStringLiteral("WorkflowStatuses"));
    statusLayout->addWidget(issueStatuses);
    statusLayout->addWidget(workflowStatuses);
    issues->addTab(statusTab, QStringLiteral("Status"));
    for (const auto &[number, caption] :
         std::vector<std::pair<int, QString>>{{ReferenceLists::Priorities, "Priority"},
                                              {ReferenceLists::Severities, "Severity"},
                                              {ReferenceLists::Classifications, "Classification"},
                                              {ReferenceLists::Reproducibles, "Reproducible"},
                                              {ReferenceLists::Resolutions, "Resolution"},
                                              {ReferenceLists::Descriptions, "Description"}})
        issues->addTab(page(number), caption);
    m_tabs->addTab(issues, QStringLiteral("\"Bug\" Settings"));
    auto *customers = new QTabWidget;
    customers->addTab(page(ReferenceLists::ContractTypes), QStringLiteral("Contract types"));
    m_tabs->addTab(customers, QStringLiteral("\"Customer\" Settings"));
    auto *programs = new QTabWidget;
    programs->addTab(page(ReferenceLists::ProgramStatuses), QStringLiteral("Status"));
    m_tabs->addTab(programs, QStringLiteral("\"Program\" Settings"));
    auto *notes = new QTabWidget;
    notes->addTab(page(ReferenceLists::NoteStatuses), QStringLiteral("Status"));
    m_tabs->addTab(notes, QStringLiteral("Notes"));
    // Another user may have changed the statuses meanwhile.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this, issues, programs](int index) {
        const QWidget *tab = m_tabs->widget(index);
        const int number = tab == issues     ? ReferenceLists::IssueStatuses
                           : tab == programs ? ReferenceLists::ProgramStatuses
                                             : 0;
        if (listext::ui::BrowseList *list = m_referenceLists->list(number))
            (void)list->refresh();
    });
    layout->addWidget(m_tabs);
    auto *buttons = new QDialogButtonBox;
    auto *okButton = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    okButton->setObjectName(QStringLiteral("OK"));
    auto *cancelButton = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    cancelButton->setObjectName(QStringLiteral("Cancel"));
    layout->addWidget(buttons);
    acceptOn(okButton);
    acceptOn(cancelButton);
    connect(m_dialog, &QDialog::rejected, this, [this]() { close(); });
    setWindow(m_dialog);
    for (const auto &field : m_fields) {
        if (!field->isValid()) {
            Messages::show(QStringLiteral("The settings have no field for the control %1.")
                               .arg(field->control() ? field->control()->objectName() : QString()),
                           Title, MessageIcon::Error);
            return false;
        }
    }
    m_storePassword->setChecked(m_settings.smtpPasswordStored());
    showSettings();
    return ListWindow::open();
}

void OptionsWindow::showSettings()
{
    for (const auto &field : m_fields)
        field->show(m_settings.values().record());
    applyRules();
}

bool OptionsWindow::takeSettings()
{
    data::Record record = m_settings.values().record();
    for (const auto &field : m_fields) {
        if (auto taken = field->take(record); !taken) {
            Messages::beep(MessageIcon::Exclamation);
            if (QWidget *c = field->control())
                c->setFocus();
            return false;
        }
    }
    m_settings.values() = core::SettingsValues(record);
    return true;
}

void OptionsWindow::applyRules()
{
    const auto checked = [this](const QString &name) {
        const auto *box = qobject_cast<QCheckBox *>(control(name));
        return box && box->isChecked();
    };
    const auto choice = [this](const QString &name) {
        const QWidget *group = control(name);
        const auto *buttons = group ? group->findChild<QButtonGroup *>() : nullptr;
        return buttons ? buttons->checkedId() : 0;
    };
    const bool smtp = choice(QStringLiteral("EMailType")) == 2;
    control(QStringLiteral("ConnectTo"))->setEnabled(smtp);
    control(QStringLiteral("Login"))->setEnabled(smtp);
    const bool notify = checked(QStringLiteral("ENABLEEMAIL"));
    control(QStringLiteral("ASKEMAIL"))->setEnabled(notify);
    control(QStringLiteral("MODIFYEMAIL"))->setEnabled(notify && checked(QStringLiteral("ASKEMAIL")));
    for (const auto &[flagField, textField] :
         std::vector<std::pair<QString, QString>>{{"OVERRIDEINSERT", "INSERTTEXT"},
                                                  {"OVERRIDECHANGE", "CHANGETEXT"},
                                                  {"OVERRIDEDELETE", "DELETETEXT"}})
        control(textField)->setEnabled(checked(flagField));
    const bool workflow = checked(QStringLiteral("WFENABLE"));
    control(QStringLiteral("WorkflowOptions"))->setEnabled(workflow);
    control(QStringLiteral("IssueStatusList"))->setVisible(!workflow);
    control(QStringLiteral("WorkflowStatuses"))->setVisible(workflow);
    control(QStringLiteral("WFPromptBeforeClose"))->setVisible(choice(QStringLiteral("WFCloseIssue")) <= 2);
    for (int n = 1; n <= core::SettingsValues::CustomFieldCount; ++n) {
        const bool on = checked(QStringLiteral("FIELD%1ENABLED").arg(n));
        const auto *type = qobject_cast<QComboBox *>(control(QStringLiteral("FIELDTYPE%1").arg(n)));
        const QString kind = type ? type->currentText().trimmed() : QString();
        const bool memo = kind == QLatin1String("Memo");
        const bool hasLength = kind == QLatin1String("Text") || memo || kind == QLatin1String("Drop list") ||
                               kind == QLatin1String("Combo box");
        control(QStringLiteral("FIELD%1").arg(n))->setEnabled(on);
        control(QStringLiteral("FIELDTYPE%1").arg(n))->setEnabled(on);
        auto *prompt = qobject_cast<QLabel *>(control(QStringLiteral("LengthPrompt%1").arg(n)));
        prompt->setText(
            Translator::instance().translate(memo ? QStringLiteral("Lines:") : QStringLiteral("Length:")));
        prompt->setEnabled(on && hasLength);
        auto *length = qobject_cast<QSpinBox *>(control(QStringLiteral("FIELDLEN%1").arg(n)));
        length->setMaximum(memo ? 25 : 255);
        length->setEnabled(on && hasLength);
        control(QStringLiteral("FieldChoices%1").arg(n))
            ->setEnabled(on && (kind == QLatin1String("Drop list") || kind == QLatin1String("Combo box")));
    }
}

void OptionsWindow::editChoices(int field)
{
    if (!takeSettings())
        return;
    const QString name = QStringLiteral("PAR:FIELDCHOICES%1").arg(field);
    auto *choices = new OptionsChoices(context(), m_settings.values().record().text(name));
    // The list is kept in the window's copy; only OK of the window stores it.
    choices->openModal(m_dialog, [this, choices, name, self = QPointer<OptionsWindow>(this)](int response) {
        if (!self || response != Response::Completed)
            return;
        data::Record record = m_settings.values().record();
        record.setValue(name, choices->choices());
        m_settings.values() = core::SettingsValues(record);
    });
}

void OptionsWindow::takeAccepted(const QString &controlName)
{
    if (controlName == QLatin1String("OK"))
        ok();
    else if (controlName == QLatin1String("Cancel"))
        close();
    else
        ListWindow::takeAccepted(controlName);
}

bool OptionsWindow::ok()
{
    if (!takeSettings())
        return false;
    switch (m_settings.missing()) {
    case OptionsSettings::Missing::SmtpServer:
    case OptionsSettings::Missing::SmtpPort: {
        Messages::beep(MessageIcon::Exclamation);
        m_tabs->setCurrentWidget(m_password->parentWidget()->parentWidget());
        control(m_settings.missing() == OptionsSettings::Missing::SmtpServer
                    ? QStringLiteral("EMAILSERVER")
                    : QStringLiteral("EMailServerPort"))
            ->setFocus();
        return false;
    }
    case OptionsSettings::Missing::Nothing:
        break;
    }
    // A blank password entry keeps what is stored, unless the user no longer wants it kept.
    const QString typed = m_password->text();
    if (!m_storePassword->isChecked() || !typed.isEmpty()) {
        if (auto sealed = m_settings.setSmtpPassword(typed, m_storePassword->isChecked()); !sealed) {
            Messages::show(sealed.error().message, Title, MessageIcon::Exclamation);
            return false;
        }
    }
    // A write that fails has been reported by the data layer; the window stays open with the edits.
    if (!m_settings.publish(m_session))
        return false;
    if (m_settings.values().charset() != m_charsetAtOpening)
        Messages::show(Translator::instance().translate(
                           QStringLiteral("Some of the settings require a restart of Tarvo!")),
                       QStringLiteral("Tarvo"), MessageIcon::Exclamation);
    ContextRegistry::instance().post(core::FrameGlobals::instance().browseBugsThread(),
                                     Events::SettingsChanged);
    setResponse(Response::Completed);
    return close();
}

} // namespace tarvo::masterdata::ui
