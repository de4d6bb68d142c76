#include "platform/query/CsvExport.h"

#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"

#include <QFileDevice>

namespace tarvo::query {

CsvExport::CsvExport(const RegisteredFile &file, QStringList fieldNames)
    : m_file(file), m_names(std::move(fieldNames))
{
}

Result<void> CsvExport::begin(QIODevice &device)
{
    m_fields.clear();
    if (m_names.isEmpty()) {
        for (const QueryField &f : m_file.fields())
            m_fields.push_back(&f);
    } else {
        for (const QString &name : m_names) {
            const QueryField *f = m_file.field(name);
            if (!f)
                return makeError(1, QStringLiteral("%1 is not a field of the export").arg(name));
            m_fields.push_back(f);
        }
    }
    m_device = &device;
    m_writer.emplace(device);
    m_written = 0;
    QStringList header;
    for (const QueryField *f : m_fields)
        header << f->name;
    return m_writer->writeRecord(header);
}

Result<void> CsvExport::write(const data::Record &record)
{
    if (!m_writer)
        return makeError(1, QStringLiteral("The export has not begun"));
    QStringList values;
    values.reserve(qsizetype(m_fields.size()));
    for (const QueryField *f : m_fields)
        values << m_file.shown(*f, record);
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
