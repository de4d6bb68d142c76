#include "core/dictionary/TarvoDictionary.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace tarvo::core;
using namespace tarvo::data;

namespace {

const FileDecl &fileOf(const QString &label)
{
    const FileDecl *f = tarvoDictionary().file(label);
    if (!f)
        throw std::runtime_error(QString("no file " + label).toStdString());
    return *f;
}

const KeyDecl &keyOf(const FileDecl &f, const QString &name)
{
    for (const auto &k : f.keys)
        if (k.name == name)
            return k;
    throw std::runtime_error(QString("no key " + name).toStdString());
}

// Bytes the stored record takes; memos and BLOBs are stored beside it.
int recordBytes(const FileDecl &f)
{
    int bytes = 0;
    for (const auto &fd : f.fields) {
        switch (fd.type) {
        case FieldType::Byte:
            bytes += 1;
            break;
        case FieldType::Short:
        case FieldType::UShort:
            bytes += 2;
            break;
        case FieldType::Long:
        case FieldType::ULong:
            bytes += 4;
            break;
        case FieldType::Real:
            bytes += 8;
            break;
        case FieldType::Decimal:
            bytes += fd.size / 2 + 1;
            break;
        case FieldType::String:
        case FieldType::CString:
            bytes += fd.size;
            break;
        case FieldType::Memo:
        case FieldType::Blob:
            break;
        }
    }
    return bytes;
}

QString rules(const FileDecl &f)
{
    QStringList out;
    for (const auto &r : f.setIfNew)
        out << r.field + "=" + r.value;
    for (const auto &r : f.alternateNames)
        out << r.field + "<" + r.storedName;
    return out.join("; ");
}

struct FileRow {
    const char *label;
    const char *prefix;
    const char *physicalName;
    int version;
    int recordBytes;
};

// Registration order with versions, then the unregistered files; record sizes as the layouts give them.
const FileRow kFiles[] = {
    {"Attachments", "ATT", "Attach.TPS", 5, 536},
    {"BugDesc", "BUD", "BugDesc.TPS", 0, 255},
    {"Bugs", "BUG", "Bugs.TPS", 19, 1635},
    {"BugsResponsible", "BUR", "BugsResp.TPS", 0, 42},
    {"Classification", "CLA", "Class.TPS", 5, 293},
    {"ContractTypes", "CON", "Contract.TPS", 0, 50},
    {"Customer", "CUS", "Customer.TPS", 6, 1370},
    {"CustomerContacts", "CCO", "CustCont.TPS", 2, 1136},
    {"CustomerPrograms", "CUP", "CustProg.TPS", 6, 408},
    {"EMailEvents", "EME", "EMailE.TPS", 5, 1574},
    {"EMailTemplates", "EMT", "EMailT.TPS", 3, 552},
    {"EMails", "EMA", "EMails.TPS", 4, 1338},
    {"FieldConditions", "FIC", "FieldSVC.TPS", 0, 309},
    {"FieldConfig", "FIE", "FieldCon.TPS", 2, 308},
    {"FieldSetValue", "FIS", "FieldSV.TPS", 2, 311},
    {"History", "HIS", "History.TPS", 1, 101},
    {"MassEMails", "MEM", "MassEMails.TPS", 1, 7003},
    {"Notes", "NOTE", "Notes.TPS", 1, 65},
    {"Parameter", "PAR", "Para.TPS", 19, 12233},
    {"Print", "PRN", "Print.TPS", 5, 1928},
    {"Priority", "PRI", "Priority.TPS", 1, 40},
    {"Programfiles", "PFIL", "Prgfiles.TPS", 4, 544},
    {"Programs", "PRG", "Programs.TPS", 5, 547},
    {"ProgramsAlias", "PRG1", "Programs.TPS", 5, 547},
    {"ReleaseNotes", "REN", "ReleaseN.TPS", 1, 802},
    {"Releases", "REL", "Releases.TPS", 4, 293},
    {"Reproducible", "REP", "Reprod.TPS", 0, 35},
    {"Resolution", "RES", "Resol.TPS", 0, 35},
    {"Severity", "SEV", "Severity.TPS", 5, 293},
    {"Status", "STA", "Status.TPS", 8, 295},
    {"Tips", "TIP", "Tips.TPS", 0, 259},
    {"Views", "VIE", "Views.TPS", 0, 12804},
    {"WebLinks", "WEB", "WebLinks.TPS", 0, 2060},
    {"WebLinksAlias", "WEB1", "WebLinks.TPS", 0, 2060},
    {"ProgramLimit", "PRL", "Vuvuzu\\!ProgLimit", 0, 285},
    {"AttachmentFiles", "ATF", "AttachF.TPS", 0, 4},
    {"PATHS", "PATH", "PATHS.TPS", 0, 257},
    {"HotKeys", "HOT", "HotKeys.tps", 0, 264},
};
constexpr std::size_t kRegistered = 35;

} // namespace

