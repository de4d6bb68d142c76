#include "access/ui/UpdateBenutzer.h"

#include "access/AccessMessages.h"
#include "access/AccessSession.h"
#include "access/ArchiveFolders.h"
#include "access/DayClock.h"
#include "access/PasswordChanger.h"
#include "access/Vuvuzu.h"
#include "access/VuvuzuPaths.h"
#include "access/ui/AccessHelp.h"
#include "access/ui/AddressLink.h"
#include "access/ui/ArchiveFoldersTab.h"
#include "access/ui/DialogButtons.h"
#include "access/ui/RightsTree.h"
#include "access/ui/VerifyPasswort.h"
#include "access/ui/WindowPlace.h"
#include "access/ui/WindowTranslation.h"
#include "platform/runtime/IniFile.h"
#include "platform/runtime/Text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tarvo::access {

namespace {

const QString Name = QStringLiteral("UpdateBenutzer");
// The history never shows a password, not even its length.
const QString Mask = QStringLiteral("********");
const QChar ProgramSeparator = QChar(0xB0);

QDateEdit *dateField(QWidget *parent, const char *name)
{
    auto *field = new QDateEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setCalendarPopup(true);
    // The lowest date stands for "none" (day 0).
    field->setMinimumDate(DayClock::date(0));
    field->setSpecialValueText(QStringLiteral(" "));
    return field;
}

void showDay(QDateEdit *field, qint32 day)
{
    field->setDate(day > 0 ? DayClock::date(day) : field->minimumDate());
}

qint32 takeDay(const QDateEdit *field)
{
    return field->date() == field->minimumDate() ? 0 : DayClock::dayNumber(field->date());
}

QLineEdit *textField(QWidget *parent, const char *name, int width)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setMaxLength(width);
    return field;
}

// The captions of the insert, change and delete buttons may be set in "Vuvuzu.ini".
void captionFromIni(QPushButton *button, const QString &key)
{
    const QString caption = IniFile(VuvuzuPaths::vuvuzuIni()).value(QStringLiteral("Vuvuzu"), key);
    if (!caption.isEmpty())
        button->setText(caption);
}

} // namespace

UpdateBenutzer::UpdateBenutzer(int request, const QString &userCode, QWidget *parent)
    : QDialog(parent), m_request(request), m_account(UserAccount::fresh())
{
    setObjectName(Name);
    setWindowTitle(request == Insert ? QStringLiteral("Benutzer · Neuanlage")
                   : request == View ? QStringLiteral("View Record")
                                     : QStringLiteral("Benutzer · Ändern"));
    if (request != Insert) {
        auto loaded = UserAccount::load(*AccessSession::repository(), userCode);
        if (!loaded) {
            AccessMessages::error(loaded.error().message);
            return;
        }
        m_account = std::move(*loaded);
    }
    m_verifier = [this] { return VerifyPasswort::ask(this); };
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("Sheet"));
    m_tabs->addTab(generalTab(), QStringLiteral("Allgemein"));
    // The product tabs follow the security file of the product that called the library.
    const QString product = AccessSession::state().securityFile.trimmed().toUpper();
    QWidget *workflow = workflowTab();
    m_tabs->addTab(workflow, QStringLiteral("Tarvo Einschränkungen"));
    if (product != u"TARVO.SEC" && !product.isEmpty())
        m_tabs->setTabVisible(m_tabs->indexOf(workflow), false);
    // Placed behind the hidden tracker tab, so that the visible tabs keep their order.
    if (product == u"RF.SEC")
        m_tabs->addTab(dataAccessTab(), QStringLiteral("R-Fintol Daten-Zugriff"));
    if (!ArchiveFolders::categories(product).empty()) {
        m_archive = new ArchiveFoldersTab(m_account, product, this);
        m_tabs->addTab(m_archive, QStringLiteral("Dokumenten-Archivierung"));
        m_lockedWhileInactive << m_archive;
    }
    m_rights = new RightsTree(m_account, this);
    m_tabs->addTab(m_rights, QStringLiteral("Zugriffsrechte"));
    m_tabs->addTab(historyTab(), QStringLiteral("Passwörter"));
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_tabs->widget(index) == m_rights)
            m_rights->fill();
    });

    const DialogButtons dialogButtons = okCancelButtons(this);
    QDialogButtonBox *buttons = dialogButtons.box;
    buttons->addButton(AccessHelp::install(this, [this] { return helpTopic(); }), QDialogButtonBox::HelpRole);
    dialogButtons.ok->setEnabled(request != View);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);

    translateWindow(this);
    showAccount();
    applyRules();
    WindowPlace::restore(this, Name);
    m_ready = true;
}

