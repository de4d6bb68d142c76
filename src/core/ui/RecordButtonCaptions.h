#pragma once

class QWidget;

namespace tarvo::data {
class Record;
}

namespace tarvo::core::ui {

// The settings may give every Insert, Change and Delete button of a list a caption of their own
// (PAR:OverrideInsert with PAR:InsertText, and so on). Applied after the window is translated, so
// the settings' text stays as written.
void applyRecordButtonCaptions(QWidget *window, const data::Record &settings);

} // namespace tarvo::core::ui
