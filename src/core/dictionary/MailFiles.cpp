#include "core/dictionary/DeclHelpers.h"
#include "core/dictionary/TarvoDictionary.h"

namespace tarvo::core {

using namespace decl;

namespace {
const QString kHtml = QStringLiteral("HTML");
const QString kText = QStringLiteral("Text");
const QString kNormal = QStringLiteral("Normal");
} // namespace

data::FileDecl emailEventsFile()
{
    auto f = file(QStringLiteral("EMailEvents"), QStringLiteral("EME"), QStringLiteral("EMailE.TPS"), 5);
    f.fields = {
        byteField("Category"),           stringField("Description", 255),
        stringField("EventField", 255),  stringField("EventValue", 255),
        byteField("EventInsert"),        stringField("EMailFormat", 35),
        stringField("EMailPriority", 7), stringField("EMailAddress", 255),
        stringField("EMailCC", 255),     stringField("EMailSubject", 255),
        memoField("EMailText", 16384),
    };
    f.keys = {
        key("KeyDescription", {asc("Description")}, Unique | Primary),
        key("KeyEventFieldCategory", {asc("EventField"), asc("Category")}),
    };
    f.insertDefaults = {
        {QStringLiteral("Category"), QStringLiteral("1")},
        {QStringLiteral("EMailFormat"), kHtml},
        {QStringLiteral("EMailPriority"), kNormal},
    };
    // Rules stored before formats and priorities existed were plain-text mails.
    f.setIfNew = {
        {QStringLiteral("EMailFormat"), kText},
        {QStringLiteral("EMailPriority"), kNormal},
    };
    return f;
}

data::FileDecl emailTemplatesFile()
{
    auto f = file(QStringLiteral("EMailTemplates"), QStringLiteral("EMT"), QStringLiteral("EMailT.TPS"), 3);
    f.fields = {
        stringField("TEMPLATE", 255),    stringField("EMAILSUBJECT", 255), stringField("EMailFormat", 35),
        stringField("EMailPriority", 7), memoField("EMailText", 4096),
    };
    f.keys = {key("KeyTemplate", {asc("TEMPLATE")}, Unique | Primary)};
    f.insertDefaults = {
        {QStringLiteral("EMailFormat"), kHtml},
        {QStringLiteral("EMailPriority"), kNormal},
    };
    f.setIfNew = {
        {QStringLiteral("EMailFormat"), kText},
        {QStringLiteral("EMailPriority"), kNormal},
    };
    return f;
}

data::FileDecl emailsFile()
{
    auto f = file(QStringLiteral("EMails"), QStringLiteral("EMA"), QStringLiteral("EMails.TPS"), 4);
    // The owner of a logged mail is ID and Type together: 0 an issue, 99 a mass e-mail, else a report type.
    f.fields = {
        longField("ID"),
        byteField("Type"),
        longField("SORT"),
        stringField("EVENTFIELD", 255),
        stringField("EVENTVALUE", 255),
        byteField("Status"),
        stringField("Format", 35),
        stringField("SUBJECT", 255),
        stringField("ADDRESS", 255),
        stringField("CC", 255),
        stringField("Priority", 7),
        longField("DateSend"),
        longField("TimeSend"),
        stringField("SendBy", 3),
        memoField("Text", 16384),
    };
    f.keys = {
        key("KeyIDTypeDateSendTimeSend", {asc("ID"), asc("Type"), desc("DateSend"), desc("TimeSend")},
            Unique | Primary),
        key("KEYTYPESORTDATESENDTIMESEND", {asc("Type"), asc("SORT"), desc("DateSend"), desc("TimeSend")},
            Duplicates, QStringLiteral("Relation to Print")),
    };
    f.insertDefaults = {
        {QStringLiteral("Format"), kHtml},
        {QStringLiteral("Priority"), kNormal},
    };
    f.setIfNew = {
        {QStringLiteral("Status"), QStringLiteral("1")},
        {QStringLiteral("Format"), kText},
        {QStringLiteral("Priority"), kNormal},
    };
    return f;
}

data::FileDecl massEmailsFile()
{
    auto f = file(QStringLiteral("MassEMails"), QStringLiteral("MEM"), QStringLiteral("MassEMails.TPS"), 1);
    // The group EMAIL (FORMAT, SUBJECT, RECEIPIENTS, PRIORITY) is flattened into its members.
    f.fields = {
        longField("ID"),
        stringField("DESCRIPTION", 255),
        stringField("PRGNAME", 250),
        longField("PRGID"),
        byteField("SENDTOALL"),
        stringField("FORMAT", 35),
        stringField("SUBJECT", 255),
        stringField("RECEIPIENTS", 6192),
        stringField("PRIORITY", 7),
        memoField("Text", 16384),
    };
    f.keys = {
        key("KeyID", {asc("ID")}, Unique | Primary | AutoNumber),
        key("KeyDescription", {asc("DESCRIPTION")}, Unique),
    };
    f.insertDefaults = {
        {QStringLiteral("SENDTOALL"), QStringLiteral("1")},
        {QStringLiteral("FORMAT"), kHtml},
        {QStringLiteral("PRIORITY"), kNormal},
    };
    return f;
}

} // namespace tarvo::core