UpdateBenutzer::~UpdateBenutzer() = default;

QLayout *UpdateBenutzer::withLink(QLineEdit *field, const char *name, const QString &scheme)
{
    auto *button = new QPushButton(QStringLiteral("..."), field->parentWidget());
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setMaximumWidth(28);
    connect(button, &QPushButton::clicked, this,
            [field, scheme] { AddressLink::open(scheme, field->text()); });
    auto *row = new QHBoxLayout();
    row->addWidget(field, 1);
    row->addWidget(button);
    return row;
}

QWidget *UpdateBenutzer::generalTab()
{
    auto *tab = new QWidget(this);
    m_typ = new QComboBox(tab);
    m_typ->setObjectName(QStringLiteral("Typ"));
    m_typ->addItem(AccessSession::tr(QStringLiteral("Benutzer")), 1);
    m_typ->addItem(QStringLiteral("Administrator"), 3);
    m_typ->addItem(AccessSession::tr(QStringLiteral("Temporär")), 2);
    m_gueltigBis = dateField(tab, "GUELTIGBIS");
    m_inaktiv = new QCheckBox(QStringLiteral("Benutzer deaktiviert"), tab);
    m_inaktiv->setObjectName(QStringLiteral("INAKTIV"));
    auto *account = new QFormLayout();
    account->addRow(QStringLiteral("Benutzer Typ"), m_typ);
    account->addRow(QStringLiteral("Benutzerkonto gültig bis:"), m_gueltigBis);
    account->addRow(m_inaktiv);

    auto *address = new QGroupBox(QStringLiteral("Benutzer"), tab);
    m_anrede = new QComboBox(address);
    m_anrede->setObjectName(QStringLiteral("ANREDE"));
    m_anrede->setEditable(true);
    m_anrede->addItems(AccessSession::tr(QStringLiteral("Herr|Frau|Firma")).split(QLatin1Char('|')));
    m_name = textField(address, "NAME", 35);
    m_vorname = textField(address, "ZUSATZ", 35);
    m_strasse = textField(address, "STRASSE", 35);
    m_lkz = textField(address, "LKZ", 3);
    m_plz = textField(address, "PLZ", 10);
    m_ort = textField(address, "ORT", 35);
    m_telefon = textField(address, "TELEFON", 35);
    m_fax = textField(address, "FAX", 35);
    m_mobil = textField(address, "MOBILTELEFON", 35);
    m_email = textField(address, "EMAIL", 100);
    m_internet = textField(address, "INTERNET", 100);
    auto *since = new QLabel(address);
    since->setObjectName(QStringLiteral("SEIT"));
    since->setText(DayClock::formatDate(m_account.user.seit));
    auto *addressForm = new QFormLayout(address);
    addressForm->addRow(QStringLiteral("Seit:"), since);
    addressForm->addRow(QStringLiteral("Anrede:"), m_anrede);
    addressForm->addRow(QStringLiteral("Name:"), m_name);
    addressForm->addRow(QStringLiteral("Vorname:"), m_vorname);
    addressForm->addRow(QStringLiteral("Strasse:"), m_strasse);
    addressForm->addRow(QStringLiteral("LKZ:"), m_lkz);
    addressForm->addRow(QStringLiteral("PLZ:"), m_plz);
    addressForm->addRow(QStringLiteral("Ort:"), m_ort);
    addressForm->addRow(QStringLiteral("Telefon:"), withLink(m_telefon, "DialPhone", QStringLiteral("tel:")));
    addressForm->addRow(QStringLiteral("Fax:"), m_fax);
    addressForm->addRow(QStringLiteral("Mobiltel.:"),
                        withLink(m_mobil, "DialMobile", QStringLiteral("tel:")));
    addressForm->addRow(QStringLiteral("E-Mail:"), withLink(m_email, "SendMail", QStringLiteral("mailto:")));
    addressForm->addRow(QStringLiteral("Internet:"), withLink(m_internet, "Browse", QString()));

    auto *login = new QGroupBox(QStringLiteral("MAK / Passwort Optionen"), tab);
    m_code = textField(login, "MAK", 35);
    m_code->installEventFilter(this);
    m_password = textField(login, "PASSWORT", 35);
    m_password->setEchoMode(QLineEdit::Password);
    m_mayChange = new QCheckBox(QStringLiteral("Benutzer darf Passwort ändern"), login);
    m_mayChange->setObjectName(QStringLiteral("PASSWORTAENDERN"));
    m_permanent = new QCheckBox(QStringLiteral("Permanentes Passwort"), login);
    m_permanent->setObjectName(QStringLiteral("PASSWORTPERMANENT"));
    m_renewDays = new QSpinBox(login);
    m_renewDays->setObjectName(QStringLiteral("PASSWORTERNEUERN"));
    m_renewDays->setRange(0, 999);
    m_expiry = dateField(login, "PASSWORTABLAUF");
    auto *renew = new QHBoxLayout();
    renew->addWidget(new QLabel(QStringLiteral("Passwort alle"), login));
    renew->addWidget(m_renewDays);
    renew->addWidget(new QLabel(QStringLiteral("Tage erneuern"), login));
    auto *loginForm = new QFormLayout(login);
    loginForm->addRow(QStringLiteral("MAK:"), m_code);
    loginForm->addRow(QStringLiteral("Passwort:"), m_password);
    loginForm->addRow(m_mayChange);
    loginForm->addRow(m_permanent);
    loginForm->addRow(renew);
    loginForm->addRow(QStringLiteral("Ablauf:"), m_expiry);
    connect(m_code, &QLineEdit::textChanged, this, &UpdateBenutzer::applyRules);
    connect(m_password, &QLineEdit::editingFinished, this, &UpdateBenutzer::passwordAccepted);
    connect(m_permanent, &QCheckBox::clicked, this, &UpdateBenutzer::permanentToggled);

    auto *computer = new QGroupBox(tab);
    m_bindComputer =
        new QCheckBox(QStringLiteral("Diesen Benutzer nur an folgendem Computer anmelden."), computer);
    m_bindComputer->setObjectName(QStringLiteral("BindComputer"));
    m_computer = textField(computer, "COMPUTERNAME", 50);
    auto *computerForm = new QFormLayout(computer);
    computerForm->addRow(m_bindComputer);
    computerForm->addRow(QStringLiteral("Computer:"), m_computer);
    connect(m_bindComputer, &QCheckBox::toggled, this, &UpdateBenutzer::applyRules);
    connect(m_typ, &QComboBox::currentIndexChanged, this, &UpdateBenutzer::applyRules);
    connect(m_inaktiv, &QCheckBox::toggled, this, &UpdateBenutzer::applyRules);

    auto *right = new QVBoxLayout();
    right->addWidget(login);
    right->addWidget(computer);
    right->addStretch();
    auto *columns = new QHBoxLayout();
    columns->addWidget(address);
    columns->addLayout(right);
    auto *layout = new QVBoxLayout(tab);
    layout->addLayout(account);
    layout->addLayout(columns);
    m_lockedWhileInactive = {m_typ, address, login, computer};
    return tab;
}

