#include "platform/query/RegisteredFile.h"

#include "platform/runtime/Picture.h"

namespace tarvo::query {

namespace {

bool isMemo(const data::FieldDecl &f)
{
    return f.type == data::FieldType::Memo || f.type == data::FieldType::Blob;
}

bool isTextType(data::FieldType t)
{
    return t == data::FieldType::String || t == data::FieldType::CString || t == data::FieldType::Memo ||
           t == data::FieldType::Blob;
}

QueryField makeField(const data::RecordLayout &layout, int index, QString picture)
{
    QueryField f;
    f.index = index;
    f.name = layout.fullFieldName(index);
    f.picture = std::move(picture);
    return f;
}

} // namespace

bool QueryField::isText() const
{
    const Picture p = Picture::parse(picture);
    return !p.isValid() || p.kind() == Picture::Kind::String;
}

RegisteredFile::RegisteredFile(data::LayoutPtr layout) : m_layout(std::move(layout))
{
    for (int i = 0; i < m_layout->fieldCount(); ++i)
        m_fields.push_back(makeField(*m_layout, i, m_layout->field(i).picture));
}

Result<RegisteredFile> RegisteredFile::withFieldInformation(data::LayoutPtr layout,
                                                            const QString &information)
{
    QStringList entries = information.split(QChar(EntryEnd));
    if (!entries.isEmpty() && entries.last().isEmpty())
        entries.removeLast();
    if (entries.size() < layout->fieldCount())
        return makeError(1, QStringLiteral("The field information of %1 names %2 fields, the file has %3")
                                .arg(layout->label())
                                .arg(entries.size())
                                .arg(layout->fieldCount()));
    // The entries name the memos first, the record's other fields after them.
    std::vector<int> order;
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < layout->fieldCount(); ++i)
            if (isMemo(layout->field(i)) == (pass == 0))
                order.push_back(i);
    RegisteredFile file(layout);
    for (size_t e = 0; e < order.size(); ++e) {
        const QStringList parts = entries.at(qsizetype(e)).split(QChar(PartSeparator));
        QueryField &f = file.m_fields[size_t(order[e])];
        f.picture = parts.value(0);
        f.note = parts.value(1);
        const QString choices = parts.value(2);
        f.choices = choices.isEmpty() ? QStringList() : choices.split(u'|');
    }
    return file;
}

const QueryField *RegisteredFile::field(const QString &name) const
{
    const int index = m_layout->fieldIndex(name.trimmed());
    for (const QueryField &f : m_fields)
        if (f.index == index && index >= 0)
            return &f;
    return nullptr;
}

void RegisteredFile::removeField(const QString &name)
{
    const int index = m_layout->fieldIndex(name.trimmed());
    std::erase_if(m_fields, [&](const QueryField &f) { return f.index == index; });
}

QString RegisteredFile::shown(const QueryField &field, const QVariant &value)
{
    const Picture picture = Picture::parse(field.picture);
    if (!picture.isValid() || picture.kind() == Picture::Kind::String || value.typeId() == QMetaType::QString)
        return value.toString();
    // A date or time of 0 is none: shown blank whatever the picture, so that it reads back.
    const bool dateOrTime = picture.kind() == Picture::Kind::Date || picture.kind() == Picture::Kind::Time;
    if (dateOrTime && value.toLongLong() == 0)
        return QString();
    return Picture::format(value, field.picture).trimmed();
}

QString RegisteredFile::shown(const QueryField &field, const data::Record &record) const
{
    return shown(field, record.value(field.index));
}

Result<QVariant> RegisteredFile::read(const QueryField &field, const QString &text) const
{
    const data::FieldDecl &decl = m_layout->field(field.index);
    if (isTextType(decl.type)) {
        // A text the field cannot hold whole is refused rather than cut.
        const int width = decl.type == data::FieldType::CString ? decl.size - 1 : decl.size;
        const QString kept =
            width > 0 && decl.type != data::FieldType::Blob ? data::Record::cutToWidth(text, width) : text;
        if (!text.mid(kept.size()).trimmed().isEmpty())
            return makeError(1, QStringLiteral("%1 holds at most %2 characters").arg(field.name).arg(width));
        return QVariant(text);
    }
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return data::Record::emptyValue(decl);
    const Picture picture = Picture::parse(field.picture);
    QVariant value;
    if (picture.isValid() && picture.kind() != Picture::Kind::String) {
        value = Picture::deformat(trimmed, field.picture);
    } else {
        bool ok = false;
        const double number = trimmed.toDouble(&ok);
        if (ok)
            value = number;
    }
    if (!value.isValid())
        return makeError(1, QStringLiteral("\"%1\" is not a valid value of %2").arg(text, field.name));
    return value;
}

void RegisteredFile::addColumns(data::expr::NameTable &names) const
{
    for (int i = 0; i < m_layout->fieldCount(); ++i) {
        const data::FieldDecl &decl = m_layout->field(i);
        data::expr::ValueType type = data::expr::ValueType::Number;
        if (isTextType(decl.type)) {
            type = data::expr::ValueType::Text;
        } else {
            const QueryField *f = field(m_layout->fullFieldName(i));
            const Picture picture = Picture::parse(f ? f->picture : decl.picture);
            if (picture.kind() == Picture::Kind::Date)
                type = data::expr::ValueType::Date;
            else if (picture.kind() == Picture::Kind::Time)
                type = data::expr::ValueType::Time;
        }
        names.addColumn(m_layout->fullFieldName(i), m_layout->column(i), type);
    }
}

} // namespace tarvo::query
