#include "issues/ReporterList.h"

#include "core/lists/ReadKeyOrder.h"
#include "platform/data/Session.h"
#include "platform/runtime/Text.h"
#include "platform/runtime/Translator.h"

namespace tarvo::issues {

namespace {

QString withSalutation(const QString &salutation, const QString &name)
{
    const QString s = Text::clip(salutation);
    return s.isEmpty() ? name : s + QLatin1Char(' ') + name;
}

} // namespace

QString ReporterList::contactName(const data::Record &contact)
{
    const QString first = Text::clip(contact.text(QStringLiteral("Firstname")));
    const QString last = Text::clip(contact.text(QStringLiteral("Lastname")));
    if (Text::clip(contact.text(QStringLiteral("Address"))) ==
        Translator::instance().translate(QStringLiteral("Company")))
        return first.isEmpty() ? last : last + QLatin1Char(' ') + first;
    return first.isEmpty() ? last : first + QLatin1Char(' ') + last;
}

Result<std::vector<ReporterRow>> ReporterList::build(data::Session &session, qint32 programId,
                                                     const std::vector<core::UserQueueEntry> &users)
{
    std::vector<ReporterRow> rows;
    std::vector<data::Record> customers;
    if (auto failed = core::readKeyOrder(session, QStringLiteral("Customer"), QStringLiteral("KeySearchname"),
                                         {}, [&](const data::Record &c) { customers.push_back(c); }))
        return *failed;
    for (const data::Record &customer : customers) {
        if (Text::clip(customer.text(QStringLiteral("Status"))).toUpper() == QStringLiteral("DISABLED"))
            continue;
        const QVariant id = customer.value(QStringLiteral("ID"));
        int programs = 0;
        bool ofThisProgram = false;
        if (auto failed = core::readKeyOrder(
                session, QStringLiteral("CustomerPrograms"), QStringLiteral("KeyIDPrgIDPurchasedDate"), {id},
                [&](const data::Record &p) {
                    ++programs;
                    ofThisProgram |= p.integer(QStringLiteral("PrgID")) == programId;
                }))
            return *failed;
        if (programs > 0 && !ofThisProgram)
            continue;
        const QString name = customer.text(QStringLiteral("Searchname"));
        ReporterRow row;
        row.customer = name;
        row.shown = name;
        row.customerId = qint32(id.toLongLong());
        rows.push_back(row);
        if (auto failed = core::readKeyOrder(session, QStringLiteral("CustomerContacts"),
                                             QStringLiteral("KeyID"), {id}, [&](const data::Record &contact) {
                                                 ReporterRow c;
                                                 c.customer = name;
                                                 c.contact = contactName(contact);
                                                 c.shown = withSalutation(
                                                     contact.text(QStringLiteral("Address")), c.contact);
                                                 c.level = 1;
                                                 c.style = ReporterRow::Contact;
                                                 c.customerId = row.customerId;
                                                 c.contactId = qint32(contact.integer(QStringLiteral("CID")));
                                                 rows.push_back(c);
                                             }))
            return *failed;
    }
    if (!users.empty()) {
        ReporterRow heading;
        heading.shown = Translator::instance().translate(QStringLiteral("Internal Users"));
        heading.style = ReporterRow::Heading;
        rows.push_back(heading);
        for (const core::UserQueueEntry &user : users) {
            ReporterRow u;
            u.customer = user.userName;
            u.shown = withSalutation(user.userAddress, user.userName);
            u.level = 1;
            u.style = ReporterRow::User;
            u.userMak = user.userMak;
            rows.push_back(u);
        }
    }
    return rows;
}

void ReporterList::choose(data::Record &issue, const ReporterRow &row)
{
    issue.setValue(QStringLiteral("ReportedBy"), row.customer);
    const bool isCustomer = row.customerId != 0;
    issue.setValue(QStringLiteral("ReportedByID"), isCustomer ? row.customerId : 0);
    issue.setValue(QStringLiteral("ReportedByCID"), isCustomer ? row.contactId : 0);
    issue.setValue(QStringLiteral("ReportedByContact"),
                   isCustomer && row.contactId != 0 ? row.contact : QString());
}

} // namespace tarvo::issues