QWidget *UpdateBenutzer::workflowTab()
{
    auto *tab = new QWidget(this);
    auto *workflow = new QGroupBox(QStringLiteral("Workflow"), tab);
    auto *workflowLayout = new QVBoxLayout(workflow);
    workflowLayout->addWidget(
        new QLabel(QStringLiteral("Diese Einstellungen werden nur benutzt, wenn \"Workflow "
                                  "aktivieren\" in den Optionen aktiviert ist."),
                   workflow));
    const QStringList states{QStringLiteral("Neu"),           QStringLiteral("Zugewiesen"),
                             QStringLiteral("Aufgeschoben"),  QStringLiteral("Untersucht"),
                             QStringLiteral("Behoben"),       QStringLiteral("Überprüft"),
                             QStringLiteral("Durchgefallen"), QStringLiteral("Fertig")};
    for (int i = 0; i < states.size(); ++i) {
        auto *box = new QCheckBox(states.at(i), workflow);
        box->setObjectName(QStringLiteral("USERBYTE%1").arg(i + 2));
        workflowLayout->addWidget(box);
        m_workflow << box;
    }
    m_ownOnly = new QCheckBox(
        QStringLiteral("Nur Datensätze anzeigen, für die der Benutzer verantwortlich ist"), tab);
    m_ownOnly->setObjectName(QStringLiteral("USERBYTE1"));
    m_programs = new QListWidget(tab);
    m_programs->setObjectName(QStringLiteral("ProgramList"));
    auto *insert = new QPushButton(QStringLiteral("&Einfügen"), tab);
    insert->setObjectName(QStringLiteral("InsertProgram"));
    auto *change = new QPushButton(QStringLiteral("&Ändern"), tab);
    change->setObjectName(QStringLiteral("ChangeProgram"));
    auto *remove = new QPushButton(QStringLiteral("&Löschen"), tab);
    remove->setObjectName(QStringLiteral("DeleteProgram"));
    connect(insert, &QPushButton::clicked, this, &UpdateBenutzer::addProgram);
    connect(change, &QPushButton::clicked, this, &UpdateBenutzer::changeProgram);
    connect(remove, &QPushButton::clicked, this, &UpdateBenutzer::deleteProgram);
    connect(m_programs, &QListWidget::itemDoubleClicked, this, &UpdateBenutzer::changeProgram);
    auto *buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(insert);
    buttons->addWidget(change);
    buttons->addWidget(remove);
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(workflow);
    layout->addWidget(m_ownOnly);
    layout->addWidget(
        new QLabel(QStringLiteral("Diesem Benutzer nur Zugriff auf die folgenden Programme erlauben."), tab));
    layout->addWidget(m_programs);
    layout->addLayout(buttons);
    m_lockedWhileInactive << workflow << m_programs << insert << change << remove;
    // Set after translation, so that a caption from "Vuvuzu.ini" stays as written.
    QMetaObject::invokeMethod(
        this,
        [insert, change, remove] {
            captionFromIni(insert, QStringLiteral("Insert"));
            captionFromIni(change, QStringLiteral("Change"));
            captionFromIni(remove, QStringLiteral("Delete"));
        },
        Qt::QueuedConnection);
    return tab;
}

