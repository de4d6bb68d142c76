#include "core/dictionary/DeclHelpers.h"
#include "core/dictionary/TarvoDictionary.h"

namespace tarvo::core {

using namespace decl;

data::FileDecl bugsFile()
{
    auto f = file(QStringLiteral("Bugs"), QStringLiteral("BUG"), QStringLiteral("Bugs.TPS"), 19);
    f.fields = {
        longField("ID"),
        stringField("Identifier", 35),
        byteField("Category"),
        stringField("PrgName", 250),
        longField("PrgID"),
        stringField("Description", 255),
        stringField("Status", 35),
        byteField("StatusSort"),
        byteField("Gray"),
        stringField("Priority", 35),
        byteField("PrioritySort"),
        stringField("Severity", 35),
        stringField("Classification", 35),
        stringField("Version", 35),
        stringField("Programfile", 255),
        stringField("Responsible", 3),
        stringField("AllResponsiblePersons", 35),
        stringField("EstTime", 35),
        stringField("ActTime", 35),
        longField("DueDate"),
        stringField("ReportedBy", 100),
        longField("ReportedByID"),
        stringField("ReportedByContact", 100),
        longField("ReportedByCID"),
        longField("ReportedDate"),
        stringField("FixedBy", 3),
        longField("FixedDate"),
        stringField("FixedVersion", 35),
        stringField("VerifiedBy", 3),
        longField("VerifiedDate"),
        stringField("VerifiedVersion", 35),
        longField("StartTime"),
        longField("EndTime"),
        stringField("Hardware", 35),
        stringField("OperatingSystem", 35),
        stringField("OperatingSystemServicePack", 35),
        byteField("Network"),
        stringField("NetworkType", 35),
        stringField("Reproducible", 35),
        stringField("Resolution", 35),
        longField("AttachCounter"),
        longField("CreateDate"),
        longField("CreateTime"),
        stringField("CreatedBy", 3),
        longField("ChangedDate"),
        longField("ChangedTime"),
        stringField("ChangedBy", 3),
        memoField("EnvironmentText", 4096),
        memoField("BugText", 16384),
        memoField("RecreateText", 4096),
        memoField("WorkaroundText", 4096),
        memoField("ResolutionText", 4096),
        memoField("ReleaseNotes", 4096),
        memoField("VerifiedText", 4096),
        memoField("TestingText", 4096),
    };
    // The ten custom-field values are one memo each, CustomField1..CustomField10.
    for (int i = 1; i <= 10; ++i)
        f.fields.push_back(memoField(QStringLiteral("CustomField%1").arg(i), 2048));
    // The text search looks into every text field and memo.
    for (const data::FieldDecl &field : f.fields)
        if (field.type == FieldType::String || field.type == FieldType::Memo)
            f.textIndex << field.name;

    // Every key but the last three ends in the issue number descending, so the newest issue comes first.
    f.keys = {
        key("KeyID", {desc("ID")}, Unique | Primary | AutoNumber),
        key("KeyGrayID", {asc("Gray"), desc("ID")}),
        key("KeyCategoryID", {asc("Category"), desc("ID")}),
        key("KeyGrayCategoryID", {asc("Gray"), asc("Category"), desc("ID")}),
        key("KeyPrgIDCategoryID", {asc("PrgID"), asc("Category"), desc("ID")}),
        key("KeyPrgIDGrayCategoryID", {asc("PrgID"), asc("Gray"), asc("Category"), desc("ID")}),
        key("KeyPrgIDVersionCategoryID", {asc("PrgID"), asc("Version"), asc("Category"), desc("ID")}),
        key("KeyPrgIDVersionGrayCategoryID",
            {asc("PrgID"), asc("Version"), asc("Gray"), asc("Category"), desc("ID")}),
        key("KeyPrgIDProgramfileCategoryID", {asc("PrgID"), asc("Programfile"), asc("Category"), desc("ID")}),
        key("KeyPrgIDProgramfileGrayCategoryID",
            {asc("PrgID"), asc("Programfile"), asc("Gray"), asc("Category"), desc("ID")}),
        key("KeyPrgIDID", {asc("PrgID"), desc("ID")}),
        key("KeyPrgIDGrayID", {asc("PrgID"), asc("Gray"), desc("ID")}),
        key("KeyPrgIDVersionID", {asc("PrgID"), asc("Version"), desc("ID")}),
        key("KeyPrgIDVersionGrayID", {asc("PrgID"), asc("Version"), asc("Gray"), desc("ID")}),
        key("KeyPrgIDProgramfileID", {asc("PrgID"), asc("Programfile"), desc("ID")}),
        key("KeyPrgIDProgramfileGrayID", {asc("PrgID"), asc("Programfile"), asc("Gray"), desc("ID")}),
        key("KEYREPORTEDBYID", {asc("ReportedByID")}, Duplicates, QStringLiteral("Relation to Customer")),
        key("KeyPrioritySort", {asc("PrioritySort")}),
        key("KeyDynamicIndex", {}),
    };
    f.keys.back().dynamic = true;
    return f;
}

data::FileDecl historyFile()
{
    auto f = file(QStringLiteral("History"), QStringLiteral("HIS"), QStringLiteral("History.TPS"), 1);
    f.fields = {
        longField("ID"),
        stringField("FIELD", 50),
        cstringField("FORMAT", 36),
        longField("DATE"),
        longField("TIME"),
        stringField("INITIALS", 3),
        memoField("Contents_Old", 16384),
        memoField("Contents_New", 16384),
    };
    f.keys = {key("KeyIDDateTime", {asc("ID"), desc("DATE"), desc("TIME")})};
    return f;
}

data::FileDecl notesFile()
{
    auto f = file(QStringLiteral("Notes"), QStringLiteral("NOTE"), QStringLiteral("Notes.TPS"), 1);
    f.fields = {
        longField("ID"),          longField("PrgID"),       stringField("Status", 35),
        longField("CreatedDate"), longField("CreatedTime"), stringField("CREATEDBY", 3),
        longField("CHANGEDDATE"), longField("CHANGEDTIME"), stringField("CHANGEDBY", 3),
        memoField("Note", 4096),
    };
    f.keys = {
        key("KeyIDCreatedDateCreatedTime", {asc("ID"), desc("CreatedDate"), desc("CreatedTime")}),
        key("KeyPrgIDCreatedDateCreatedTime", {asc("PrgID"), desc("CreatedDate"), desc("CreatedTime")}),
    };
    return f;
}

data::FileDecl bugsResponsibleFile()
{
    auto f =
        file(QStringLiteral("BugsResponsible"), QStringLiteral("BUR"), QStringLiteral("BugsResp.TPS"), 0);
    f.fields = {
        longField("ID"),
        stringField("RESPONSIBLE", 3),
        stringField("RESPONSIBLEFUNCTION", 35),
    };
    f.keys = {key("KeyIDResponsible", {asc("ID"), asc("RESPONSIBLE")}, Unique | Primary)};
    return f;
}

data::FileDecl attachmentsFile()
{
    auto f = file(QStringLiteral("Attachments"), QStringLiteral("ATT"), QStringLiteral("Attach.TPS"), 5);
    f.fields = {
        longField("ID"),
        longField("BUGID"),
        longField("PrgID"),
        stringField("Description", 250),
        longField("Date"),
        stringField("Attachment", 255),
        byteField("Preview"),
        longField("CREATEDATE"),
        stringField("CREATEDBY", 3),
        longField("CHANGEDDATE"),
        stringField("CHANGEDBY", 3),
        memoField("Notes", 4096),
    };
    f.keys = {
        key("KeyID", {asc("ID")}, Unique | Primary | AutoNumber),
        key("KeyBugIDDescription", {asc("BUGID"), asc("Description")}),
        key("KeyBugIDDate", {asc("BUGID"), desc("Date")}),
        key("KeyPrgIDDescription", {asc("PrgID"), asc("Description")}),
        key("KeyPrgIDDate", {asc("PrgID"), desc("Date")}),
    };
    f.insertDefaults = {{QStringLiteral("Preview"), QStringLiteral("2")}};
    f.alternateNames = {{QStringLiteral("Description"), QStringLiteral("ATT:Attachment")}};
    f.setIfNew = {{QStringLiteral("Preview"), QStringLiteral("1")}};
    return f;
}

data::FileDecl attachmentFilesFile()
{
    auto f = file(QStringLiteral("AttachmentFiles"), QStringLiteral("ATF"), QStringLiteral("AttachF.TPS"), 0);
    f.fields = {
        longField("ID"),
        blobField("ATTACHEDFILE"),
    };
    // Takes the number of its attachment, so the key is not numbered.
    f.keys = {key("KeyID", {asc("ID")}, Unique | Primary)};
    return f;
}

} // namespace tarvo::core
