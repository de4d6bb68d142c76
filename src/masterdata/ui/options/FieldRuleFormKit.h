#pragma once

#include <QString>

class QGridLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace tarvo::ui {
class UpdateForm;
}

namespace tarvo::masterdata::ui {

// What the three field-rule forms share: their window with one tab "General" and OK / Cancel,
// their title for the request, the ruled field drawn in the display colour, and the rule that
// enables the forced selection or the special-value picker for the chosen field.
class FieldRuleFormKit final {
  public:
    struct Frame final {
        QWidget *window = nullptr;
        QGridLayout *general = nullptr;
        QPushButton *ok = nullptr;
        QPushButton *cancel = nullptr;
    };
    // The window of the form, named after it, set as the form's window.
    static Frame frame(tarvo::ui::UpdateForm &form, const QString &name);
    static void setTitle(tarvo::ui::UpdateForm &form);
    static QString translated(const char *text);
    // A label showing a field name in the settings' display colour.
    static QLabel *fieldLabel(const QString &name);
    // "<field> equals to..."
    static QString equalsTo(const QString &field);
    static void applyOptionRule(const QString &field, QWidget *forceSelection, QWidget *pickValue);
    static QPushButton *selectFieldButton(const QString &name);
};

} // namespace tarvo::masterdata::ui