QWidget *UpdateBenutzer::dataAccessTab()
{
    auto *tab = new QWidget(this);
    auto *group = new QGroupBox(QStringLiteral("Kunden-Zugriff einschränken"), tab);
    const auto agentField = [group](const char *name) {
        auto *field = new QSpinBox(group);
        field->setObjectName(QLatin1String(name));
        // Seven digits, blank for none.
        field->setRange(0, 9999999);
        field->setSpecialValueText(QStringLiteral(" "));
        return field;
    };
    m_fromAgent = agentField("USERLONG1");
    m_toAgent = agentField("USERLONG2");
    m_seeAllEditOwn = new QCheckBox(QStringLiteral("Alle Kunden sehen, nur eigene bearbeiten"), group);
    // The same field as the tracker's "own records only" box, which this product does not show.
    m_seeAllEditOwn->setObjectName(QStringLiteral("USERBYTE1:2"));
    auto *hint = new QLabel(QStringLiteral("Diesem Benutzer den Zugriff auf Kundendaten nur für den "
                                           "folgenden Vermittler-Bereich erlauben."),
                            group);
    hint->setWordWrap(true);
    auto *form = new QFormLayout(group);
    form->addRow(hint);
    form->addRow(QStringLiteral("von VM:"), m_fromAgent);
    form->addRow(QStringLiteral("bis VM:"), m_toAgent);
    form->addRow(m_seeAllEditOwn);
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(group);
    layout->addStretch();
    m_lockedWhileInactive << group;
    return tab;
}

