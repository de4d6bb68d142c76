#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <optional>

class QGridLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace tarvo::data {
class Record;
class Session;
} // namespace tarvo::data
namespace tarvo::ui {
class FormList;
class UpdateForm;
} // namespace tarvo::ui

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

    // The leading key values of the rows a list shows when it is read; none: it shows no rows.
    using Range = std::function<std::optional<QVariantList>()>;
    using Cells = std::function<QStringList(const data::Record &row)>;
    // A list of the rows of a rule file in the order of its key `keyName`, with the Insert,
    // Change and Delete buttons; a row is made the current record of its file before a change
    // or delete.
    static tarvo::ui::FormList *rowList(data::Session &session, const QString &name,
                                        const QStringList &headers, const QString &label,
                                        const QString &keyName, Range range, Cells cells);
};

} // namespace tarvo::masterdata::ui
