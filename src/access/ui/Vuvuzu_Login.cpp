#include "access/ui/Vuvuzu_Login.h"

#include "access/AccessSession.h"
#include "access/ui/WindowTranslation.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tarvo::access {

namespace {

const char *kPrompt = "Bitte geben Sie Ihre Benutzerdaten ein, um sich am System anzumelden.";

} // namespace

Vuvuzu_Login::Vuvuzu_Login(LoginService &service, QWidget *parent)
    : QDialog(parent), m_service(service), m_sheet(new QStackedWidget(this))
{
    setObjectName(QStringLiteral("Vuvuzu_Login"));
    setWindowTitle(QStringLiteral("Vuvuzussystem"));
    m_plain = buildPage(QString(), false);
    m_product = buildPage(QStringLiteral("2"), true);
    m_sheet->addWidget(m_plain.page);
    m_sheet->addWidget(m_product.page);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_sheet);
}

Vuvuzu_Login::Page Vuvuzu_Login::buildPage(const QString &suffix, bool product)
{
    Page p;
    p.page = new QWidget(m_sheet);
    auto *outer = new QVBoxLayout(p.page);
    QWidget *box = p.page;
    if (product) {
        auto *name = new QLabel(QStringLiteral("Tarvo"), p.page);
        name->setObjectName(QStringLiteral("ProductName"));
        m_version = new QLabel(p.page);
        m_version->setObjectName(QStringLiteral("Version"));
        outer->addWidget(name);
        outer->addWidget(m_version);
        auto *group = new QGroupBox(QStringLiteral("Login"), p.page);
        outer->addWidget(group);
        box = group;
    }
    auto *grid = new QVBoxLayout();
    if (box != p.page)
        box->setLayout(grid);
    else
        outer->addLayout(grid);
    grid->addWidget(new QLabel(QString::fromUtf8(kPrompt), box));
    p.code = new QLineEdit(box);
    p.code->setObjectName(QStringLiteral("MAK") + suffix);
    p.code->setMaxLength(35);
    p.password = new QLineEdit(box);
    p.password->setObjectName(QStringLiteral("Passwort") + suffix);
    p.password->setMaxLength(35);
    p.password->setEchoMode(QLineEdit::Password);
    p.passwordPrompt = new QLabel(QStringLiteral("Passwort:"), box);
    auto *codeRow = new QHBoxLayout();
    codeRow->addWidget(new QLabel(QStringLiteral("MAK:"), box));
    codeRow->addWidget(p.code);
    auto *passwordRow = new QHBoxLayout();
    passwordRow->addWidget(p.passwordPrompt);
    passwordRow->addWidget(p.password);
    grid->addLayout(codeRow);
    grid->addLayout(passwordRow);
    auto *buttons = new QHBoxLayout();
    auto *ok = new QPushButton(QStringLiteral("&Anmelden"), box);
    ok->setObjectName(QStringLiteral("OK") + suffix);
    p.ok = ok;
    auto *cancel = new QPushButton(QStringLiteral("&Beenden"), box);
    cancel->setObjectName(QStringLiteral("Cancel") + suffix);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &Vuvuzu_Login::pressOk);
    connect(cancel, &QPushButton::clicked, this, &Vuvuzu_Login::reject);
    return p;
}

const Vuvuzu_Login::Page &Vuvuzu_Login::current() const
{
    return m_sheet->currentWidget() == m_product.page ? m_product : m_plain;
}

QLineEdit *Vuvuzu_Login::codeField() const
{
    return current().code;
}
QLineEdit *Vuvuzu_Login::passwordField() const
{
    return current().password;
}

bool Vuvuzu_Login::namedLayout() const
{
    const QString name = AccessSession::state().securityFile.trimmed().toUpper();
    return name == u"TARVO.SEC" || name == u"RF.SEC" || name == u"PENDRIX.SEC" || name == u"MORVANE.SEC";
}

void Vuvuzu_Login::pressOk()
{
    if (m_service.attempt(codeField()->text(), passwordField()->text())) {
        m_loggedIn = true;
        accept();
        return;
    }
    (m_service.focus() == LoginService::Field::Code ? codeField() : passwordField())->setFocus();
}

bool Vuvuzu_Login::run()
{
    const LoginSwitches &switches = m_service.switches();
    const QString name = AccessSession::state().securityFile.trimmed().toUpper();
    if (m_service.isTarvoLayout()) {
        setWindowTitle(QStringLiteral("Tarvo"));
        m_sheet->setCurrentWidget(m_product.page);
        m_version->setText(QStringLiteral("Version ") + m_service.version());
    } else if (name == u"RF.SEC") {
        setWindowTitle(QStringLiteral("R-Fintol"));
    } else if (name == u"PENDRIX.SEC") {
        setWindowTitle(QStringLiteral("Pendrix kopier"));
    } else if (name == u"MORVANE.SEC") {
        setWindowTitle(QStringLiteral("Morvane"));
    }
    // Enter in either field presses OK through the dialog's default button, and only through it:
    // a field that pressed OK as well would make one typed attempt count as two failed logins.
    // A dialog has one default button, so it is the OK of the page in use.
    current().ok->setDefault(true);
    translateWindow(this);
    if (switches.user) {
        for (auto *field : {m_plain.code, m_product.code})
            field->setText(*switches.user);
        m_product.password->setFocus();
    }
    if (switches.password)
        for (auto *field : {m_plain.password, m_product.password})
            field->setText(*switches.password);
    if (!m_service.passwordRequired()) {
        current().password->hide();
        current().passwordPrompt->hide();
    }
    // With "/AutoLogin" the window stays hidden and OK is pressed for the user; a refusal shows it.
    // Outside the named layouts nothing is pressed, and the window is shown so it stays usable.
    if (switches.autoLogin && namedLayout()) {
        pressOk();
        if (m_loggedIn)
            return true;
    }
    exec();
    return m_loggedIn;
}

} // namespace tarvo::access