QWidget *UpdateBenutzer::historyTab()
{
    m_history = new QTableWidget(this);
    m_history->setObjectName(QStringLiteral("PasswordList"));
    m_history->setColumnCount(2);
    m_history->setHorizontalHeaderLabels({QStringLiteral("Passwort"), QStringLiteral("Verwendet seit")});
    m_history->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_history->verticalHeader()->hide();
    m_lockedWhileInactive << m_history;
    return m_history;
}

QString UpdateBenutzer::helpTopic() const
{
    QWidget *tab = m_tabs->currentWidget();
    if (tab == m_programs->parentWidget())
        return QStringLiteral("NewTopic5.htm");
    if (m_archive && tab == m_archive)
        return QStringLiteral("NewTopic6.htm");
    if (tab == m_rights)
        return QStringLiteral("NewTopic7.htm");
    if (tab == m_history)
        return QString();
    return QStringLiteral("NewTopic4.htm");
}

void UpdateBenutzer::showAccount()
{
    const UserRecord &u = m_account.user;
    m_typ->setCurrentIndex(std::max(0, m_typ->findData(u.typ)));
    showDay(m_gueltigBis, u.gueltigBis);
    m_inaktiv->setChecked(u.inaktiv != 0);
    m_anrede->setCurrentText(u.anrede);
    const std::pair<QLineEdit *, QString> texts[] = {{m_name, u.name},
                                                     {m_vorname, u.zusatz},
                                                     {m_strasse, u.strasse},
                                                     {m_lkz, u.lkz},
                                                     {m_plz, u.plz},
                                                     {m_ort, u.ort},
                                                     {m_telefon, u.telefon},
                                                     {m_fax, u.fax},
                                                     {m_mobil, u.mobiltelefon},
                                                     {m_email, u.email},
                                                     {m_internet, u.internet},
                                                     {m_code, u.mak},
                                                     {m_computer, u.computerName}};
    for (const auto &[field, text] : texts)
        field->setText(text);
    // The password field means "set a new password": it starts empty whatever is stored.
    m_password->clear();
    m_mayChange->setChecked(u.passwortAendern != 0);
    m_permanent->setChecked(u.passwortPermanent != 0);
    m_renewDays->setValue(u.passwortErneuern);
    showDay(m_expiry, u.passwortAblauf);
    m_bindComputer->setChecked(!u.computerName.isEmpty());
    m_ownOnly->setChecked(u.userByte[0] != 0);
    for (int i = 0; i < m_workflow.size(); ++i)
        m_workflow.at(i)->setChecked(u.userByte[size_t(i + 1)] != 0);
    if (m_seeAllEditOwn) {
        m_fromAgent->setValue(u.userLong1);
        m_toAgent->setValue(u.userLong2);
        m_seeAllEditOwn->setChecked(u.userByte[0] != 0);
    }
    fillPrograms();
    fillHistory();
}

