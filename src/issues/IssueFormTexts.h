#pragma once

#include "issues/IssueSave.h"

#include <QString>

namespace tarvo::issues {

// The texts the issue form shows about its issue: the caption and the created and changed lines.
class IssueFormTexts final {
  public:
    // "<program> - <Add|Change|View> <Bug|Feature|Support|To-Do>...", the second part translated.
    static QString caption(const QString &programName, IssueRequest request, int category);
    // "Created by JDO at <date> - <time>" (or "Changed by"), the words translated.
    static QString stampLine(const QString &words, const QString &initials, qint64 date, qint64 time);
    // The issue's created and changed lines; empty while the issue keeps no such stamp.
    static QString createdLine(const data::Record &issue);
    static QString changedLine(const data::Record &issue);
};

} // namespace tarvo::issues
