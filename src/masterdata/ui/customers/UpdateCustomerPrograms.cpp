#include "masterdata/ui/customers/UpdateCustomerPrograms.h"

#include "core/frame/FrameGlobals.h"
#include "core/lists/FillProgramTree.h"
#include "core/startup/SettingsRecord.h"
#include "core/ui/PickDate.h"
#include "masterdata/customers/CustomerProgramCommand.h"
#include "masterdata/ui/customers/PersonPages.h"
#include "masterdata/ui/customers/UpdateCustomerContacts.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/View.h"
#include "platform/runtime/DayDate.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Translator.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tarvo::masterdata::ui {

namespace {

QString translated(const char *text)
{
    return Translator::instance().translate(QString::fromLatin1(text));
}

const QString DatePicture = QStringLiteral("@D6");
const QString PricePicture = QStringLiteral("@n12.2");

} // namespace

UpdateCustomerPrograms::UpdateCustomerPrograms(Context &context, data::Session &session, QObject *parent)
    : UpdateForm(context, QStringLiteral("UpdateCustomerPrograms"), session,
                 QStringLiteral("CustomerPrograms"), parent)
{
    auto *window = new QWidget;
    window->setObjectName(procedureName());
    auto *layout = new QVBoxLayout(window);
    auto *sheet = new QTabWidget(window);
    layout->addWidget(sheet, 1);

    auto *general = new QWidget;
    auto *grid = new QGridLayout(general);
    grid->addWidget(new QLabel(translated("Program:"), general), 0, 0);
    m_program = new QComboBox(general);
    m_program->setObjectName(QStringLiteral("PRGLOC"));
    grid->addWidget(m_program, 0, 1, 1, 3);

    const auto dateRow = [this](QGridLayout *g, int row, const char *caption, const char *fieldName,
                                const char *calendar) {
        QWidget *parent = g->parentWidget();
        g->addWidget(new QLabel(translated(caption), parent), row, 0);
        QLineEdit *date = PersonPages::edit(parent, QLatin1String(fieldName));
        g->addWidget(date, row, 1);
        field(QLatin1String(fieldName), date).picture(DatePicture);
        QPushButton *pick = PersonPages::button(parent, QLatin1String(calendar), "...");
        g->addWidget(pick, row, 2);
        connect(pick, &QPushButton::clicked, this, [this, date, name = QString::fromLatin1(fieldName)]() {
            if (!takeControls())
                return;
            core::ui::PickDate(qint32(record().integer(name)), this->window(), date,
                               [this, name](qint32 picked) {
                                   record().setValue(name, picked);
                                   showRecord();
                               });
        });
    };
    const auto priceRow = [this](QGridLayout *g, int row, const char *price, const char *currency) {
        QWidget *parent = g->parentWidget();
        g->addWidget(new QLabel(translated("Price:"), parent), row, 0);
        QLineEdit *amount = PersonPages::edit(parent, QLatin1String(price));
        g->addWidget(amount, row, 1);
        field(QLatin1String(price), amount).picture(PricePicture);
        QLineEdit *money = PersonPages::edit(parent, QLatin1String(currency));
        g->addWidget(money, row, 2);
        field(QLatin1String(currency), money);
    };

    auto *purchase = new QGroupBox(translated("Purchase Information"), general);
    auto *p = new QGridLayout(purchase);
    dateRow(p, 0, "Date:", "CUP:PurchasedDate", "CALLOOKUP");
    p->addWidget(new QLabel(translated("Licenses:"), purchase), 1, 0);
    QLineEdit *licenses = PersonPages::edit(purchase, QStringLiteral("CUP:PurchasedLicenses"));
    p->addWidget(licenses, 1, 1);
    field(QStringLiteral("CUP:PurchasedLicenses"), licenses).picture(QStringLiteral("@n6"));
    priceRow(p, 2, "CUP:PurchasedPrice", "CUP:PurchasedCurrency");
    QPushButton *command = PersonPages::button(purchase, QStringLiteral("BUTTON9"), "Run...");
    command->setToolTip(translated("Start the program for customer programs"));
    p->addWidget(command, 2, 3);
    p->addWidget(new QLabel(translated("Reg. Code:"), purchase), 3, 0);
    QLineEdit *regCode = PersonPages::edit(purchase, QStringLiteral("CUP:RegCode"));
    p->addWidget(regCode, 3, 1, 1, 3);
    field(QStringLiteral("CUP:RegCode"), regCode);
    grid->addWidget(purchase, 1, 0, 1, 4);

    auto *contract = new QGroupBox(translated("Support Contract"), general);
    auto *c = new QGridLayout(contract);
    c->addWidget(new QLabel(translated("Type:"), contract), 0, 0);
    m_contractType = new QComboBox(contract);
    m_contractType->setObjectName(QStringLiteral("CUP:CONTRACTTYPE"));
    c->addWidget(m_contractType, 0, 1, 1, 2);
    field(QStringLiteral("CUP:ContractType"), m_contractType);
    dateRow(c, 1, "Valid from:", "CUP:ContractValidFrom", "CALLOOKUP:2");
    dateRow(c, 2, "to:", "CUP:ContractValidTo", "CALLOOKUP:3");
    priceRow(c, 3, "CUP:ContractPrice", "CUP:ContractCurrency");
    c->addWidget(new QLabel(translated("Period:"), contract), 4, 0);
    m_period = new QComboBox(contract);
    m_period->setObjectName(QStringLiteral("CUP:CONTRACTPERIOD"));
    c->addWidget(m_period, 4, 1, 1, 2);
    field(QStringLiteral("CUP:ContractPeriod"), m_period);
    grid->addWidget(contract, 2, 0, 1, 4);
    sheet->addTab(general, translated("General"));

    auto *notesPage = new QWidget;
    auto *n = new QVBoxLayout(notesPage);
    auto *notes = new QPlainTextEdit(notesPage);
    notes->setObjectName(QStringLiteral("CUP:NOTES"));
    n->addWidget(notes, 1);
    field(QStringLiteral("CUP:Notes"), notes);
    sheet->addTab(notesPage, translated("Notes"));

    auto *buttons = new QDialogButtonBox(window);
    QPushButton *ok = PersonPages::button(window, QStringLiteral("OK"), "&OK");
    QPushButton *cancel = PersonPages::button(window, QStringLiteral("Cancel"), "&Cancel");
    QPushButton *help = PersonPages::button(window, QStringLiteral("HELP"), "&Help");
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    buttons->addButton(help, QDialogButtonBox::HelpRole);
    layout->addWidget(buttons);
    setWindow(window);
    setButtons(ok, cancel);
    setHelp(help, QStringLiteral("UpdatingCustomerPrograms.htm"));

    fillChoices();
    // The program is chosen by its number behind the name the list shows.
    field(QStringLiteral("CUP:PrgID"), m_program)
        .accessors(
            [](QWidget *control, const QVariant &value) {
                auto *combo = static_cast<QComboBox *>(control);
                const int at = value.toLongLong() > 0 ? combo->findData(value.toLongLong()) : -1;
                combo->setCurrentIndex(at);
            },
            [](const QWidget *control) {
                const QVariant id = static_cast<const QComboBox *>(control)->currentData();
                return QVariant(id.isValid() ? id.toLongLong() : 0);
            });
    connect(m_program, &QComboBox::activated, this, &UpdateCustomerPrograms::chooseProgram);
    onPrime([&session, this](data::Record &purchase) {
        purchase.setValue(QStringLiteral("ID"),
                          session.file(QStringLiteral("Customer"))->buffer().integer(QStringLiteral("ID")));
        const QString currency = core::SettingsRecord::instance().values().currency();
        purchase.setValue(QStringLiteral("PurchasedCurrency"), currency);
        purchase.setValue(QStringLiteral("ContractCurrency"), currency);
        purchase.setValue(QStringLiteral("ContractPeriod"), m_period->itemText(0));
    });
    connect(command, &QPushButton::clicked, this, &UpdateCustomerPrograms::runCommand);
    sendRefreshWhenClosed(*this, QStringLiteral("|CustomerPrograms|"));
}

