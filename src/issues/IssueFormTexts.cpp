#include "issues/IssueFormTexts.h"

#include "platform/runtime/Picture.h"
#include "platform/runtime/Text.h"
#include "platform/runtime/Translator.h"

namespace tarvo::issues {

QString IssueFormTexts::caption(const QString &programName, IssueRequest request, int category)
{
    static const char *const categories[] = {" Bug...", " Feature...", " Support...", " To-Do..."};
    QString word;
    if (request == IssueRequest::Insert)
        word = QStringLiteral("Add");
    else if (request == IssueRequest::Change)
        word = QStringLiteral("Change");
    else if (request == IssueRequest::View)
        word = QStringLiteral("View");
    if (category >= 1 && category <= 4)
        word += QString::fromLatin1(categories[category - 1]);
    return Text::clip(programName) + QStringLiteral(" - ") + Translator::instance().translate(word);
}

QString IssueFormTexts::stampLine(const QString &words, const QString &initials, qint64 date, qint64 time)
{
    const Translator &t = Translator::instance();
    return t.translate(words) + QLatin1Char(' ') + Text::clip(initials) + QLatin1Char(' ') +
           t.translate(QStringLiteral("at")) + QLatin1Char(' ') +
           Picture::format(date, QStringLiteral("@D017B")) + QStringLiteral(" - ") +
           Picture::format(time, QStringLiteral("@T08B"));
}

QString IssueFormTexts::createdLine(const data::Record &issue)
{
    if (issue.integer(QStringLiteral("CreateDate")) == 0)
        return {};
    return stampLine(QStringLiteral("Created by"), issue.text(QStringLiteral("CreatedBy")),
                     issue.integer(QStringLiteral("CreateDate")),
                     issue.integer(QStringLiteral("CreateTime")));
}

QString IssueFormTexts::changedLine(const data::Record &issue)
{
    // An issue nobody changed yet has no changed line, rather than "Changed by  at  - ".
    if (issue.integer(QStringLiteral("ChangedDate")) == 0)
        return {};
    return stampLine(QStringLiteral("Changed by"), issue.text(QStringLiteral("ChangedBy")),
                     issue.integer(QStringLiteral("ChangedDate")),
                     issue.integer(QStringLiteral("ChangedTime")));
}

} // namespace tarvo::issues
