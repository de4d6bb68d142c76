#pragma once

#include "issues/ui/subforms/SubFormUser.h"

#include <functional>

namespace tarvo::data {
class Session;
}

namespace tarvo::listext::ui {
class BrowseList;
class ListWindow;
} // namespace tarvo::listext::ui

namespace tarvo::issues::ui {

// A list of a window whose record buttons run one of the sub-forms, under this procedure number.
struct SubFormList final {
    int procedure = 0;
    listext::ui::BrowseList *list = nullptr;
};

// The lists of a window that the sub-forms of an issue serve; a list left null is not served.
struct IssueSubFormLists final {
    SubFormList notes;
    SubFormList attachments;
    SubFormList responsible;
};

// Registers the note, attachment and responsible-person forms as the called procedures of the
// window's lists: a change, view or delete works on the list's current row, an insert belongs to
// the owner that `owner` names at that moment, and the list follows a new row when it closes.
void registerIssueSubForms(listext::ui::ListWindow &window, data::Session &session, SubFormUser user,
                           IssueSubFormLists lists, std::function<SubFormOwner()> owner);

} // namespace tarvo::issues::ui