TEST(DictionaryTables, FilesComeInRegistrationOrderWithTheirLayouts)
{
    const auto &files = tarvoDictionary().files;
    ASSERT_EQ(files.size(), std::size(kFiles));
    const QStringList registered = upgradeRegistrationOrder();
    ASSERT_EQ(std::size_t(registered.size()), kRegistered);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const FileRow &row = kFiles[i];
        const FileDecl &f = files[i];
        SCOPED_TRACE(row.label);
        EXPECT_EQ(f.label, row.label);
        EXPECT_EQ(f.prefix, row.prefix);
        EXPECT_EQ(f.physicalName, row.physicalName);
        EXPECT_EQ(f.version, row.version);
        EXPECT_EQ(recordBytes(f), row.recordBytes);
        if (i < kRegistered) {
            EXPECT_EQ(registered[int(i)], row.label);
        }
        const bool unmanaged = f.label == "PATHS" || f.label == "ProgramLimit";
        EXPECT_EQ(f.managed, !unmanaged);
    }
}

TEST(DictionaryTables, UpgradeRulesFollowTheirFiles)
{
    const QString stamp = QStringLiteral("^Date^   \u00B7   ^Time^   \u00B7   ^Initials^: ^C^");
    const std::pair<const char *, QString> expected[] = {
        {"Attachments", "Preview=1; Description<ATT:Attachment"},
        {"Customer", "ID=AUTONUMBER; Searchname<CUS:Lastname; Firstname<CUS:Customer; Lastname<CUS:Company"},
        {"CustomerContacts", "ID=AUTONUMBER; Firstname<CUS:Customer; Lastname<CUS:Company"},
        {"CustomerPrograms", "PurchasedCurrency=USD; ContractCurrency=USD"},
        {"EMailEvents", "EMailFormat=Text; EMailPriority=Normal"},
        {"EMailTemplates", "EMailFormat=Text; EMailPriority=Normal"},
        {"EMails", "Status=1; Format=Text; Priority=Normal"},
        {"Parameter", "EMailType=1; EMailServerPort=25; UpdateBugFirstField=Description; Currency=USD; "
                      "Language=English; DateTimeStamp=" +
                          stamp +
                          "; DateTimeStampInsPos=1; Charset=ANSI; "
                          "WFAssignIssue=1; WFCloseIssue=1; WFPromptBeforeClose=1; WFAllowStatusChange=1"},
        {"Print", "Resolution=96; ColorDepth=24bit; PDFFontEmbedding=Use True Types; EMailPriority=Normal"},
        {"Programs", "ID=AUTONUMBER"},
        {"ProgramsAlias", "ID=AUTONUMBER; ID<PRG:ID; P<PRG:P; Sort<PRG:Sort; PrgName<PRG:PrgName; "
                          "Homepage<PRG:Homepage; Status<PRG:Status; Description<PRG:Description"},
        {"WebLinksAlias", "ID<WEB:ID; P<WEB:P; Sort<WEB:Sort; PrgID<WEB:PrgID; Description<WEB:Description; "
                          "Link<WEB:Link; UserName<WEB:UserName; Password<WEB:Password; PIN<WEB:PIN; "
                          "Notes<WEB:Notes"},
    };
    for (const auto &f : tarvoDictionary().files) {
        QString want;
        for (const auto &[label, text] : expected)
            if (f.label == label)
                want = text;
        EXPECT_EQ(rules(f), want) << f.label.toStdString();
    }
}

TEST(DictionaryTables, AutonumberedKeysAreExactlyTheListedOnes)
{
    QStringList numbered;
    for (const auto &f : tarvoDictionary().files)
        for (const auto &k : f.keys)
            if (k.autoNumber)
                numbered << f.prefix + ":" + k.name;
    numbered.sort();
    QStringList expected = {"BUG:KeyID", "PRG:KeyID", "PRG1:KeyID", "CUS:KeyID", "CCO:KeyCID", "FIC:KeyID",
                            "ATT:KeyID", "TIP:KeyID", "MEM:KeyID",  "WEB:KeyID", "WEB1:KeyID"};
    expected.sort();
    EXPECT_EQ(numbered, expected);
}

