#pragma once

#include "platform/ui/UpdateForm.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvo::ui {
class FormList;
}

namespace tarvo::masterdata::ui {

// The form of one field rule: the ruled issue field, whether it is required, forced to its list
// or kept out of the mass update, its default value, and the list of its conditions.
class UpdateFieldConfig final : public tarvo::ui::UpdateForm {
    Q_OBJECT

  public:
    UpdateFieldConfig(Context &context, data::Session &session, QObject *parent = nullptr);

    bool open() override;

    // The "Select field..." buttons: the ruled field, and a special value for the default.
    void pickField();
    void pickDefault();

    QCheckBox *requiredBox() const { return m_required; }
    QCheckBox *forceBox() const { return m_force; }
    QCheckBox *noMassUpdateBox() const { return m_noMassUpdate; }
    QLineEdit *defaultEdit() const { return m_default; }
    QPushButton *pickFieldButton() const { return m_pickField; }
    QPushButton *pickDefaultButton() const { return m_pickDefault; }
    tarvo::ui::FormList *conditions() const { return m_conditions; }

  private:
    QString ruledField();
    void fieldChosen();
    // A new rule left with Cancel leaves no conditions behind for a field that has no rule.
    Result<void> dropNewConditions();

    QLabel *m_field = nullptr;
    QPushButton *m_pickField = nullptr;
    QCheckBox *m_required = nullptr;
    QCheckBox *m_force = nullptr;
    QLineEdit *m_default = nullptr;
    QPushButton *m_pickDefault = nullptr;
    QCheckBox *m_noMassUpdate = nullptr;
    QLabel *m_header = nullptr;
    tarvo::ui::FormList *m_conditions = nullptr;
};

} // namespace tarvo::masterdata::ui
