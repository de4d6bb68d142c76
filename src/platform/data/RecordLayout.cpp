#include "platform/data/RecordLayout.h"

namespace tarvo::data {

RecordLayout::RecordLayout(FileDecl decl) : m_decl(std::move(decl))
{
    m_table = m_decl.tableName.isEmpty() ? (m_decl.aliasOf.isEmpty() ? m_decl.label : m_decl.aliasOf)
                                         : m_decl.tableName;
    QStringList select;
    for (int i = 0; i < fieldCount(); ++i) {
        m_fieldIndex.insert(field(i).name.toLower(), i);
        m_columns.push_back(quote(field(i).name));
        select << m_columns.back();
    }
    select << rowIdColumn();
    m_selectList = select.join(QLatin1Char(','));
    for (int k = 0; k < keyCount(); ++k) {
        m_keyIndex.insert(key(k).name.toLower(), k);
        if (key(k).autoNumber && m_autoNumberKey < 0)
            m_autoNumberKey = k;
    }
}

std::shared_ptr<const RecordLayout> RecordLayout::make(const FileDecl &decl)
{
    return std::make_shared<const RecordLayout>(decl);
}

QString RecordLayout::stripPrefix(const QString &name) const
{
    const int colon = name.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return name.toLower();
    if (name.left(colon).compare(m_decl.prefix, Qt::CaseInsensitive) != 0)
        return QString();
    return name.mid(colon + 1).toLower();
}

int RecordLayout::fieldIndex(const QString &name) const
{
    const QString bare = stripPrefix(name.trimmed());
    return bare.isEmpty() ? -1 : m_fieldIndex.value(bare, -1);
}

int RecordLayout::keyIndex(const QString &name) const
{
    const QString bare = stripPrefix(name.trimmed());
    return bare.isEmpty() ? -1 : m_keyIndex.value(bare, -1);
}

QString RecordLayout::keyDescription(int index) const
{
    const KeyDecl &k = key(index);
    return k.description.isEmpty() ? m_decl.prefix + QLatin1Char(':') + k.name : k.description;
}

QString RecordLayout::fullFieldName(int index) const
{
    return m_decl.prefix + QLatin1Char(':') + field(index).name;
}

bool RecordLayout::isText(int index) const
{
    const FieldType t = field(index).type;
    return t == FieldType::String || t == FieldType::CString || t == FieldType::Memo;
}

QString RecordLayout::quote(const QString &identifier)
{
    QString q = identifier;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

} // namespace tarvo::data