void UpdateBenutzer::takeAccount()
{
    UserRecord &u = m_account.user;
    u.typ = m_typ->currentData().toInt();
    u.gueltigBis = takeDay(m_gueltigBis);
    u.inaktiv = m_inaktiv->isChecked() ? 1 : 0;
    u.anrede = Text::clip(m_anrede->currentText());
    const std::pair<QLineEdit *, QString *> texts[] = {
        {m_name, &u.name},       {m_vorname, &u.zusatz},    {m_strasse, &u.strasse},
        {m_lkz, &u.lkz},         {m_plz, &u.plz},           {m_ort, &u.ort},
        {m_telefon, &u.telefon}, {m_fax, &u.fax},           {m_mobil, &u.mobiltelefon},
        {m_email, &u.email},     {m_internet, &u.internet}, {m_code, &u.mak}};
    for (const auto &[field, text] : texts)
        *text = Text::clip(field->text());
    u.computerName = m_bindComputer->isChecked() ? Text::clip(m_computer->text()) : QString();
    u.passwortAendern = m_mayChange->isChecked() ? 1 : 0;
    u.passwortPermanent = m_permanent->isChecked() ? 1 : 0;
    u.passwortErneuern = m_renewDays->value();
    u.passwortAblauf = takeDay(m_expiry);
    u.userByte[0] = m_ownOnly->isChecked() ? 1 : 0;
    for (int i = 0; i < m_workflow.size(); ++i)
        u.userByte[size_t(i + 1)] = m_workflow.at(i)->isChecked() ? 1 : 0;
    if (m_seeAllEditOwn) {
        u.userLong1 = m_fromAgent->value();
        u.userLong2 = m_toAgent->value();
        u.userByte[0] = m_seeAllEditOwn->isChecked() ? 1 : 0;
    }
    m_account.setNewPassword(m_password->text());
}

void UpdateBenutzer::applyRules()
{
    if (!m_typ)
        return;
    const bool inactive = m_inaktiv->isChecked();
    const bool temporary = m_typ->currentData().toInt() == 2;
    m_gueltigBis->setEnabled(temporary && !inactive);
    for (QWidget *w : std::as_const(m_lockedWhileInactive))
        w->setEnabled(!inactive);
    m_rights->setEnabled(!inactive);
    const bool permanent = m_permanent->isChecked();
    m_renewDays->setEnabled(!permanent);
    m_expiry->setEnabled(!permanent);
    m_computer->setEnabled(m_bindComputer->isChecked());
    // The user's own tabs need a code to be kept under.
    const bool hasCode = !Text::clip(m_code->text()).isEmpty();
    for (QWidget *tab :
         {m_programs->parentWidget(), static_cast<QWidget *>(m_rights), static_cast<QWidget *>(m_history)})
        m_tabs->setTabEnabled(m_tabs->indexOf(tab), hasCode);
}

void UpdateBenutzer::proposeCode()
{
    if (!Text::clip(m_code->text()).isEmpty())
        return;
    const QString first = Text::clip(m_vorname->text()).left(1);
    const QString last = Text::clip(m_name->text()).left(1);
    m_code->setText((first + last).toLower());
}

void UpdateBenutzer::passwordAccepted()
{
    const QString typed = clippedPassword(m_password->text());
    if (typed.isEmpty() || !m_password->isModified())
        return;
    m_password->setModified(false);
    const int minimum = AccessSession::state().options.minPasswordLen;
    if (typed.size() < minimum) {
        AccessMessages::notice({QStringLiteral("Die minimale Passwort-Länge beträgt"), QStringLiteral(" "),
                                QString::number(minimum), QStringLiteral(" "), QStringLiteral("Zeichen.")});
        m_password->setFocus();
        return;
    }
    if (clippedPassword(m_verifier ? m_verifier() : QString()) != typed) {
        AccessMessages::inform({QStringLiteral("Passwort wurde nicht geändert!")});
        m_password->clear();
    }
}

void UpdateBenutzer::permanentToggled(bool on)
{
    if (on) {
        m_renewDays->setValue(0);
        showDay(m_expiry, 0);
    } else {
        if (m_renewDays->value() == 0)
            m_renewDays->setValue(30);
        if (takeDay(m_expiry) == 0)
            showDay(m_expiry, DayClock::today() + 30);
    }
    applyRules();
}

void UpdateBenutzer::fillPrograms()
{
    m_programs->clear();
    for (const QString &limit : m_account.programLimits()) {
        auto *item = new QListWidgetItem(limit.section(ProgramSeparator, 0, 0), m_programs);
        item->setData(Qt::UserRole, limit);
    }
    if (m_programs->count() > 0)
        m_programs->setCurrentRow(0);
}

