#pragma once

#include "platform/ui/UpdateForm.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvo::masterdata::ui {

// The form of one consequence of a field-rule condition: the target field, whether it becomes
// required or must be picked from its list, and the value it receives.
class UpdateFieldSetValue final : public tarvo::ui::UpdateForm {
    Q_OBJECT

  public:
    // condition: the number of the condition a new row belongs to.
    UpdateFieldSetValue(Context &context, data::Session &session, qint64 condition,
                        QObject *parent = nullptr);

    bool open() override;

    // The "Select field..." buttons: the target field, and a special value for the value.
    void pickField();
    void pickValue();
    // "Required" changed by the user.
    void requiredChanged();

    QCheckBox *requiredBox() const { return m_required; }
    QCheckBox *forceBox() const { return m_force; }
    QLineEdit *valueEdit() const { return m_value; }
    QPushButton *pickFieldButton() const { return m_pickField; }
    QPushButton *pickValueButton() const { return m_pickValue; }

  private:
    void showValueControls();

    QLabel *m_field = nullptr;
    QCheckBox *m_required = nullptr;
    QCheckBox *m_force = nullptr;
    QLabel *m_valuePrompt = nullptr;
    QLineEdit *m_value = nullptr;
    QPushButton *m_pickField = nullptr;
    QPushButton *m_pickValue = nullptr;
};

} // namespace tarvo::masterdata::ui
