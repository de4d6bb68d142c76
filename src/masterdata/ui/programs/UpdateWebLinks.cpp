#include "masterdata/ui/programs/UpdateWebLinks.h"

#include "core/helpers/ShellOpen.h"
#include "core/lists/TreeMoves.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Translator.h"
#include "platform/secrets/SecretStore.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tarvo::masterdata::ui {

namespace {

QPushButton *namedButton(const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}

QLineEdit *named(const QString &name, QLineEdit::EchoMode echo = QLineEdit::Normal)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setEchoMode(echo);
    return edit;
}

void tell(const QString &text, const QString &title)
{
    Messages::beep(MessageIcon::Exclamation);
    Messages::show(Translator::instance().translate(text), title, MessageIcon::Exclamation);
}

} // namespace

UpdateWebLinks::UpdateWebLinks(Context &context, data::Session &session, qint64 programId, QObject *parent)
    : UpdateForm(context, QStringLiteral("UpdateWebLinks"), session, QStringLiteral("WebLinks"), parent),
      m_programId(programId)
{
    // The caller names the parent of a new entry in the buffer, which priming clears.
    m_parent = record().isValid() ? record().integer(QStringLiteral("WEB:P")) : 0;

    auto *window = new QWidget;
    window->setMinimumWidth(480);
    auto *layout = new QVBoxLayout(window);
    auto *tabs = new QTabWidget;
    auto *general = new QWidget;
    auto *rows = new QFormLayout(general);
    auto *description = named(QStringLiteral("WEB:DESCRIPTION"));
    rows->addRow(QStringLiteral("Description:"), description);
    m_folder = new QCheckBox(QStringLiteral("Folder"));
    m_folder->setObjectName(QStringLiteral("FOLDER"));
    rows->addRow(m_folder);
    m_linkGroup = new QGroupBox;
    m_linkGroup->setObjectName(QStringLiteral("G2"));
    auto *linkRow = new QHBoxLayout(m_linkGroup);
    m_link = named(QStringLiteral("WEB:LINK"));
    auto *surf = namedButton(QStringLiteral("IL"), QStringLiteral("Surf the web"));
    linkRow->addWidget(new QLabel(QStringLiteral("Link:")));
    linkRow->addWidget(m_link);
    linkRow->addWidget(surf);
    rows->addRow(m_linkGroup);
    auto *login = new QGroupBox(QStringLiteral("Login Information"));
    auto *loginRows = new QFormLayout(login);
    auto *user = named(QStringLiteral("WEB:USERNAME"));
    auto *password = named(QStringLiteral("WEB:PASSWORD"), QLineEdit::Password);
    auto *pin = named(QStringLiteral("WEB:PIN"), QLineEdit::Password);
    loginRows->addRow(QStringLiteral("User Name:"), user);
    loginRows->addRow(QStringLiteral("Password:"), password);
    loginRows->addRow(QStringLiteral("PIN:"), pin);
    rows->addRow(login);
    tabs->addTab(general, QStringLiteral("General"));
    auto *notes = new QPlainTextEdit;
    notes->setObjectName(QStringLiteral("WEB:NOTES"));
    tabs->addTab(notes, QStringLiteral("Notes"));
    layout->addWidget(tabs);
    auto *buttons = new QDialogButtonBox;
    auto *ok = namedButton(QStringLiteral("OK"), QStringLiteral("&OK"));
    auto *cancel = namedButton(QStringLiteral("Cancel"), QStringLiteral("&Cancel"));
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    setWindow(window);

    field(QStringLiteral("WEB:Description"), description);
    field(QStringLiteral("WEB:Link"), m_link);
    field(QStringLiteral("WEB:UserName"), user);
    field(QStringLiteral("WEB:Notes"), notes);
    m_secrets = {{QStringLiteral("WEB:Password"), password}, {QStringLiteral("WEB:PIN"), pin}};
    setButtons(ok, cancel);
    acceptOn(surf);
    connect(m_folder, &QCheckBox::toggled, this, [this]() { applyFolderRule(); });
    onPrime([this](data::Record &entry) {
        entry.setValue(QStringLiteral("WEB:P"), m_parent);
        entry.setValue(QStringLiteral("WEB:PrgID"), m_programId);
        auto sort = core::TreeMoves(this->session(), QStringLiteral("WebLinks"), QStringLiteral("WEB"))
                        .nextSort(m_parent);
        entry.setValue(QStringLiteral("WEB:Sort"), sort ? *sort : 1);
    });
    onCheck([this](data::Record &entry) { return sealSecrets(entry); });
}

bool UpdateWebLinks::open()
{
    const int request = context().threadRequest();
    window()->setWindowTitle(request == Request::Insert   ? QStringLiteral("Add Web Link...")
                             : request == Request::Change ? QStringLiteral("Change Web Link...")
                                                          : QStringLiteral("View Record"));
    if (!UpdateForm::open())
        return false;
    if (!isOpen())
        return true;
    m_folder->setChecked(request != Request::Insert &&
                         record().text(QStringLiteral("WEB:Link")).trimmed().isEmpty());
    applyFolderRule();
    showSecrets();
    return true;
}

void UpdateWebLinks::applyFolderRule()
{
    m_linkGroup->setVisible(!m_folder->isChecked());
    if (m_folder->isChecked() && request() == Request::Change)
        m_link->clear();
}

void UpdateWebLinks::showSecrets()
{
    const SecretStore store;
    for (Secret &secret : m_secrets) {
        const QString stored = record().text(secret.field);
        secret.control->setReadOnly(isViewOnly());
        if (stored.isEmpty() || !SecretStore::isSealed(stored)) {
            // Entered before passwords were sealed: shown, and sealed when saved.
            secret.control->setText(stored);
            continue;
        }
        auto plain = store.open(stored);
        secret.unreadable = !plain;
        secret.control->setText(plain ? *plain : QString());
        if (!plain)
            secret.control->setPlaceholderText(Translator::instance().translate(
                QStringLiteral("Sealed with another user's key: kept unless a new one is typed")));
    }
}

bool UpdateWebLinks::sealSecrets(data::Record &entry)
{
    const SecretStore store;
    const int width = entry.layout().field(entry.layout().fieldIndex(QStringLiteral("WEB:Password"))).size;
    for (const Secret &secret : m_secrets) {
        const QString plain = secret.control->text();
        if (plain.isEmpty() && secret.unreadable)
            continue;
        if (plain.isEmpty()) {
            entry.setValue(secret.field, QString());
            continue;
        }
        auto sealed = store.seal(plain);
        if (!sealed) {
            tell(sealed.error().message, QStringLiteral("Tarvo"));
            selectControl(secret.control);
            return false;
        }
        // Cut to the field's width, a sealed value would never open again.
        if (sealed->size() > width) {
            tell(QStringLiteral("This entry is too long to be stored sealed."), QStringLiteral("Tarvo"));
            selectControl(secret.control);
            return false;
        }
        entry.setValue(secret.field, *sealed);
    }
    return true;
}

void UpdateWebLinks::takeAccepted(const QString &controlName)
{
    if (controlName.compare(QStringLiteral("IL"), Qt::CaseInsensitive) != 0) {
        UpdateForm::takeAccepted(controlName);
        return;
    }
    if (!takeControls())
        return;
    const QString link = record().text(QStringLiteral("WEB:Link")).trimmed();
    if (link.isEmpty()) {
        tell(QStringLiteral("No address specified!"), QStringLiteral("Error"));
        return;
    }
    core::ShellOpen(0, link);
}

} // namespace tarvo::masterdata::ui
