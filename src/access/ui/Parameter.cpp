#include "access/ui/Parameter.h"

#include "access/AccessMessages.h"
#include "access/AccessSession.h"
#include "access/DayClock.h"
#include "access/OptionsChange.h"
#include "access/ui/AccessHelp.h"
#include "access/ui/DialogButtons.h"
#include "access/ui/WindowPlace.h"
#include "access/ui/WindowTranslation.h"
#include "platform/runtime/Picture.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tarvo::access {

namespace {

const QString Name = QStringLiteral("Parameter");

// The check boxes of the first tab: caption, control name, field.
struct Switch {
    const char *caption;
    const char *name;
    qint32 OptionsRecord::*field;
};
const Switch Switches[] = {
    {"Alle Vuvuzusprüfungen deaktivieren", "DISABLESECCHECK", &OptionsRecord::disableSecCheck},
    {"Nur Programm-Anmeldung (Zugriffsrechte ignorieren)", "LOGINONLY", &OptionsRecord::loginOnly},
    {"Anmeldung mit Passwort", "REQUIREPASSWORD", &OptionsRecord::requirePassword},
    {"Benutzer-Anmeldungen protokollieren", "AUDITLOGIN", &OptionsRecord::auditLogin},
    {"Benutzer nach fehlgeschlagener Anmeldung deaktivieren", "DISABLEUSER", &OptionsRecord::disableUser}};
const Switch Numbers[] = {
    {"Anmeldeversuche", "NOLOGINS", &OptionsRecord::noLogins},
    {"Tage vor Ablauf des Passwortes warnen", "WARN", &OptionsRecord::warn},
    {"Zeichen minimale Paßwort Länge", "MINPASSWORDLEN", &OptionsRecord::minPasswordLen},
    {"gespeicherte Passwörter pro Benutzer", "NOPASSWORD", &OptionsRecord::noPassword}};

} // namespace

