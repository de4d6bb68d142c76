#pragma once

#include "masterdata/ui/programs/ProgramEntryForm.h"

class QLineEdit;

namespace tarvo::masterdata::ui {

// The form of one release of a program: refuses a second release of the same text for the
// program and offers a calendar for the release date.
class UpdateProgramRelease final : public ProgramEntryForm {
    Q_OBJECT

  public:
    UpdateProgramRelease(Context &context, data::Session &session, QObject *parent = nullptr);

    void takeAccepted(const QString &controlName) override;

  private:
    bool checkDuplicate(data::Record &release);

    QLineEdit *m_release = nullptr;
    QLineEdit *m_date = nullptr;
};

} // namespace tarvo::masterdata::ui
