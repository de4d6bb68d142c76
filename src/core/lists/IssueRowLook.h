#pragma once

#include "core/lists/PriorityQueue.h"
#include "core/lists/StatusQueue.h"
#include "platform/runtime/Result.h"

#include <QString>

#include <vector>

namespace tarvo::data {
class Session;
}

namespace tarvo::core {

class AccessServices;

// How a row of the issue list looks: the icons of its category and priority and its colour by the
// user's colour mode, from the window's status list and the priorities.
struct IssueRowLook final {
    // Colour modes of the user setting "Color Mode".
    static constexpr int ByStatus = 1;
    static constexpr int ByPriority = 2;
    static constexpr int Black = 3;
    static constexpr int ByPriorityAndStatus = 4;

    int colorMode = ByStatus;
    bool workflowOn = false;
    StatusQueue statuses;
    std::vector<PriorityQueueEntry> priorities;

    // The look an issue list of the logged-in user's window takes: the colour mode from the user's
    // "User.ini", the workflow switch, the statuses of the program (forCurrentIssue: of the thread's
    // issue's program) and, for the priority modes, the priorities. A list that cannot be read is returned
    // as the error, with the look read so far.
    static Result<void> read(IssueRowLook &look, const QString &userIniPath, qint32 programId,
                             bool forCurrentIssue, data::Session &session, AccessServices &access);

    // The row's colour (00BBGGRR); -1 for the list's own.
    qint32 colour(const QString &status, const QString &priority) const;
    // Icon numbers: 4, 5, 6 and 2 for the categories 1 to 4, else 0.
    static int categoryIcon(int category);
    // 3 for a "High" priority, 7 for a "Low" one, in any case; else 0.
    static int priorityIcon(const QString &priority);
};

} // namespace tarvo::core
