#pragma once

#include "core/lists/UserQueue.h"
#include "platform/data/Record.h"
#include "platform/runtime/Result.h"

#include <QString>

#include <vector>

namespace tarvo::data {
class Session;
}

namespace tarvo::issues {

// One row of the reported-by list: a customer, one of its contacts, the heading of the internal
// users or one of them.
struct ReporterRow final {
    enum Style { Contact = 0, Customer = 1, Heading = 2, User = 3 };

    QString customer; // CUSCUSTOMER: what choosing the row puts into BUG:ReportedBy
    QString shown;    // CUSCUSTOMER1
    int level = 0;    // 0 customers and the heading, 1 contacts and users
    Style style = Customer;
    QString contact;       // CUSCONTACT: the contact's name without salutation
    qint32 customerId = 0; // CUSID
    qint32 contactId = 0;  // CUSCID
    QString userMak;       // CUSMAK

    bool operator==(const ReporterRow &) const = default;
};

// The reported-by list of the issue form: the customers of the issue's program (or of no program)
// that are not disabled, each with its contacts, then the internal users.
class ReporterList final {
  public:
    static Result<std::vector<ReporterRow>> build(data::Session &session, qint32 programId,
                                                  const std::vector<core::UserQueueEntry> &users);
    // The contact's name as the list shows it, without the salutation.
    static QString contactName(const data::Record &contact);
    // Choosing a row: the reporter, its customer and contact numbers and the contact's name.
    static void choose(data::Record &issue, const ReporterRow &row);
};

} // namespace tarvo::issues