void UpdateCustomerPrograms::fillChoices()
{
    // The program tree of this form alone.
    core::ProgramTreeQueue tree;
    const auto translate = [](const QString &text) { return Translator::instance().translate(text); };
    if (auto r = core::FillProgramTree(session(), core::FrameGlobals::instance().secP(), translate, tree); !r)
        Messages::show(r.error().message, procedureName(), MessageIcon::Exclamation);
    for (const core::ProgramTreeQueueEntry &row : tree.rows())
        m_program->addItem(QString(std::abs(row.level) * 2, QLatin1Char(' ')) + row.prgName, row.id);

    data::FileManager *types = session().file(QStringLiteral("ContractTypes"));
    if (types && types->open()) {
        data::View view(*types, QStringLiteral("KeyContractType"));
        std::optional<data::Record> last;
        for (;;) {
            auto page = view.rowsAfter(last ? &*last : nullptr, 200);
            if (!page || page->empty())
                break;
            for (const data::Record &type : *page)
                m_contractType->addItem(type.text(QStringLiteral("CONTRACTTYPE")));
            last = page->back();
        }
    }
    m_period->addItems(
        translated("monthly|quarterly|half-yearly|yearly|").split(QLatin1Char('|'), Qt::SkipEmptyParts));
}

bool UpdateCustomerPrograms::open()
{
    if (!UpdateForm::open())
        return false;
    if (isOpen())
        setFormCaption(*this, "Add Customer program...", "Change Customer program...");
    return true;
}

void UpdateCustomerPrograms::chooseProgram(int index)
{
    // The root row names no program.
    if (m_program->itemData(index).toLongLong() > 0)
        return;
    Messages::beep(MessageIcon::Exclamation);
    m_program->setCurrentIndex(-1);
    record().setValue(QStringLiteral("PrgID"), 0);
    m_program->setFocus();
}

void UpdateCustomerPrograms::runCommand()
{
    if (!takeControls())
        return;
    const CustomerProgramCommand command(core::SettingsRecord::instance().values().customerRegCodeProgram(),
                                         session().file(QStringLiteral("Customer"))->buffer(), record(),
                                         qint32(DayDate::today()), qint32(DayDate::clock()));
    if (auto started = command.start(); !started) {
        Messages::beep(MessageIcon::Exclamation);
        Messages::show(started.error().message, translated("Error"), MessageIcon::Exclamation);
    }
}

} // namespace tarvo::masterdata::ui