void UpdateBenutzer::addProgram()
{
    const QString chosen = Vuvuzu_ProgramSelect(Insert, QString());
    if (Text::clip(chosen).isEmpty())
        return;
    if (!m_account.addProgramLimit(Text::clip(chosen)))
        AccessMessages::refuse({QStringLiteral("Dieses Programm ist bereits eingetragen.")});
    fillPrograms();
}

void UpdateBenutzer::changeProgram()
{
    auto *item = m_programs->currentItem();
    if (!item)
        return;
    const QString old = item->data(Qt::UserRole).toString();
    const QString chosen = Vuvuzu_ProgramSelect(Change, old);
    if (Text::clip(chosen).isEmpty())
        return;
    m_account.replaceProgramLimit(old, Text::clip(chosen));
    fillPrograms();
}

void UpdateBenutzer::deleteProgram()
{
    auto *item = m_programs->currentItem();
    if (!item || !AccessMessages::ask(
                     {QStringLiteral("Sind Sie sicher, dass Sie diesen Datensatz löschen möchten?")}, false))
        return;
    m_account.removeProgramLimit(item->data(Qt::UserRole).toString());
    fillPrograms();
}

void UpdateBenutzer::fillHistory()
{
    const auto &history = m_account.history();
    m_history->setRowCount(int(history.size()));
    for (int r = 0; r < int(history.size()); ++r) {
        m_history->setItem(r, 0, new QTableWidgetItem(Mask));
        m_history->setItem(r, 1, new QTableWidgetItem(DayClock::formatDate(history[size_t(r)].date)));
    }
}

void UpdateBenutzer::keyPressEvent(QKeyEvent *event)
{
    // F10 shows what was typed into the password field, never a stored password.
    if (event->key() == Qt::Key_F10 && m_password->hasFocus()) {
        m_password->setEchoMode(m_password->echoMode() == QLineEdit::Password ? QLineEdit::Normal
                                                                              : QLineEdit::Password);
        return;
    }
    QDialog::keyPressEvent(event);
}

bool UpdateBenutzer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_code && event->type() == QEvent::FocusIn)
        proposeCode();
    return QDialog::eventFilter(watched, event);
}

void UpdateBenutzer::accept()
{
    if (m_request == View)
        return;
    takeAccount();
    auto saved = m_account.save(*AccessSession::repository(), AccessSession::state().options);
    if (!saved) {
        const Error &error = saved.error();
        switch (error.code) {
        case UserAccount::BadCode:
        case UserAccount::CodeTaken:
            AccessMessages::refuse({error.message});
            m_tabs->setCurrentIndex(0);
            m_code->setFocus();
            break;
        case UserAccount::PasswordTooShort:
            AccessMessages::notice({QStringLiteral("Die minimale Passwort-Länge beträgt"),
                                    QStringLiteral(" "),
                                    QString::number(AccessSession::state().options.minPasswordLen),
                                    QStringLiteral(" "), QStringLiteral("Zeichen.")});
            m_tabs->setCurrentIndex(0);
            m_password->setFocus();
            break;
        case UserAccount::PasswordUsed:
            AccessMessages::refuse({error.message});
            m_password->clear();
            m_tabs->setCurrentIndex(0);
            m_password->setFocus();
            break;
        default:
            AccessMessages::error(error.message);
        }
        return;
    }
    m_password->clear();
    QDialog::accept();
}

void UpdateBenutzer::done(int result)
{
    WindowPlace::store(this, Name);
    QDialog::done(result);
}

bool UpdateBenutzer::confirmDelete()
{
    if (!AccessMessages::ask({QStringLiteral("Sind Sie sicher, dass Sie diesen Datensatz löschen möchten?")},
                             false))
        return false;
    auto removed = m_account.remove(*AccessSession::repository());
    if (!removed) {
        AccessMessages::error(removed.error().message);
        return false;
    }
    return true;
}

bool UpdateBenutzer::run(int request, const QString &userCode, QWidget *parent)
{
    UpdateBenutzer form(request, userCode, parent);
    if (!form.isReady())
        return false;
    if (request == Delete)
        return form.confirmDelete();
    return form.exec() == QDialog::Accepted;
}

} // namespace tarvo::access
