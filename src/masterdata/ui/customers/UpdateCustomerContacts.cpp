#include "masterdata/ui/customers/UpdateCustomerContacts.h"

#include "core/services/MailServices.h"
#include "core/services/Services.h"
#include "masterdata/customers/CustomerLinks.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Translator.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tarvo::masterdata::ui {

namespace {

QString translated(const char *text)
{
    return Translator::instance().translate(QString::fromLatin1(text));
}

} // namespace

void sendRefreshWhenClosed(tarvo::ui::UpdateForm &form, const QString &files)
{
    QObject::connect(&form, &tarvo::ui::WindowManager::closed, &form, [&form, files](int response) {
        if (response != Response::Completed && form.request() != Request::Delete)
            return;
        if (core::RefreshNotices *notices = core::Services::refreshNotices())
            notices->sendRefresh(files, 0);
    });
}

void setFormCaption(tarvo::ui::UpdateForm &form, const char *insertCaption, const char *changeCaption)
{
    const int request = form.context().threadRequest();
    form.window()->setWindowTitle(translated(request == Request::View     ? "View Record"
                                             : request == Request::Insert ? insertCaption
                                                                          : changeCaption));
}

UpdateCustomerContacts::UpdateCustomerContacts(Context &context, data::Session &session, QObject *parent)
    : UpdateForm(context, QStringLiteral("UpdateCustomerContacts"), session,
                 QStringLiteral("CustomerContacts"), parent)
{
    auto *window = new QWidget;
    window->setObjectName(procedureName());
    auto *layout = new QVBoxLayout(window);
    auto *header = new QGridLayout;
    header->addWidget(new QLabel(translated("Customer:"), window), 0, 0);
    auto *customer = new QLabel(window);
    customer->setObjectName(QStringLiteral("CUS:Searchname"));
    customer->setText(session.file(QStringLiteral("Customer"))->buffer().text(QStringLiteral("Searchname")));
    header->addWidget(customer, 0, 1);
    header->addWidget(new QLabel(translated("ID:"), window), 0, 2);
    auto *id = new QLabel(window);
    id->setObjectName(QStringLiteral("CCO:CID"));
    header->addWidget(id, 0, 3);
    QPushButton *map = PersonPages::button(window, QStringLiteral("IL:3"), "Show &Map");
    header->addWidget(map, 0, 4);
    layout->addLayout(header);

    m_pages = std::make_unique<PersonPages>(*this, QStringLiteral("CCO"));
    auto *sheet = new QTabWidget(window);
    sheet->setObjectName(QStringLiteral("SHEET1"));
    sheet->addTab(m_pages->general(), translated("General"));
    sheet->addTab(m_pages->hardware(), translated("Hardware"));
    sheet->addTab(m_pages->notes(), translated("Notes"));
    layout->addWidget(sheet, 1);
    auto *keyContact = new QCheckBox(translated("Key Contact"), window);
    keyContact->setObjectName(QStringLiteral("CCO:KEYCONTACT"));
    header->addWidget(keyContact, 0, 5);

    auto *buttons = new QDialogButtonBox(window);
    QPushButton *ok = PersonPages::button(window, QStringLiteral("OK"), "&OK");
    QPushButton *cancel = PersonPages::button(window, QStringLiteral("Cancel"), "&Cancel");
    QPushButton *help = PersonPages::button(window, QStringLiteral("HELP"), "&Help");
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    buttons->addButton(help, QDialogButtonBox::HelpRole);
    layout->addWidget(buttons);
    setWindow(window);
    // The contact has no page of its own in the help: its button opens the help's contents.
    setHelp(help, QString());
    window->resize(760, 480);

    field(QStringLiteral("CCO:CID"), id);
    field(QStringLiteral("CCO:KEYCONTACT"), keyContact);
    setButtons(ok, cancel);
    // A new contact belongs to the customer the caller has chosen.
    onPrime([&session](data::Record &contact) {
        contact.setValue(QStringLiteral("ID"),
                         session.file(QStringLiteral("Customer"))->buffer().integer(QStringLiteral("ID")));
    });
    connect(map, &QPushButton::clicked, this, [this, &session]() {
        if (takeControls())
            CustomerLinks::showAddressMap(
                AddressLinks::contactAddress(record(), session.file(QStringLiteral("Customer"))->buffer()));
    });
    sendRefreshWhenClosed(*this, QStringLiteral("|CustomerContacts|"));
}

UpdateCustomerContacts::~UpdateCustomerContacts() = default;

bool UpdateCustomerContacts::open()
{
    if (!UpdateForm::open())
        return false;
    if (isOpen()) {
        setFormCaption(*this, "Add Contact...", "Change Contact...");
        m_pages->applyNetwork();
    }
    return true;
}

} // namespace tarvo::masterdata::ui
