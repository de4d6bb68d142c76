#pragma once

#include "platform/ui/UpdateForm.h"

#include <QPointer>

class QComboBox;

namespace tarvo::masterdata::ui {

// The form of one purchase of a program by the customer in the thread's customer buffer: the
// program, the purchase, the support contract and notes, and the button that starts the
// settings' program for customer programs with this purchase filled in.
class UpdateCustomerPrograms final : public tarvo::ui::UpdateForm {
    Q_OBJECT
  public:
    UpdateCustomerPrograms(Context &context, data::Session &session, QObject *parent = nullptr);

    bool open() override;
    QComboBox *programChoice() const { return m_program; }
    // The settings' program for customer programs with this purchase; a failure is shown and
    // the form stays open.
    void runCommand();

  private:
    void chooseProgram(int index);
    void fillChoices();

    QPointer<QComboBox> m_program;
    QPointer<QComboBox> m_contractType;
    QPointer<QComboBox> m_period;
};

} // namespace tarvo::masterdata::ui
