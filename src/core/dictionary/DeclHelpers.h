#pragma once

#include "platform/data/FileDecl.h"

#include <initializer_list>

// Small builders that keep the file declarations close to the layouts they transcribe.
namespace tarvo::core::decl {

using data::FieldType;

inline data::FieldDecl field(const QString &name, FieldType type, int size = 0, int places = 0)
{
    return data::FieldDecl{name, type, size, places, QString()};
}

inline data::FieldDecl byteField(const QString &name)
{
    return field(name, FieldType::Byte);
}
inline data::FieldDecl shortField(const QString &name)
{
    return field(name, FieldType::Short);
}
inline data::FieldDecl ushortField(const QString &name)
{
    return field(name, FieldType::UShort);
}
inline data::FieldDecl longField(const QString &name)
{
    return field(name, FieldType::Long);
}
inline data::FieldDecl stringField(const QString &name, int size)
{
    return field(name, FieldType::String, size);
}
inline data::FieldDecl cstringField(const QString &name, int size)
{
    return field(name, FieldType::CString, size);
}
inline data::FieldDecl decimalField(const QString &name, int digits, int places)
{
    return field(name, FieldType::Decimal, digits, places);
}
inline data::FieldDecl memoField(const QString &name, int size)
{
    return field(name, FieldType::Memo, size);
}
inline data::FieldDecl blobField(const QString &name)
{
    return field(name, FieldType::Blob);
}

inline data::KeyComponent asc(const QString &fieldName)
{
    return data::KeyComponent{fieldName, false};
}
inline data::KeyComponent desc(const QString &fieldName)
{
    return data::KeyComponent{fieldName, true};
}

// Key attributes; a key without any allows duplicates.
enum KeyFlag : unsigned { Duplicates = 0, Unique = 1, Primary = 2, AutoNumber = 4 };

inline data::KeyDecl key(const QString &name, std::initializer_list<data::KeyComponent> components,
                         unsigned flags = Duplicates, const QString &description = QString())
{
    data::KeyDecl k;
    k.name = name;
    k.components = components;
    k.unique = (flags & Unique) != 0;
    k.primary = (flags & Primary) != 0;
    k.autoNumber = (flags & AutoNumber) != 0;
    k.description = description;
    return k;
}

// The start of a file declaration; the label doubles as the SQL table name.
inline data::FileDecl file(const QString &label, const QString &prefix, const QString &physicalName,
                           int version)
{
    data::FileDecl f;
    f.label = label;
    f.prefix = prefix;
    f.physicalName = physicalName;
    f.tableName = label;
    f.version = version;
    return f;
}

// A second cursor on the same physical table: same fields and keys under another prefix. The stored
// file is the base's, so each alias field is found under the base prefix.
inline data::FileDecl aliasFile(const data::FileDecl &base, const QString &label, const QString &prefix)
{
    data::FileDecl f = file(label, prefix, base.physicalName, base.version);
    f.tableName = base.label;
    f.aliasOf = base.label;
    f.fields = base.fields;
    f.keys = base.keys;
    for (const auto &fd : base.fields)
        f.alternateNames.push_back(
            data::AlternateNameRule{fd.name, base.prefix + QLatin1Char(':') + fd.name});
    return f;
}

} // namespace tarvo::core::decl
