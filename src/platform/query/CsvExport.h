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
// over, each value as shown. Several files registered together give one line per set of their
// records, the fields of each file after those of the file before.
class CsvExport final {
  public:
    // The fields to write, by name; empty: every field the file offers. An unknown name is an
    // error of begin().
    CsvExport(const RegisteredFile &file, QStringList fieldNames = {});
    // Every field each file offers, the files in this order.
    explicit CsvExport(std::vector<const RegisteredFile *> files);

    Result<void> begin(QIODevice &device);
    Result<void> write(const data::Record &record);
    // One record of each file, in the files' order.
    Result<void> write(const std::vector<const data::Record *> &records);
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
    struct Column {
        size_t file; // in m_files
        const QueryField *field;
    };

    std::vector<const RegisteredFile *> m_files;
    QStringList m_names;
    std::vector<Column> m_columns;
    QIODevice *m_device = nullptr;
    std::optional<CsvWriter> m_writer;
    int m_written = 0;
};

} // namespace tarvo::query