Parameter::Parameter(QWidget *parent)
    : QDialog(parent), m_tabs(new QTabWidget(this)), m_masterCode(new QLineEdit(this)),
      m_masterPassword(new QLineEdit(this))
{
    setObjectName(Name);
    setWindowTitle(QStringLiteral("Allgemeine Vuvuzuseinstellungen"));
    auto stored = AccessSession::repository()->options();
    if (!stored) {
        AccessMessages::error(stored.error().message);
        return;
    }
    m_before = *stored;
    m_options = m_before.value_or(AccessSession::state().options);

    auto *general = new QWidget(this);
    auto *generalLayout = new QVBoxLayout(general);
    for (const Switch &s : Switches) {
        auto *box = new QCheckBox(QString::fromUtf8(s.caption), general);
        box->setObjectName(QLatin1String(s.name));
        box->setChecked(m_options.*s.field != 0);
        connect(box, &QCheckBox::toggled, this, &Parameter::applyRules);
        generalLayout->addWidget(box);
    }
    auto *numbers = new QGroupBox(general);
    auto *numberForm = new QFormLayout(numbers);
    for (const Switch &n : Numbers) {
        auto *spin = new QSpinBox(numbers);
        spin->setObjectName(QLatin1String(n.name));
        spin->setRange(0, 999);
        spin->setValue(m_options.*n.field);
        numberForm->addRow(new QLabel(QString::fromUtf8(n.caption), numbers), spin);
    }
    m_numbers = numbers;
    generalLayout->addWidget(numbers);
    generalLayout->addStretch();
    m_tabs->addTab(general, QStringLiteral("Allgemein"));

    auto *master = new QWidget(this);
    master->setObjectName(QStringLiteral("MasterTab"));
    m_masterCode->setParent(master);
    m_masterCode->setObjectName(QStringLiteral("MASTERMAK"));
    m_masterCode->setMaxLength(35);
    m_masterCode->setText(m_options.masterMak);
    m_masterPassword->setParent(master);
    m_masterPassword->setObjectName(QStringLiteral("MASTERPASSWORD"));
    m_masterPassword->setMaxLength(35);
    m_masterPassword->setEchoMode(QLineEdit::Password);
    auto *stamp = new QLabel(master);
    stamp->setObjectName(QStringLiteral("MASTERCHANGE"));
    stamp->setText(DayClock::formatDate(m_options.masterChangeDate) + QLatin1Char(' ') +
                   Picture::format(m_options.masterChangeTime, QStringLiteral("@T8B")));
    auto *changedBy = new QLabel(m_options.masterChangeMak, master);
    changedBy->setObjectName(QStringLiteral("MASTERCHANGEMAK"));
    auto *masterForm = new QFormLayout(master);
    masterForm->addRow(new QLabel(
        QStringLiteral("Mit diesem MAK und Passwort haben Sie vollen Vuvuzu zum Programm."), master));
    masterForm->addRow(
        new QLabel(QStringLiteral("Halten Sie deswegen diese Informationen stets geheim!!!"), master));
    masterForm->addRow(QStringLiteral("MAK:"), m_masterCode);
    masterForm->addRow(QStringLiteral("Passwort:"), m_masterPassword);
    masterForm->addRow(QStringLiteral("Notvuvuzu geändert am:"), stamp);
    masterForm->addRow(QStringLiteral("von:"), changedBy);
    m_master = master;
    m_tabs->addTab(master, QStringLiteral("Not-Vuvuzu"));

    const DialogButtons dialogButtons = okCancelButtons(this);
    QDialogButtonBox *buttons = dialogButtons.box;
    buttons->addButton(AccessHelp::install(this,
                                           [this, master] {
                                               return m_tabs->currentWidget() == master
                                                          ? QStringLiteral("NewTopic9.htm")
                                                          : QStringLiteral("NewTopic8.htm");
                                           }),
                       QDialogButtonBox::HelpRole);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    translateWindow(this);
    if (!AccessSession::state().masterLogin)
        m_tabs->removeTab(m_tabs->indexOf(master));
    applyRules();
    WindowPlace::restore(this, Name);
    m_ready = true;
}

QCheckBox *Parameter::box(const char *name) const
{
    return findChild<QCheckBox *>(QLatin1String(name));
}

QSpinBox *Parameter::number(const char *name) const
{
    return findChild<QSpinBox *>(QLatin1String(name));
}

void Parameter::applyRules()
{
    const bool off = box("DISABLESECCHECK")->isChecked();
    for (const Switch &s : Switches)
        if (qstrcmp(s.name, "DISABLESECCHECK") != 0)
            box(s.name)->setEnabled(!off);
    m_numbers->setEnabled(!off);
    m_master->setEnabled(!off);
    const bool lockout = box("DISABLEUSER")->isChecked();
    number("NOLOGINS")->setEnabled(lockout);
}

void Parameter::accept()
{
    OptionsRecord edited = m_options;
    for (const Switch &s : Switches)
        edited.*s.field = box(s.name)->isChecked() ? 1 : 0;
    for (const Switch &n : Numbers)
        edited.*n.field = number(n.name)->value();
    QString newMaster;
    // Only a master login may change the master access.
    if (AccessSession::state().masterLogin) {
        edited.masterMak = m_masterCode->text();
        newMaster = m_masterPassword->text();
    }
    auto saved = OptionsChange::save(*AccessSession::repository(), m_before, edited, newMaster);
    m_masterPassword->clear();
    if (!saved) {
        AccessMessages::error(saved.error().message);
        return;
    }
    QDialog::accept();
}

void Parameter::done(int result)
{
    WindowPlace::store(this, Name);
    QDialog::done(result);
}

bool Parameter::run(QWidget *parent)
{
    Parameter form(parent);
    return form.isReady() && form.exec() == QDialog::Accepted;
}

} // namespace tarvo::access
