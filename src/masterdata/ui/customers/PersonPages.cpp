#include "masterdata/ui/customers/PersonPages.h"

#include "core/services/Services.h"
#include "core/startup/SettingsRecord.h"
#include "core/ui/StampTextControl.h"
#include "masterdata/customers/CustomerLinks.h"
#include "masterdata/customers/CustomerTasks.h"
#include "platform/runtime/Translator.h"
#include "platform/ui/UpdateForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvo::masterdata::ui {

namespace {

QString translated(const char *text)
{
    return Translator::instance().translate(QString::fromLatin1(text));
}

const QStringList OperatingSystems{QStringLiteral("MS-DOS"),
                                   QStringLiteral("Windows 3.x"),
                                   QStringLiteral("Windows 95"),
                                   QStringLiteral("Windows 98"),
                                   QStringLiteral("Windows ME"),
                                   QStringLiteral("Windows NT 3.51 Server"),
                                   QStringLiteral("Windows NT 3.51 Workstation"),
                                   QStringLiteral("Windows NT 4.0 Server"),
                                   QStringLiteral("Windows NT 4.0 Workstation"),
                                   QStringLiteral("Windows 2000 Server"),
                                   QStringLiteral("Windows 2000 Professional"),
                                   QStringLiteral("Windows XP Home"),
                                   QStringLiteral("Windows XP Professional")};

QStringList servicePacks()
{
    QStringList packs;
    for (int i = 1; i <= 6; ++i)
        packs << QStringLiteral("Service Pack %1").arg(i);
    return packs << QStringLiteral("Service Pack 6a");
}

QComboBox *choice(QWidget *parent, const QString &name, const QStringList &items, bool editable)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(editable);
    combo->addItems(items);
    return combo;
}

QLabel *prompt(QWidget *parent, const char *caption)
{
    return new QLabel(translated(caption), parent);
}

} // namespace

PersonPages::PersonPages(tarvo::ui::UpdateForm &form, const QString &prefix, bool countyList)
    : m_form(form), m_prefix(prefix), m_countyList(countyList)
{
    m_general = buildGeneral();
    m_hardware = buildHardware();
    m_notes = buildNotes();
}

const QStringList &PersonPages::counties()
{
    static const QStringList list =
        QStringLiteral(
            "Antrim|Ards|Armagh|Ayrshire|Ballymena|Ballymoney|Banbridge|Bedfordshire|Belfast|Berkshire|"
            "Borders|"
            "Buckinghamshire|Cambridgeshire|Carrickfergus|Castleragh|Central|Channel "
            "Islands|Cheshire|Cleveland|Clwyd|"
            "Coleraine|Cookstown|Cornwall|Craigavon|Cumbria|Derbyshire|Devon|Dorset|Down|Dumfries and "
            "Galloway|"
            "Dungannon|Durham|Dyfed|East Sussex|Essex|Fermanagh|Fife|Gloucestershire|Grampian|Greater London|"
            "Greater Manchester|Gwent|Gwynedd|Hampshire|Herefordshire|Hertfordshire|Highland|Humberside|Isle "
            "of Man|"
            "Isle of "
            "Wight|Kent|Lancashire|Larne|Leicestershire|Limavady|Lincolnshire|Lisburn|Londonderry|Lothian|"
            "Magherafelt|Merseyside|Mid Glamorgan|Middlesex|Moyle|Newry & Mourne|Newtonabbey|Norfolk|North "
            "Down|"
            "North "
            "Yorkshire|Northamptonshire|Northumberland|Nottinghamshire|Omagh|Oxfordshire|Powys|Shropshire|"
            "Somerset|South Yorkshire|Staffordshire|Strabane|Strathclyde|Suffolk|Surrey|Tayside|Tyne and "
            "Wear|"
            "Warwickshire|West Glamorgan|West Midlands|West Sussex|West Yorkshire|Wiltshire|Worcestershire")
            .split(QLatin1Char('|'));
    return list;
}

QPushButton *PersonPages::button(QWidget *parent, const QString &name, const char *caption)
{
    auto *b = new QPushButton(translated(caption), parent);
    b->setObjectName(name);
    return b;
}

