#pragma once

#include "platform/runtime/Result.h"

#include <QString>
#include <QStringList>

class QIODevice;

namespace tarvo::query {

// Writes CSV as RFC 4180 has it: commas between fields, CRLF after each record, and a field
// quoted (its quotes doubled) when it holds a comma, a quote or a line break. UTF-8.
class CsvWriter final {
  public:
    explicit CsvWriter(QIODevice &device) : m_device(device) {}

    Result<void> writeRecord(const QStringList &fields);

    static QString field(const QString &value);
    // One record with its closing CRLF.
    static QString record(const QStringList &fields);

  private:
    QIODevice &m_device;
};

} // namespace tarvo::query
