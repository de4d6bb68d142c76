#pragma once

class QDialog;
class QDialogButtonBox;
class QPushButton;

namespace tarvo::access {

// The OK and Cancel row every access dialog ends with: OK is the default button, and the two
// buttons carry the control names the rights and the tests know them by.
struct DialogButtons final {
    QDialogButtonBox *box = nullptr;
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
};

// Adds the row to the dialog, wired to its accept and reject.
DialogButtons okCancelButtons(QDialog *dialog);

} // namespace tarvo::access
