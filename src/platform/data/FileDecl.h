#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace tarvo::data {

// The stored kinds of a field. Memo and Blob are stored beside the record.
enum class FieldType {
    Byte,    // unsigned 8-bit
    Short,   // signed 16-bit
    UShort,  // unsigned 16-bit
    Long,    // signed 32-bit; dates (day numbers) and times (hundredths + 1) are Longs
    ULong,   // unsigned 32-bit
    Real,    // double
    Decimal, // fixed point: size = total digits, places = digits after the point
    String,  // text of at most `size` characters, stored clipped
    CString, // zero-terminated text of at most size - 1 characters
    Memo,    // text of at most `size` characters
    Blob,    // bytes of any length
};

// One field of a record layout. `name` is the field name without its prefix ("Description").
struct FieldDecl final {
    QString name;
    FieldType type = FieldType::Long;
    int size = 0;    // characters for texts and memos; digits for decimals
    int places = 0;  // decimals only
    QString picture; // display picture, e.g. "@s35", "@n-14", "@D017B"; may be empty
    // Names of the dimension elements when the original declares an array (e.g. FIELD1..FIELD10
    // stay separate fields here; arrays are flattened by the declaring code).
};

struct KeyComponent final {
    QString field; // field name without prefix
    bool descending = false;
};

struct KeyDecl final {
    QString name; // without prefix, e.g. "KeyPrgIDVersionID"
    std::vector<KeyComponent> components;
    bool unique = false;
    bool primary = false;
    bool autoNumber = false;      // the key's only component is numbered on insert
    bool dynamic = false;         // no fixed components: order and filter are given at run time
    bool caseInsensitive = false; // text components compare without regard to case ("NOCASE")
    QString description;          // for messages (%Key); the full key label when empty
};

// A start value for a field that a newer layout added; "AUTONUMBER" numbers the existing rows.
struct SetIfNewRule final {
    QString field; // declared field name, without prefix
    QString value;
};

// A field that a stored older layout holds under another name.
struct AlternateNameRule final {
    QString field;      // declared field name, without prefix
    QString storedName; // full label as stored, e.g. "CUS:Company" (prefix included)
};

struct RangeCheck final {
    QString field;
    double low = 0;
    double high = 0;
};

// One data file as the dictionary declares it: the single source of its SQL table, its record
// type, its field-by-name binding and its upgrade registration.
struct FileDecl final {
    QString label;                 // "Bugs"
    QString prefix;                // "BUG"
    QString physicalName;          // "Bugs.TPS" (the original's name, kept for messages and the path table)
    QString tableName;             // SQL table; the label, or the base file's label for an alias
    QString aliasOf;               // label of the base file for an alias ("Programs" for ProgramsAlias)
    int version = 0;               // layout version
    std::vector<FieldDecl> fields; // in stored order; memos and BLOBs after the record fields
    std::vector<KeyDecl> keys;     // in declaration order
    std::vector<std::pair<QString, QString>> insertDefaults; // field -> value, after autonumber
    std::vector<RangeCheck> rangeChecks;
    std::vector<SetIfNewRule> setIfNew;
    std::vector<AlternateNameRule> alternateNames;
    bool managed = true; // false for PATHS and ProgramLimit: no file or relation manager
};

// Update and delete modes of a relation: 0 none, 1 clear, 2 restrict, 3 cascade.
enum class RelationMode { None = 0, Clear = 1, Restrict = 2, Cascade = 3 };

// A parent-child relation of the dictionary. A relation without modes (both None and no key)
// is a plain link to a parent, opened with the child.
struct RelationDecl final {
    QString parent;                                 // label
    QString child;                                  // label
    std::vector<std::pair<QString, QString>> links; // parent field -> child field (without prefix)
    QString childKey;                               // key name without prefix
    RelationMode update = RelationMode::None;
    RelationMode remove = RelationMode::None;
    // Extra fixed condition on the children, for files that keep several owners side by side
    // (the mail log: issue mails are EMA:Type 0, mass e-mails 99). Child field -> value.
    std::vector<std::pair<QString, QString>> childCondition;
};

} // namespace tarvo::data

namespace tarvo::data {

// A whole dictionary: every file and every relation, in declaration order. The relation order
// is the order in which relation managers register them.
struct DictionaryDecl final {
    std::vector<FileDecl> files;
    std::vector<RelationDecl> relations;

    const FileDecl *file(const QString &label) const
    {
        for (const auto &f : files)
            if (f.label.compare(label, Qt::CaseInsensitive) == 0)
                return &f;
        return nullptr;
    }
};

} // namespace tarvo::data
