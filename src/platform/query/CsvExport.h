#pragma once

#include "platform/query/CsvWriter.h"
#include "platform/query/RegisteredFile.h"

#include <optional>
#include <vector>

namespace tarvo::data {
class FileManager;
}

namespace tarvo::query {

// The export wizard's output: a header line of field names, then one line per record handed
// over, each value as shown.
class CsvExport final {
  public:
    // The fields to write, by name; empty: every field the file offers. An unknown name is an
    // error of begin().
    CsvExport(const RegisteredFile &file, QStringList fieldNames = {});

    Result<void> begin(QIODevice &device);
    Result<void> write(const data::Record &record);
    // Flushes what is written; the export is finished.
    Result<void> end();
    int written() const { return m_written; }

    // The export of tagged records: each record of the file whose key (of one component) has
    // one of the ids, in the order of the ids; an id no longer found is skipped. The number of
    // records written.
    static Result<int> writeRecords(const RegisteredFile &fields, data::FileManager &file,
                                    const QString &keyName, const std::vector<qint64> &ids,
                                    QIODevice &device);

  private:
    const RegisteredFile &m_file;
    QStringList m_names;
    std::vector<const QueryField *> m_fields;
    QIODevice *m_device = nullptr;
    std::optional<CsvWriter> m_writer;
    int m_written = 0;
};

} // namespace tarvo::query
