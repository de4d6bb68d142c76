#pragma once

#include "platform/data/Record.h"
#include "platform/runtime/Picture.h"
#include "platform/runtime/Result.h"

#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <optional>

namespace tarvo::ui {

// One field of a form: the record field that a control edits, found once by its name, the
// picture it is shown with and the rules its value must keep.
class FormField final {
  public:
    // For a control that the form cannot show a value in by itself (a group of radio buttons):
    // shows a stored value, and reads the control back as a value to store.
    using Shows = std::function<void(QWidget *control, const QVariant &value)>;
    using Takes = std::function<QVariant(const QWidget *control)>;

    // Code of an entry that does not fit the field's picture.
    static constexpr int InvalidEntry = 17;

    // A field of no file (a null layout or an index of -1) stands for a name that was not
    // found: it binds nothing and shows and takes nothing.
    FormField(data::LayoutPtr layout, int index, QWidget *control);
    bool isValid() const { return m_layout && m_index >= 0 && m_index < m_layout->fieldCount(); }

    // The rules, set in the form's table of fields.
    FormField &required(bool on = true);
    FormField &range(double low, double high);
    // In place of the picture the field is declared with.
    FormField &picture(const QString &picture);
    FormField &accessors(Shows shows, Takes takes);

    int index() const { return m_index; }
    // The field's full label ("BUG:Status").
    QString name() const;
    QWidget *control() const { return m_control; }
    bool isRequired() const { return m_required; }
    const std::optional<std::pair<double, double>> &rangeLimits() const { return m_range; }
    const QString &pictureText() const { return m_pictureText; }

    // True when the form knows how to show and read the control.
    bool isBindable() const;
    void show(const data::Record &record) const;
    // The control's content into the record; InvalidEntry (with the entered text as message) when
    // it does not fit the picture. Display-only controls take nothing.
    Result<void> take(data::Record &record) const;
    // Empty as a required field sees it: blank text, or zero for numbers, dates and times.
    bool isEmptyIn(const data::Record &record) const;
    bool isInRange(const data::Record &record) const;
    // Read-only or disabled, as the kind of control allows, or editable again.
    void setEditable(bool editable) const;

  private:
    void applyWidth() const;
    QString display(const QVariant &value) const;

    data::LayoutPtr m_layout;
    int m_index;
    QPointer<QWidget> m_control;
    QString m_pictureText;
    Picture m_picture;
    bool m_required = false;
    std::optional<std::pair<double, double>> m_range;
    Shows m_shows;
    Takes m_takes;
};

} // namespace tarvo::ui