QLineEdit *PersonPages::edit(QWidget *parent, const QString &name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

QWidget *PersonPages::buildGeneral()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("T1"));
    auto *grid = new QGridLayout(page);
    int row = 0;
    const auto addRow = [&](QLabel *label, QWidget *control, const char *field) {
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row++, 1, 1, 3);
        m_form.field(name(field), control);
    };
    addRow(prompt(page, "Status:"),
           choice(page, name("Status"), {QString(), QStringLiteral("disabled")}, true), "Status");
    // The salutations go through the translator as one text, as the stored values are the shown ones.
    const QStringList salutations = Translator::instance()
                                        .translate(CustomerTasks::salutations().join(QLatin1Char('|')))
                                        .split(QLatin1Char('|'));
    m_salutation = choice(page, name("Address"), salutations, false);
    addRow(prompt(page, "Address:"), m_salutation, "Address");
    m_lastnamePrompt = prompt(page, "Lastname:");
    m_lastnamePrompt->setObjectName(QStringLiteral("P2"));
    m_lastname = edit(page, name("Lastname"));
    addRow(m_lastnamePrompt, m_lastname, "Lastname");
    m_firstnamePrompt = prompt(page, "Firstname:");
    m_firstnamePrompt->setObjectName(QStringLiteral("P1"));
    addRow(m_firstnamePrompt, edit(page, name("Firstname")), "Firstname");
    addRow(prompt(page, "Department:"), edit(page, name("Department")), "Department");
    addRow(prompt(page, "Street:"), edit(page, name("Address1")), "Address1");
    addRow(new QLabel(page), edit(page, name("Address2")), "Address2");
    addRow(prompt(page, "City:"), edit(page, name("City")), "City");
    addRow(prompt(page, "State:"), edit(page, name("State")), "State");
    addRow(prompt(page, "Zip:"), edit(page, name("Zip")), "Zip");
    if (m_countyList) {
        QComboBox *county = choice(page, name("Province") + QStringLiteral(":2"), counties(), false);
        addRow(prompt(page, "County:"), county, "Province");
    } else {
        addRow(prompt(page, "Province:"), edit(page, name("Province")), "Province");
    }
    addRow(prompt(page, "Country:"), edit(page, name("Country")), "Country");

    m_connectivity = new QGroupBox(translated("Connectivity"), page);
    auto *links = new QGridLayout(m_connectivity);
    struct Link {
        const char *caption;
        const char *field;
        const char *button;
        const char *tip;
    };
    const Link rows[] = {
        {"Phone:", "Phone", "WAHL", "Call number"},     {"Fax:", "Fax", nullptr, nullptr},
        {"Mobile:", "Mobile", "WAHL:2", "Call number"}, {"Pager:", "Pager", nullptr, nullptr},
        {"E-Mail:", "EMail", "IL", "Send EMail"},       {"Web:", "Web", "IL:2", "Surf the web"}};
    int r = 0;
    for (const Link &l : rows) {
        links->addWidget(prompt(m_connectivity, l.caption), r, 0);
        QLineEdit *value = edit(m_connectivity, name(l.field));
        links->addWidget(value, r, 1);
        m_form.field(name(l.field), value);
        if (l.button) {
            QPushButton *b = button(m_connectivity, QLatin1String(l.button), "...");
            b->setToolTip(translated(l.tip));
            links->addWidget(b, r, 2);
            const QString field = name(l.field);
            QObject::connect(b, &QPushButton::clicked, &m_form, [this, field, kind = l.field[0]]() {
                if (!m_form.takeControls())
                    return;
                const QString value = m_form.record().text(field);
                if (kind == 'E')
                    CustomerLinks::sendMailTo(value);
                else if (kind == 'W')
                    CustomerLinks::openWebAddress(value);
                else
                    CustomerLinks::dialPhone(value);
            });
        }
        ++r;
    }
    grid->addWidget(m_connectivity, 0, 4, row, 1);
    // The address takes the room the connectivity leaves.
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(4, 2);
    return page;
}

QWidget *PersonPages::buildHardware()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("T2"));
    auto *grid = new QGridLayout(page);
    grid->addWidget(prompt(page, "Hardware:"), 0, 0);
    QLineEdit *hardware = edit(page, name("Hardware"));
    grid->addWidget(hardware, 0, 1, 1, 2);
    m_form.field(name("Hardware"), hardware);
    grid->addWidget(prompt(page, "OS:"), 1, 0);
    QComboBox *os = choice(page, name("OperatingSystem"), OperatingSystems, true);
    grid->addWidget(os, 1, 1, 1, 2);
    m_form.field(name("OperatingSystem"), os);
    grid->addWidget(prompt(page, "Service Pack:"), 2, 0);
    QComboBox *pack = choice(page, name("OperatingSystemServicePack"), servicePacks(), true);
    grid->addWidget(pack, 2, 1, 1, 2);
    m_form.field(name("OperatingSystemServicePack"), pack);
    m_network = new QCheckBox(translated("Network"), page);
    m_network->setObjectName(name("Network"));
    grid->addWidget(m_network, 3, 0);
    m_form.field(name("Network"), m_network);
    m_networkTypePrompt = prompt(page, "Type:");
    grid->addWidget(m_networkTypePrompt, 3, 1);
    m_networkType = edit(page, name("NetworkType"));
    grid->addWidget(m_networkType, 3, 2);
    m_form.field(name("NetworkType"), m_networkType);
    QObject::connect(m_network, &QCheckBox::toggled, &m_form, [this]() { applyNetwork(); });
    grid->addWidget(prompt(page, "Notes:"), 4, 0);
    auto *environment = new QPlainTextEdit(page);
    environment->setObjectName(name("EnvironmentText"));
    grid->addWidget(environment, 4, 1, 1, 2);
    m_form.field(name("EnvironmentText"), environment);
    stamp(environment, "ZEIT");
    grid->addWidget(page->findChild<QPushButton *>(QStringLiteral("ZEIT")), 5, 2, Qt::AlignRight);
    return page;
}

QWidget *PersonPages::buildNotes()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("T5"));
    auto *layout = new QVBoxLayout(page);
    auto *notes = new QPlainTextEdit(page);
    notes->setObjectName(name("Notes"));
    layout->addWidget(notes, 1);
    m_form.field(name("Notes"), notes);
    stamp(notes, "ZEIT:2");
    layout->addWidget(page->findChild<QPushButton *>(QStringLiteral("ZEIT:2")), 0, Qt::AlignRight);
    return page;
}

void PersonPages::stamp(QWidget *control, const char *buttonName)
{
    QPushButton *b = button(control->parentWidget(), QLatin1String(buttonName), "Date & Time Stamp");
    QObject::connect(b, &QPushButton::clicked, &m_form, [control]() {
        const core::SettingsValues settings = core::SettingsRecord::instance().values();
        core::ui::insertDateTimeStamp(
            control, core::StampSettings{settings.dateTimeStamp(), settings.dateTimeStampInsertPosition()},
            *core::Services::access(), 4096);
    });
}

void PersonPages::applyNetwork()
{
    const bool on = m_network->isChecked();
    m_networkType->setEnabled(on);
    m_networkTypePrompt->setEnabled(on);
}

} // namespace tarvo::masterdata::ui
