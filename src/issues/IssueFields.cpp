#include "issues/IssueFields.h"

namespace tarvo::issues {

namespace {

struct Entry {
    const char *picture;
    const char *note = "";
};

// In the record's order; the memos come before them, each shown as "@s255".
const Entry kFields[] = {
    {"n_7"},
    {"s35"},
    {"n3"},
    {"s250", "DO NOT USE!!! THIS FIELD WILL BE DELETED!!!"},
    {"n-14"},
    {"s255"},
    {"s35"},
    {"n3"},
    {"n3"},
    {"s35"},
    {"n3", "Used for sorting by Priority"},
    {"s35"},
    {"s35"},
    {"s35"},
    {"s255"},
    {"s3"},
    {"s35"},
    {"s35"},
    {"s35"},
    {"D017B"},
    {"s100"},
    {"n-14"},
    {"s100"},
    {"n-14"},
    {"D017B"},
    {"s3"},
    {"D017B"},
    {"s35"},
    {"s3"},
    {"D017B"},
    {"s35"},
    {"T08B"},
    {"T08B"},
    {"s35"},
    {"s35"},
    {"s35"},
    {"n3"},
    {"s35"},
    {"s35"},
    {"s35"},
    {"n-14"},
    {"D017B"},
    {"T08B"},
    {"s3"},
    {"D017B"},
    {"T08B"},
    {"s3"},
};

constexpr int kMemos = 18;

QString entry(const QString &picture, const QString &note)
{
    const QChar part(query::RegisteredFile::PartSeparator);
    return u'@' + picture + part + note + part + QChar(query::RegisteredFile::EntryEnd);
}

} // namespace

QString issueFieldInformation()
{
    QString text;
    for (int i = 0; i < kMemos; ++i)
        text += entry(QStringLiteral("s255"), QString());
    for (const Entry &e : kFields)
        text += entry(QLatin1String(e.picture), QLatin1String(e.note));
    return text;
}

Result<query::RegisteredFile> registeredIssues(const data::LayoutPtr &bugsLayout)
{
    return query::RegisteredFile::withFieldInformation(bugsLayout, issueFieldInformation());
}

} // namespace tarvo::issues
