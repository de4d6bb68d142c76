#pragma once

#include "platform/ui/UpdateForm.h"

class QLabel;
class QLineEdit;

namespace tarvo::ui {
class FormList;
}

namespace tarvo::masterdata::ui {

// The form of one condition of a field rule: the value the ruled field must equal, and the
// rows that say which fields then become required or receive which values.
class UpdateFieldConditions final : public tarvo::ui::UpdateForm {
    Q_OBJECT

  public:
    // ruledField: the ruled field that a new condition belongs to.
    UpdateFieldConditions(Context &context, data::Session &session, const QString &ruledField,
                          QObject *parent = nullptr);

    bool open() override;

    QLineEdit *conditionEdit() const { return m_condition; }
    tarvo::ui::FormList *rows() const { return m_rows; }

  private:
    QLabel *m_header = nullptr;
    QLineEdit *m_condition = nullptr;
    tarvo::ui::FormList *m_rows = nullptr;
};

} // namespace tarvo::masterdata::ui
