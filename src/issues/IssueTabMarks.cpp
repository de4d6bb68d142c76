#include "issues/IssueTabMarks.h"

#include "issues/DeclaredFile.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/View.h"
#include "platform/runtime/Text.h"

namespace tarvo::issues {

namespace {

bool anyFilled(const data::Record &issue, std::initializer_list<const char *> fields)
{
    for (const char *field : fields) {
        const QVariant value = issue.value(QString::fromLatin1(field));
        const bool filled = value.typeId() == QMetaType::QString ? !Text::clip(value.toString()).isEmpty()
                                                                 : value.toLongLong() != 0;
        if (filled)
            return true;
    }
    return false;
}

Result<bool> hasRows(data::Session &session, const QString &label, const QString &key,
                     const QVariantList &range)
{
    auto file = declaredFile(session, label);
    if (!file)
        return file.error();
    data::View view(**file, key);
    view.setRange(range);
    auto first = view.first();
    if (!first)
        return first.error();
    return first->has_value();
}

} // namespace

IssueTabMarks IssueTabMarks::ofIssue(const data::Record &issue)
{
    IssueTabMarks m;
    m.hardware = anyFilled(issue, {"Hardware", "OperatingSystem", "OperatingSystemServicePack", "NetworkType",
                                   "Network", "EnvironmentText"});
    m.stepsToRecreate = anyFilled(issue, {"RecreateText", "Reproducible"});
    m.workaround = anyFilled(issue, {"WorkaroundText"});
    m.stepsToFix = anyFilled(issue, {"ResolutionText", "Resolution", "ReleaseNotes"});
    m.verification = anyFilled(issue, {"TestingText", "VerifiedText"});
    m.customFields =
        anyFilled(issue, {"CustomField1", "CustomField2", "CustomField3", "CustomField4", "CustomField5",
                          "CustomField6", "CustomField7", "CustomField8", "CustomField9", "CustomField10"});
    m.attachments = issue.integer(QStringLiteral("AttachCounter")) != 0;
    return m;
}

Result<IssueTabMarks> IssueTabMarks::read(data::Session &session, const data::Record &issue)
{
    IssueTabMarks m = ofIssue(issue);
    const QVariant id = issue.value(QStringLiteral("ID"));
    auto notes =
        hasRows(session, QStringLiteral("Notes"), QStringLiteral("KeyIDCreatedDateCreatedTime"), {id});
    auto history = hasRows(session, QStringLiteral("History"), QStringLiteral("KeyIDDateTime"), {id});
    auto mails =
        hasRows(session, QStringLiteral("EMails"), QStringLiteral("KeyIDTypeDateSendTimeSend"), {id, 0});
    for (const auto *r : {&notes, &history, &mails}) {
        if (!*r)
            return r->error();
    }
    m.notes = *notes;
    m.history = *history;
    m.sentEMails = *mails;
    return m;
}

} // namespace tarvo::issues
