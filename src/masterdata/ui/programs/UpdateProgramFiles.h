#pragma once

#include "masterdata/ui/programs/ProgramEntryForm.h"

#include <functional>

class QComboBox;
class QLineEdit;

namespace tarvo::masterdata::ui {

// The form of one program file: refuses a second entry of the same file for the program, lets
// the user pick the file, offers the program's releases for "Since Version" and opens the
// release form for a release typed there that the program does not have yet.
class UpdateProgramFiles final : public ProgramEntryForm {
    Q_OBJECT

  public:
    // The file dialog: the chosen file with its path, or an empty text when cancelled.
    using ChooseFile = std::function<QString(QWidget *window, const QString &current)>;
    // The release form for a new release, window-modal to the form; runs done when it has closed.
    using AddRelease = std::function<void(QWidget *window, std::function<void()> done)>;

    UpdateProgramFiles(Context &context, data::Session &session, QObject *parent = nullptr);

    void takeAccepted(const QString &controlName) override;
    // The seams for tests: the real dialog and the real release form when not set.
    static void setFileChooser(ChooseFile chooser);
    void setAddRelease(AddRelease addRelease) { m_addRelease = std::move(addRelease); }

  private:
    void fillReleases();
    void offerNewRelease();
    bool checkDuplicate(data::Record &file);

    QLineEdit *m_file = nullptr;
    QComboBox *m_since = nullptr;
    AddRelease m_addRelease;
    bool m_accepting = false;
};

} // namespace tarvo::masterdata::ui
