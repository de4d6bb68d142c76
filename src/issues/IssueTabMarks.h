#pragma once

#include "platform/data/Record.h"
#include "platform/runtime/Result.h"

namespace tarvo::data {
class Session;
}

namespace tarvo::issues {

// Which tabs of the issue form hold something, so that their captions can stand out.
struct IssueTabMarks final {
    bool hardware = false;
    bool stepsToRecreate = false;
    bool workaround = false;
    bool stepsToFix = false;
    bool verification = false;
    bool customFields = false;
    bool attachments = false;
    bool notes = false;
    bool history = false;
    bool sentEMails = false;

    bool miscellaneous() const { return notes || history || sentEMails; }

    // The tabs of the issue's own fields.
    static IssueTabMarks ofIssue(const data::Record &issue);
    // The same, and the notes, history and sent e-mails of the issue as stored.
    static Result<IssueTabMarks> read(data::Session &session, const data::Record &issue);
};

} // namespace tarvo::issues
