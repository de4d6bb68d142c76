#include "access/SqlSchema.h"

namespace tarvo::access {

namespace {

QString sqlType(data::FieldType type)
{
    switch (type) {
    case data::FieldType::String:
    case data::FieldType::CString:
    case data::FieldType::Memo:
        return QStringLiteral("TEXT NOT NULL DEFAULT ''");
    case data::FieldType::Real:
    case data::FieldType::Decimal:
        return QStringLiteral("NUMERIC NOT NULL DEFAULT 0");
    case data::FieldType::Blob:
        return QStringLiteral("BLOB");
    default:
        return QStringLiteral("INTEGER NOT NULL DEFAULT 0");
    }
}

const data::FieldDecl *field(const data::FileDecl &file, const QString &name)
{
    for (const auto &f : file.fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

bool isText(const data::FieldDecl *f)
{
    return f && (f->type == data::FieldType::String || f->type == data::FieldType::CString);
}

} // namespace

QString SqlSchema::fold(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end).toCaseFolded();
}

QStringList SqlSchema::foldedFields(const data::FileDecl &file)
{
    QStringList out;
    for (const auto &key : file.keys) {
        if (!key.caseInsensitive)
            continue;
        for (const auto &c : key.components)
            if (isText(field(file, c.field)) && !out.contains(c.field))
                out << c.field;
    }
    return out;
}

QStringList SqlSchema::createStatements(const data::FileDecl &file)
{
    const QString tableName = file.tableName.isEmpty() ? file.label : file.tableName;
    QStringList columns;
    for (const auto &f : file.fields)
        columns << quoted(f.name) + u' ' + sqlType(f.type);
    const QStringList folded = foldedFields(file);
    for (const auto &f : folded)
        columns << quoted(foldColumn(f)) + QStringLiteral(" TEXT NOT NULL DEFAULT ''");

    QStringList statements;
    statements
        << QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(quoted(tableName), columns.join(u", "));
    for (const auto &key : file.keys) {
        if (key.dynamic || key.components.empty())
            continue;
        QStringList parts;
        for (const auto &c : key.components) {
            const QString column =
                key.caseInsensitive && folded.contains(c.field) ? foldColumn(c.field) : c.field;
            parts << quoted(column) + (c.descending ? QStringLiteral(" DESC") : QString());
        }
        statements << QStringLiteral("CREATE %1INDEX IF NOT EXISTS %2 ON %3 (%4)")
                          .arg(key.unique ? QStringLiteral("UNIQUE ") : QString(),
                               quoted(tableName + u'_' + key.name), quoted(tableName), parts.join(u", "));
    }
    return statements;
}

} // namespace tarvo::access
