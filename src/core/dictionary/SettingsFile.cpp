#include "core/dictionary/DeclHelpers.h"
#include "core/dictionary/TarvoDictionary.h"

namespace tarvo::core {

using namespace decl;

namespace {

// Three blanks on each side of each middle dot. The cursor mark is part of it: a stamp without
// one is refused, so a new folder's stamp button would never work.
QString defaultDateTimeStamp()
{
    const QString dot = QStringLiteral("   ") + QChar(0x00B7) + QStringLiteral("   ");
    return QStringLiteral("^Date^") + dot + QStringLiteral("^Time^") + dot +
           QStringLiteral("^Initials^: ^C^");
}

} // namespace

data::FileDecl parameterFile()
{
    // One record shared by every user of a data folder; it has no key.
    auto f = file(QStringLiteral("Parameter"), QStringLiteral("PAR"), QStringLiteral("Para.TPS"), 19);
    // The groups EMAILS, WORKFLOW, CUSTOMFIELDS and WINDOWCUSTOMIZATION are flattened into their members.
    f.fields = {
        longField("COLOR"),
        byteField("EMailType"),
        stringField("EMAILSERVER", 80),
        ushortField("EMailServerPort"),
        stringField("EMAILAUTHUSER", 255),
        stringField("EMAILAUTHPASSWORD", 255),
        byteField("ENABLEEMAIL"),
        byteField("ENABLEEMAILMASSUPDATE"),
        byteField("ASKEMAIL"),
        byteField("MODIFYEMAIL"),
        byteField("OVERRIDEINSERT"),
        stringField("INSERTTEXT", 35),
        byteField("OVERRIDECHANGE"),
        stringField("CHANGETEXT", 35),
        byteField("OVERRIDEDELETE"),
        stringField("DELETETEXT", 35),
        stringField("UpdateBugFirstField", 35),
        byteField("DISABLEVERSIONINSERT"),
        byteField("DISABLEHISTORY"),
        stringField("Currency", 3),
        stringField("LOCATION", 50),
        stringField("Language", 35),
        byteField("DateTimeStampInsPos"),
        stringField("Charset", 35),
        stringField("CUSTOMERREGCODEPROGRAM", 512),
        byteField("WFENABLE"),
        byteField("WFAssignIssue"),
        byteField("WFALLOWCHANGE"),
        byteField("WFCloseIssue"),
        byteField("WFPromptBeforeClose"),
        byteField("WFAllowStatusChange"),
    };
    // Ten custom-field definitions of five fields each, numbered 1..10 in their names.
    for (int i = 1; i <= 10; ++i) {
        const QString n = QString::number(i);
        f.fields.push_back(byteField(QStringLiteral("FIELD") + n + QStringLiteral("ENABLED")));
        f.fields.push_back(stringField(QStringLiteral("FIELD") + n, 35));
        f.fields.push_back(stringField(QStringLiteral("FIELDTYPE") + n, 20));
        f.fields.push_back(byteField(QStringLiteral("FIELDLEN") + n));
        f.fields.push_back(cstringField(QStringLiteral("FIELDCHOICES") + n, 1024));
    }
    f.fields.push_back(stringField("CUSTOMIZE1", 35));
    f.fields.push_back(memoField("DateTimeStamp", 256));
    f.fields.push_back(memoField("CustomerSources", 512));
    f.fields.push_back(memoField("FunctionList", 2048));

    f.insertDefaults = {{QStringLiteral("Language"), QStringLiteral("English")}};
    const QString one = QStringLiteral("1");
    f.setIfNew = {
        {QStringLiteral("EMailType"), one},
        {QStringLiteral("EMailServerPort"), QStringLiteral("25")},
        {QStringLiteral("UpdateBugFirstField"), QStringLiteral("Description")},
        {QStringLiteral("Currency"), QStringLiteral("USD")},
        {QStringLiteral("Language"), QStringLiteral("English")},
        {QStringLiteral("DateTimeStamp"), defaultDateTimeStamp()},
        {QStringLiteral("DateTimeStampInsPos"), one},
        {QStringLiteral("Charset"), QStringLiteral("ANSI")},
        {QStringLiteral("WFAssignIssue"), one},
        {QStringLiteral("WFCloseIssue"), one},
        {QStringLiteral("WFPromptBeforeClose"), one},
        {QStringLiteral("WFAllowStatusChange"), one},
    };
    return f;
}

std::vector<std::pair<QString, QString>> parameterDefaults()
{
    const QString one = QStringLiteral("1");
    return {
        {QStringLiteral("COLOR"), QString::number(0x00A00000)}, // a dark blue as 00BBGGRR
        {QStringLiteral("EMailType"), one},
        {QStringLiteral("EMailServerPort"), QStringLiteral("25")},
        {QStringLiteral("ENABLEEMAIL"), one},
        {QStringLiteral("ASKEMAIL"), one},
        {QStringLiteral("OVERRIDEINSERT"), one},
        {QStringLiteral("INSERTTEXT"), QStringLiteral("&Add")},
        {QStringLiteral("UpdateBugFirstField"), QStringLiteral("Description")},
        {QStringLiteral("Currency"), QStringLiteral("USD")},
        {QStringLiteral("LOCATION"), QStringLiteral("United States")},
        {QStringLiteral("Language"), QStringLiteral("English")},
        // Without a place the stamp goes nowhere.
        {QStringLiteral("DateTimeStampInsPos"), one},
        {QStringLiteral("DateTimeStamp"), defaultDateTimeStamp()},
    };
}

} // namespace tarvo::core
