#pragma once

#include "platform/query/CsvImport.h"
#include "platform/query/MassUpdate.h"
#include "platform/query/RegisteredFile.h"
#include "platform/query/TextSearch.h"
#include "platform/runtime/Result.h"

#include <QIODevice>
#include <QString>

#include <vector>

namespace tarvo::data {
class Session;
class View;
} // namespace tarvo::data

namespace tarvo::masterdata {

// What the customer browse does with its data beyond showing it: the text search, export,
// import and mass update of customers, the picker's choice of customers and the drop of a
// contact onto another customer. Each write of several records is one transaction.
class CustomerTasks final {
  public:
    // The salutations a customer or contact is addressed with.
    static QStringList salutations();

    explicit CustomerTasks(data::Session &session);

    // The customer file as the wizards offer it (label "Customer").
    const query::RegisteredFile &customers() const { return m_customers; }
    // What the mass update may change: every field but the customer's number.
    const query::RegisteredFile &updatable() const { return m_updatable; }
    // The choices the mass update offers for the status and the salutation.
    static query::FieldChoices updateChoices();

    // The IDs of the customers of the list's view that hold the text, compared in the text form
    // of each field.
    Result<std::vector<qint64>> search(const data::View &view, const QString &text, bool ignoreCase,
                                       const query::TextSearch::Progress &progress = {}) const;
    // The customers of the ids as CSV; the number written.
    Result<int> exportCustomers(const std::vector<qint64> &ids, QIODevice &out) const;
    Result<query::ImportReport> importCustomers(const QString &csvText) const;
    // The chosen values into each customer of the ids, in one transaction; the number changed.
    Result<int> massUpdate(const std::vector<qint64> &ids, const query::MassUpdate &update,
                           const QString &initials) const;

    // The picker lists a customer that bought the program or bought nothing at all: the
    // customers that bought only other programs, as "|3|7|" (bare "|" when none).
    Result<QString> customersOfOtherPrograms(qint64 prgId) const;

    // A contact dropped on a customer: moved there, or a copy of it made there under a new
    // number. The contact's number (the copy's); 0 when the contact is gone.
    Result<qint64> dropContact(qint64 contactId, qint64 customerId, bool copy, const QString &initials) const;

  private:
    data::Session &m_session;
    query::RegisteredFile m_customers;
    query::RegisteredFile m_updatable;
};

} // namespace tarvo::masterdata
