#pragma once

#include "core/lists/PriorityQueue.h"
#include "core/lists/StatusQueue.h"

#include <QString>

#include <vector>

namespace tarvo::issues {

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
    core::StatusQueue statuses;
    std::vector<core::PriorityQueueEntry> priorities;

    // The row's colour (00BBGGRR); -1 for the list's own.
    qint32 colour(const QString &status, const QString &priority) const;
    // Icon numbers: 4, 5, 6 and 2 for the categories 1 to 4, else 0.
    static int categoryIcon(int category);
    // 3 for a "High" priority, 7 for a "Low" one, in any case; else 0.
    static int priorityIcon(const QString &priority);
};

} // namespace tarvo::issues