TEST(DictionaryTables, RelationModesMatchTheRelationsTable)
{
    struct Row {
        const char *parent, *child, *childKey;
        RelationMode update, remove;
    };
    constexpr auto N = RelationMode::None;
    constexpr auto C = RelationMode::Cascade;
    const Row rows[] = {
        {"Programs", "Bugs", "KeyPrgIDGrayCategoryID", N, C},
        {"Releases", "Bugs", "KeyPrgIDVersionGrayCategoryID", C, N},
        {"Print", "EMails", "KEYTYPESORTDATESENDTIMESEND", C, C},
        {"Customer", "Bugs", "KEYREPORTEDBYID", N, N},
        {"Programs", "ProgramsAlias", "KeyID", N, N},
        {"FieldConfig", "FieldConditions", "KeyFieldCondition", C, C},
        {"Attachments", "AttachmentFiles", "KeyID", N, C},
    };
    const auto &rels = tarvoDictionary().relations;
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.parent) + " -> " + row.child);
        auto it = std::find_if(rels.begin(), rels.end(), [&](const RelationDecl &r) {
            return r.parent == row.parent && r.child == row.child && !r.childKey.isEmpty();
        });
        ASSERT_NE(it, rels.end());
        EXPECT_EQ(it->childKey, row.childKey);
        EXPECT_EQ(it->update, row.update);
        EXPECT_EQ(it->remove, row.remove);
    }
    // The registration order of the table: the customer's children first, the web-link alias last.
    EXPECT_EQ(rels.front().child, "CustomerContacts");
    EXPECT_EQ(rels[27].child, "WebLinksAlias");
    EXPECT_TRUE(rels[28].childKey.isEmpty());
}

TEST(DictionaryTables, MailLogOwnersCascadeOnlyToTheirOwnKind)
{
    const auto &rels = tarvoDictionary().relations;
    const std::pair<const char *, const char *> owners[] = {{"Bugs", "0"}, {"MassEMails", "99"}};
    for (const auto &[owner, type] : owners) {
        auto it = std::find_if(rels.begin(), rels.end(), [&](const RelationDecl &r) {
            return r.parent == owner && r.child == "EMails" && !r.childKey.isEmpty();
        });
        ASSERT_NE(it, rels.end()) << owner;
        ASSERT_EQ(it->links.size(), 1u);
        EXPECT_EQ(it->links[0], (std::pair<QString, QString>("ID", "ID")));
        ASSERT_EQ(it->childCondition.size(), 1u) << owner;
        EXPECT_EQ(it->childCondition[0], (std::pair<QString, QString>("Type", type))) << owner;
        EXPECT_EQ(it->remove, RelationMode::Cascade);
    }
    // Report mails are reached by type and sort through the links themselves.
    for (const auto &r : rels) {
        if (r.parent == "Print") {
            EXPECT_TRUE(r.childCondition.empty());
        }
    }
}

TEST(DictionaryTables, IssueLayout)
{
    const FileDecl &bugs = fileOf("Bugs");
    QStringList record, memos;
    int bugTextSize = 0;
    for (const auto &fd : bugs.fields) {
        if (fd.type != FieldType::Memo) {
            record << fd.name;
            continue;
        }
        memos << fd.name + "(" + QString::number(fd.size) + ")";
        if (fd.name == "BugText")
            bugTextSize = fd.size;
    }
    ASSERT_EQ(record.size(), 47);
    EXPECT_EQ(record.mid(0, 6),
              QStringList({"ID", "Identifier", "Category", "PrgName", "PrgID", "Description"}));
    EXPECT_EQ(record.mid(40), QStringList({"AttachCounter", "CreateDate", "CreateTime", "CreatedBy",
                                           "ChangedDate", "ChangedTime", "ChangedBy"}));
    ASSERT_EQ(memos.size(), 18);
    EXPECT_EQ(memos.mid(0, 8),
              QStringList({"EnvironmentText(4096)", "BugText(16384)", "RecreateText(4096)",
                           "WorkaroundText(4096)", "ResolutionText(4096)", "ReleaseNotes(4096)",
                           "VerifiedText(4096)", "TestingText(4096)"}));
    EXPECT_EQ(memos[8], "CustomField1(2048)");
    EXPECT_EQ(memos[17], "CustomField10(2048)");
    EXPECT_EQ(bugTextSize, 16384);

    const KeyDecl &keyId = keyOf(bugs, "KeyID");
    ASSERT_EQ(keyId.components.size(), 1u);
    EXPECT_EQ(keyId.components[0].field, "ID");
    EXPECT_TRUE(keyId.components[0].descending);
    EXPECT_TRUE(keyId.unique && keyId.primary && keyId.autoNumber);
    EXPECT_EQ(bugs.keys.front().name, "KeyID");
    EXPECT_EQ(keyOf(bugs, "KEYREPORTEDBYID").description, "Relation to Customer");
    EXPECT_TRUE(keyOf(bugs, "KeyDynamicIndex").dynamic);
    // Every other fixed key but the two relation keys ends in the issue number, newest first.
    for (const auto &k : bugs.keys) {
        if (k.dynamic || k.name == "KEYREPORTEDBYID" || k.name == "KeyPrioritySort")
            continue;
        EXPECT_EQ(k.components.back().field, "ID") << k.name.toStdString();
        EXPECT_TRUE(k.components.back().descending) << k.name.toStdString();
        EXPECT_EQ(k.unique, k.name == "KeyID") << k.name.toStdString();
    }
}

