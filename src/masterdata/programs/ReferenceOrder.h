#pragma once

#include "platform/runtime/Result.h"

#include <QString>

namespace tarvo::data {
class Session;
}

namespace tarvo::masterdata {

// Moves an entry of a program's status, severity or classification list one place up or down by
// swapping sort numbers with its neighbour, in one transaction with every write checked and no
// entry parked at a spare number. A status move keeps the issues' status sort numbers in step.
class ReferenceOrder final {
  public:
    enum class List { Status, Severity, Classification };
    enum class Outcome { Moved, AtTheEnd };

    ReferenceOrder(data::Session &session, List list);

    // The entry of `programId` with sort number `sort` changes place with the nearest entry
    // above (`step` -1) or below (+1); AtTheEnd, with nothing written, when there is none.
    Result<Outcome> move(qint64 programId, qint64 sort, int step);

  private:
    Result<void> followIssues(qint64 programId, const QString &status, qint64 from, qint64 to);

    data::Session &m_session;
    List m_list;
    QString m_label;
    QString m_key;
    QString m_textField;
};

} // namespace tarvo::masterdata
