#include "masterdata/customers/CustomerTasks.h"

#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/Transaction.h"
#include "platform/data/View.h"
#include "platform/query/CsvExport.h"
#include "platform/runtime/DayDate.h"

#include <QSet>

namespace tarvo::masterdata {

namespace {

const QString Customer = QStringLiteral("Customer");
const QString Contacts = QStringLiteral("CustomerContacts");
const QString Purchases = QStringLiteral("CustomerPrograms");

data::FileManager &opened(data::Session &session, const QString &label)
{
    data::FileManager &file = *session.file(label);
    (void)file.open();
    return file;
}

} // namespace

QStringList CustomerTasks::salutations()
{
    return {QStringLiteral("Mr."), QStringLiteral("Mrs."), QStringLiteral("Ms."), QStringLiteral("Miss"),
            QStringLiteral("Company")};
}

CustomerTasks::CustomerTasks(data::Session &session)
    : m_session(session), m_customers(opened(session, Customer).layoutPtr()), m_updatable(m_customers)
{
    m_updatable.removeField(QStringLiteral("CUS:ID"));
}

query::FieldChoices CustomerTasks::updateChoices()
{
    query::FieldChoices choices;
    choices.add(QStringLiteral("CUS:STATUS"), {QString(), QStringLiteral("disabled")});
    choices.add(QStringLiteral("CUS:ADDRESS"), salutations(), true);
    return choices;
}

Result<std::vector<qint64>> CustomerTasks::search(const data::View &view, const QString &text,
                                                  bool ignoreCase,
                                                  const query::TextSearch::Progress &progress) const
{
    return query::TextSearch(m_customers, QStringLiteral("CUS:ID")).search(view, text, ignoreCase, progress);
}

Result<int> CustomerTasks::exportCustomers(const std::vector<qint64> &ids, QIODevice &out) const
{
    return query::CsvExport::writeRecords(m_customers, opened(m_session, Customer),
                                          QStringLiteral("CUS:KeyID"), ids, out);
}

Result<query::ImportReport> CustomerTasks::importCustomers(const QString &csvText) const
{
    return query::CsvImport(opened(m_session, Customer), m_customers).run(csvText);
}

Result<int> CustomerTasks::massUpdate(const std::vector<qint64> &ids, const query::MassUpdate &update,
                                      const QString &initials) const
{
    data::FileManager &customers = opened(m_session, Customer);
    auto conn = customers.connection();
    if (!conn)
        return conn.error();
    data::Transaction transaction(**conn);
    if (!transaction.started())
        return transaction.started().error();
    int changed = 0;
    for (qint64 id : ids) {
        data::Record customer = customers.newRecord();
        customer.setValue(QStringLiteral("ID"), id);
        if (auto found = customers.fetch(QStringLiteral("KeyID"), customer); !found) {
            if (found.error().code == data::ErrorCode::RecordNotFound)
                continue; // gone since it was tagged
            return found.error();
        }
        if (update.apply(customer).empty())
            continue;
        customer.setValue(QStringLiteral("ChangedDate"), DayDate::today());
        customer.setValue(QStringLiteral("ChangedBy"), initials.left(3));
        if (auto stored = customers.update(customer); !stored)
            return stored.error();
        ++changed;
    }
    if (auto done = transaction.commit(); !done)
        return done.error();
    return changed;
}

Result<QString> CustomerTasks::customersOfOtherPrograms(qint64 prgId) const
{
    // Read in the order customer, program: each customer's purchases come together.
    data::View view(opened(m_session, Purchases), QStringLiteral("KeyIDPrgIDPurchasedDate"));
    QString others = QStringLiteral("|");
    qint64 customer = -1;
    bool boughtIt = true;
    const auto closeCustomer = [&]() {
        if (customer >= 0 && !boughtIt)
            others += QString::number(customer) + QLatin1Char('|');
    };
    std::optional<data::Record> last;
    for (;;) {
        auto page = view.rowsAfter(last ? &*last : nullptr, 1000);
        if (!page)
            return page.error();
        if (page->empty())
            break;
        for (const data::Record &purchase : *page) {
            const qint64 id = purchase.integer(QStringLiteral("ID"));
            if (id != customer) {
                closeCustomer();
                customer = id;
                boughtIt = false;
            }
            boughtIt = boughtIt || purchase.integer(QStringLiteral("PrgID")) == prgId;
        }
        last = page->back();
    }
    closeCustomer();
    return others;
}

Result<qint64> CustomerTasks::dropContact(qint64 contactId, qint64 customerId, bool copy,
                                          const QString &initials) const
{
    data::FileManager &contacts = opened(m_session, Contacts);
    data::Record contact = contacts.newRecord();
    contact.setValue(QStringLiteral("CID"), contactId);
    if (auto found = contacts.fetch(QStringLiteral("KeyCID"), contact); !found) {
        if (found.error().code == data::ErrorCode::RecordNotFound)
            return qint64(0);
        return found.error();
    }
    contact.setValue(QStringLiteral("ID"), customerId);
    contact.setValue(QStringLiteral("CHANGEDDATE"), DayDate::today());
    contact.setValue(QStringLiteral("CHANGEDBY"), initials.left(3));
    if (copy) {
        contact.setValue(QStringLiteral("CID"), 0);
        contact.setRowId(0);
        if (auto added = contacts.insert(contact); !added)
            return added.error();
    } else if (auto stored = contacts.update(contact); !stored) {
        return stored.error();
    }
    return contact.integer(QStringLiteral("CID"));
}

} // namespace tarvo::masterdata