TEST(DictionaryTables, OtherLayoutsSpotChecked)
{
    const FileDecl &atf = fileOf("AttachmentFiles");
    int blobs = 0;
    for (const auto &fd : atf.fields)
        blobs += fd.type == FieldType::Blob ? 1 : 0;
    EXPECT_EQ(blobs, 1);
    EXPECT_FALSE(keyOf(atf, "KeyID").autoNumber);

    EXPECT_EQ(keyOf(fileOf("EMails"), "KEYTYPESORTDATESENDTIMESEND").description, "Relation to Print");
    EXPECT_TRUE(keyOf(fileOf("Releases"), "KeyPrgIDRelease").components[1].descending);
    EXPECT_TRUE(fileOf("Parameter").keys.empty());
    EXPECT_EQ(fileOf("ProgramLimit").tableName, "ProgLimit");

    const FileDecl &print = fileOf("Print");
    ASSERT_GE(print.fields.size(), 7u);
    EXPECT_EQ(print.fields[6].name, "JPEGQuality");
    ASSERT_EQ(print.rangeChecks.size(), 1u);
    EXPECT_EQ(print.rangeChecks[0].field, "JPEGQuality");
    EXPECT_EQ(print.rangeChecks[0].low, 0);
    EXPECT_EQ(print.rangeChecks[0].high, 100);

    const FileDecl &cup = fileOf("CustomerPrograms");
    for (const auto &fd : cup.fields) {
        if (fd.type == FieldType::Decimal) {
            EXPECT_EQ(fd.places, 2) << fd.name.toStdString();
        }
    }

    const FileDecl &par = fileOf("Parameter");
    EXPECT_EQ(par.fields[31].name, "FIELD1ENABLED");
    EXPECT_EQ(par.fields[35].name, "FIELDCHOICES1");
    EXPECT_EQ(par.fields[35].type, FieldType::CString);
    EXPECT_EQ(par.fields[80].name, "FIELDCHOICES10");
    EXPECT_EQ(par.fields[81].name, "CUSTOMIZE1");
}

TEST(DictionaryTables, InsertDefaults)
{
    const std::pair<const char *, QString> expected[] = {
        {"Attachments", "Preview=2"},
        {"Print", "PRINTTYPE=1; JPEGQuality=100; Resolution=96; EXPORTALLINONEFILE=1; EMailPriority=Normal"},
        {"ReleaseNotes", "LATESTRELEASE=1"},
        {"Parameter", "Language=English"},
        {"MassEMails", "SENDTOALL=1; FORMAT=HTML; PRIORITY=Normal"},
        {"EMailTemplates", "EMailFormat=HTML; EMailPriority=Normal"},
        {"EMailEvents", "Category=1; EMailFormat=HTML; EMailPriority=Normal"},
        {"EMails", "Format=HTML; Priority=Normal"},
    };
    for (const auto &f : tarvoDictionary().files) {
        QStringList got;
        for (const auto &[field, value] : f.insertDefaults)
            got << field + "=" + value;
        QString want;
        for (const auto &[label, text] : expected)
            if (f.label == label)
                want = text;
        EXPECT_EQ(got.join("; "), want) << f.label.toStdString();
    }
}

TEST(DictionaryTables, NewSettingsRecordDefaults)
{
    const auto defaults = parameterDefaults();
    const FileDecl &par = fileOf("Parameter");
    // In stored order, and every name a settings field.
    std::size_t at = 0;
    for (const auto &[field, value] : defaults) {
        while (at < par.fields.size() && par.fields[at].name != field)
            ++at;
        EXPECT_LT(at, par.fields.size()) << field.toStdString();
    }
    const std::vector<std::pair<QString, QString>> expected = {
        {"COLOR", "10485760"},
        {"EMailType", "1"},
        {"EMailServerPort", "25"},
        {"ENABLEEMAIL", "1"},
        {"ASKEMAIL", "1"},
        {"OVERRIDEINSERT", "1"},
        {"INSERTTEXT", "&Add"},
        {"UpdateBugFirstField", "Description"},
        {"Currency", "USD"},
        {"LOCATION", "United States"},
        {"Language", "English"},
        {"DateTimeStampInsPos", "1"},
        {"DateTimeStamp", QStringLiteral("^Date^   \u00B7   ^Time^   \u00B7   ^Initials^: ^C^")},
    };
    EXPECT_EQ(defaults, expected);
}
