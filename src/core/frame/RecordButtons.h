#pragma once

#include <QString>

#include <array>

namespace tarvo::core {

// The record buttons that every list and form shares with the Navigation and Update toolbars.
// A toolbar press reaches the active window as the accepted event of the button's object name.
struct RecordButton final {
    int number;
    const char *objectName;
    const char *tip;
};

// In the order of the saved states: 3001, 3002, 3003, 3005 ... 3010.
constexpr std::array<RecordButton, 9> RecordButtons{{
    {3001, "TOOLBAR:INSERT", "Insert Record"},
    {3002, "TOOLBAR:CHANGE", "Change Record"},
    {3003, "TOOLBAR:DELETE", "Delete Record"},
    {3005, "TOOLBAR:BOTTOM", "Go to Last Record"},
    {3006, "TOOLBAR:TOP", "Go to First Record"},
    {3007, "TOOLBAR:PAGEDOWN", "Go to Next Page"},
    {3008, "TOOLBAR:PAGEUP", "Go to Prior Page"},
    {3009, "TOOLBAR:DOWN", "Go to Next Record"},
    {3010, "TOOLBAR:UP", "Go to Prior Record"},
}};

// The index of a record button in RecordButtons by number or object name; -1 when none.
int recordButtonIndex(int number);
int recordButtonIndex(const QString &objectName);

// The disabled state of each record button, in the order of RecordButtons.
using RecordButtonStates = std::array<bool, RecordButtons.size()>;

} // namespace tarvo::core
