#pragma once

#include "issues/ui/subforms/SubFormUser.h"

#include <functional>

namespace tarvo::data {
class Session;
}

namespace tarvo::ui {
class WindowManager;
}

namespace tarvo::issues::ui {

// A list of a window whose record buttons run one of the sub-forms, under this procedure number.
struct SubFormList final {
    int procedure = 0;
    // The row (its number in the file) that a change, view or delete works on; left empty when
    // the list puts its current row into the file's buffer itself.
    std::function<qint64()> currentRow;
};

// The lists of a window that the sub-forms of an issue serve; a list of procedure 0 is not served.
struct IssueSubFormLists final {
    SubFormList notes;
    SubFormList attachments;
    SubFormList responsible;
};

// Registers the note, attachment and responsible-person forms as the called procedures of the
// window (a list window or a form with lists): a change, view or delete works on the list's
// current row, an insert belongs to the owner that `owner` names at that moment, and a list
// window follows the new row when the form closes.
void registerIssueSubForms(tarvo::ui::WindowManager &window, data::Session &session, SubFormUser user,
                           IssueSubFormLists lists, std::function<SubFormOwner()> owner);

} // namespace tarvo::issues::ui
