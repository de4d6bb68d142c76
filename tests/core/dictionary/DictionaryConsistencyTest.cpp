#include "core/dictionary/TarvoDictionary.h"

#include <QSet>

#include <gtest/gtest.h>

using tarvo::core::tarvoDictionary;
using namespace tarvo::data;

namespace {

bool hasField(const FileDecl &f, const QString &name)
{
    for (const auto &fd : f.fields)
        if (fd.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

const KeyDecl *findKey(const FileDecl &f, const QString &name)
{
    for (const auto &k : f.keys)
        if (k.name.compare(name, Qt::CaseInsensitive) == 0)
            return &k;
    return nullptr;
}

QString where(const FileDecl &f, const QString &what)
{
    return f.label + QStringLiteral(": ") + what;
}

} // namespace

TEST(DictionaryConsistency, LabelsPrefixesAndFieldNamesAreUnique)
{
    QSet<QString> labels, prefixes;
    for (const auto &f : tarvoDictionary().files) {
        EXPECT_FALSE(labels.contains(f.label.toUpper())) << f.label.toStdString();
        EXPECT_FALSE(prefixes.contains(f.prefix.toUpper())) << f.prefix.toStdString();
        labels.insert(f.label.toUpper());
        prefixes.insert(f.prefix.toUpper());

        QSet<QString> fields, keys;
        for (const auto &fd : f.fields) {
            EXPECT_FALSE(fields.contains(fd.name.toUpper())) << where(f, fd.name).toStdString();
            fields.insert(fd.name.toUpper());
        }
        for (const auto &k : f.keys) {
            EXPECT_FALSE(keys.contains(k.name.toUpper())) << where(f, k.name).toStdString();
            keys.insert(k.name.toUpper());
        }
    }
}

TEST(DictionaryConsistency, EveryNamedFieldExistsInItsFile)
{
    for (const auto &f : tarvoDictionary().files) {
        EXPECT_FALSE(f.physicalName.isEmpty()) << f.label.toStdString();
        EXPECT_FALSE(f.tableName.isEmpty()) << f.label.toStdString();
        for (const auto &k : f.keys) {
            EXPECT_EQ(k.components.empty(), k.dynamic) << where(f, k.name).toStdString();
            for (const auto &c : k.components)
                EXPECT_TRUE(hasField(f, c.field)) << where(f, k.name + " " + c.field).toStdString();
        }
        for (const auto &[name, value] : f.insertDefaults)
            EXPECT_TRUE(hasField(f, name)) << where(f, "insert " + name).toStdString();
        for (const auto &r : f.rangeChecks)
            EXPECT_TRUE(hasField(f, r.field)) << where(f, "range " + r.field).toStdString();
        for (const auto &r : f.setIfNew)
            EXPECT_TRUE(hasField(f, r.field)) << where(f, "new " + r.field).toStdString();
        for (const auto &r : f.alternateNames) {
            EXPECT_TRUE(hasField(f, r.field)) << where(f, "alternate " + r.field).toStdString();
            EXPECT_TRUE(r.storedName.contains(QLatin1Char(':'))) << where(f, r.storedName).toStdString();
        }
    }
}

TEST(DictionaryConsistency, KeysAreWellFormed)
{
    for (const auto &f : tarvoDictionary().files) {
        int primaries = 0;
        for (const auto &k : f.keys) {
            if (k.primary) {
                ++primaries;
                EXPECT_TRUE(k.unique) << where(f, k.name).toStdString();
            }
            if (k.autoNumber) {
                ASSERT_EQ(k.components.size(), 1u) << where(f, k.name).toStdString();
                for (const auto &fd : f.fields) {
                    if (fd.name == k.components.front().field) {
                        EXPECT_EQ(fd.type, FieldType::Long) << where(f, k.name).toStdString();
                    }
                }
            }
        }
        EXPECT_LE(primaries, 1) << f.label.toStdString();
    }
}

TEST(DictionaryConsistency, MemosAndBlobsFollowTheRecordFields)
{
    for (const auto &f : tarvoDictionary().files) {
        bool besideRecord = false;
        for (const auto &fd : f.fields) {
            const bool beside = fd.type == FieldType::Memo || fd.type == FieldType::Blob;
            EXPECT_FALSE(besideRecord && !beside) << where(f, fd.name).toStdString();
            besideRecord = besideRecord || beside;
            if (fd.type == FieldType::String || fd.type == FieldType::CString || fd.type == FieldType::Memo) {
                EXPECT_GT(fd.size, 0) << where(f, fd.name).toStdString();
            }
        }
    }
}

TEST(DictionaryConsistency, RelationsNameExistingFieldsAndKeys)
{
    const auto &d = tarvoDictionary();
    for (const auto &r : d.relations) {
        const std::string name = QString(r.parent + " -> " + r.child).toStdString();
        const FileDecl *parent = d.file(r.parent);
        const FileDecl *child = d.file(r.child);
        ASSERT_TRUE(parent && child) << name;
        EXPECT_TRUE(parent->managed && child->managed) << name;
        EXPECT_FALSE(r.links.empty()) << name;
        for (const auto &[p, c] : r.links) {
            EXPECT_TRUE(hasField(*parent, p)) << name << " " << p.toStdString();
            EXPECT_TRUE(hasField(*child, c)) << name << " " << c.toStdString();
        }
        for (const auto &[field, value] : r.childCondition)
            EXPECT_TRUE(hasField(*child, field)) << name << " " << field.toStdString();
        if (r.childKey.isEmpty())
            continue;
        const KeyDecl *key = findKey(*child, r.childKey);
        ASSERT_TRUE(key) << name << " " << r.childKey.toStdString();
        // The child key must lead with the linking fields, so that the children are one range.
        ASSERT_GE(key->components.size(), r.links.size()) << name;
        for (std::size_t i = 0; i < r.links.size(); ++i)
            EXPECT_EQ(key->components[i].field.toUpper(), r.links[i].second.toUpper()) << name;
    }
}

TEST(DictionaryConsistency, PlainLinksPairWithTheRelationsOneToOne)
{
    const auto &rels = tarvoDictionary().relations;
    for (const auto &r : rels) {
        if (r.childKey.isEmpty()) {
            EXPECT_EQ(r.update, RelationMode::None);
            EXPECT_EQ(r.remove, RelationMode::None);
        }
        int twins = 0;
        for (const auto &other : rels)
            if (other.parent == r.parent && other.child == r.child &&
                other.childKey.isEmpty() != r.childKey.isEmpty())
                ++twins;
        EXPECT_EQ(twins, 1) << QString(r.parent + " -> " + r.child).toStdString();
    }
}

TEST(DictionaryConsistency, AliasesMirrorTheirBase)
{
    const auto &d = tarvoDictionary();
    int aliases = 0;
    for (const auto &f : d.files) {
        if (f.aliasOf.isEmpty()) {
            EXPECT_EQ(f.tableName, f.label == "ProgramLimit" ? QStringLiteral("ProgLimit") : f.label);
            continue;
        }
        ++aliases;
        const FileDecl *base = d.file(f.aliasOf);
        ASSERT_TRUE(base) << f.label.toStdString();
        EXPECT_EQ(f.tableName, base->label);
        EXPECT_EQ(f.physicalName, base->physicalName);
        EXPECT_EQ(f.version, base->version);
        ASSERT_EQ(f.fields.size(), base->fields.size());
        for (std::size_t i = 0; i < f.fields.size(); ++i) {
            EXPECT_EQ(f.fields[i].name, base->fields[i].name);
            EXPECT_EQ(f.fields[i].type, base->fields[i].type);
            EXPECT_EQ(f.fields[i].size, base->fields[i].size);
        }
        ASSERT_EQ(f.keys.size(), base->keys.size());
        for (std::size_t i = 0; i < f.keys.size(); ++i) {
            EXPECT_EQ(f.keys[i].name, base->keys[i].name);
            EXPECT_EQ(f.keys[i].components.size(), base->keys[i].components.size());
            EXPECT_EQ(f.keys[i].unique, base->keys[i].unique);
            EXPECT_EQ(f.keys[i].autoNumber, base->keys[i].autoNumber);
        }
        // One stored name per field, under the base's prefix.
        ASSERT_EQ(f.alternateNames.size(), base->fields.size());
        for (std::size_t i = 0; i < f.alternateNames.size(); ++i) {
            EXPECT_EQ(f.alternateNames[i].field, base->fields[i].name);
            EXPECT_EQ(f.alternateNames[i].storedName, base->prefix + ":" + base->fields[i].name);
        }
    }
    EXPECT_EQ(aliases, 2);
}
