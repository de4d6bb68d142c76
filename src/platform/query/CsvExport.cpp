#include "platform/query/CsvExport.h"

#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"

#include <QFileDevice>

namespace tarvo::query {

CsvExport::CsvExport(const RegisteredFile &file, QStringList fieldNames)
    : m_files{&file}, m_names(std::move(fieldNames))
{
}

CsvExport::CsvExport(std::vector<const RegisteredFile *> files) : m_files(std::move(files)) {}

Result<void> CsvExport::begin(QIODevice &device)
{
    m_columns.clear();
    if (m_names.isEmpty()) {
        for (size_t file = 0; file < m_files.size(); ++file)
            for (const QueryField &f : m_files[file]->fields())
                m_columns.push_back({file, &f});
    } else {
        for (const QString &name : m_names) {
            const QueryField *f = m_files.front()->field(name);
            if (!f)
                return makeError(1, QStringLiteral("%1 is not a field of the export").arg(name));
            m_columns.push_back({0, f});
        }
    }
    m_device = &device;
    m_writer.emplace(device);
    m_written = 0;
    QStringList header;
    for (const Column &c : m_columns)
        header << c.field->name;
    return m_writer->writeRecord(header);
}

Result<void> CsvExport::write(const data::Record &record)
{
    return write(std::vector<const data::Record *>{&record});
}

Result<void> CsvExport::write(const std::vector<const data::Record *> &records)
{
    if (!m_writer)
        return makeError(1, QStringLiteral("The export has not begun"));
    if (records.size() != m_files.size())
        return makeError(1, QStringLiteral("The export takes %1 records at a time, not %2")
                                .arg(m_files.size())
                                .arg(records.size()));
    QStringList values;
    values.reserve(qsizetype(m_columns.size()));
    for (const Column &c : m_columns)
        values << m_files[c.file]->shown(*c.field, *records[c.file]);
    auto r = m_writer->writeRecord(values);
    if (r)
        ++m_written;
    return r;
}

Result<void> CsvExport::end()
{
    if (auto *file = qobject_cast<QFileDevice *>(m_device); file && !file->flush())
        return makeError(90, QStringLiteral("The export file could not be written: ") + file->errorString());
    m_writer.reset();
    m_device = nullptr;
    return {};
}

Result<int> CsvExport::writeRecords(const RegisteredFile &fields, data::FileManager &file,
                                    const QString &keyName, const std::vector<qint64> &ids, QIODevice &device)
{
    const data::RecordLayout &layout = file.layout();
    const int key = layout.keyIndex(keyName);
    if (key < 0 || layout.key(key).components.size() != 1)
        return makeError(5, QStringLiteral("The key %1 does not name one record by one value").arg(keyName));
    const QString idField = layout.key(key).components.front().field;
    CsvExport csv(fields);
    if (auto r = csv.begin(device); !r)
        return r.error();
    data::Record record = file.newRecord();
    for (qint64 id : ids) {
        record.setValue(idField, id);
        if (auto found = file.fetch(keyName, record); !found) {
            if (found.error().code == data::ErrorCode::RecordNotFound)
                continue; // gone since it was tagged
            return found.error();
        }
        if (auto r = csv.write(record); !r)
            return r.error();
    }
    if (auto r = csv.end(); !r)
        return r.error();
    return csv.written();
}

} // namespace tarvo::query
