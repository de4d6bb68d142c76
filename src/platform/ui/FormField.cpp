#include "platform/ui/FormField.h"

#include "platform/runtime/Text.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextEdit>

namespace tarvo::ui {

namespace {

bool isTextType(data::FieldType type)
{
    return type == data::FieldType::String || type == data::FieldType::CString ||
           type == data::FieldType::Memo;
}

bool isDecimalType(data::FieldType type)
{
    return type == data::FieldType::Real || type == data::FieldType::Decimal;
}

} // namespace

FormField::FormField(data::LayoutPtr layout, int index, QWidget *control)
    : m_layout(std::move(layout)), m_index(index), m_control(control)
{
    if (!isValid()) {
        m_control = nullptr;
        return;
    }
    picture(m_layout->field(index).picture);
}

FormField &FormField::required(bool on)
{
    m_required = on;
    return *this;
}

FormField &FormField::range(double low, double high)
{
    m_range = std::make_pair(low, high);
    return *this;
}

FormField &FormField::picture(const QString &picture)
{
    m_pictureText = picture;
    m_picture = Picture::parse(picture);
    if (isValid())
        applyWidth();
    return *this;
}

FormField &FormField::accessors(Shows shows, Takes takes)
{
    m_shows = std::move(shows);
    m_takes = std::move(takes);
    return *this;
}

QString FormField::name() const
{
    return isValid() ? m_layout->fullFieldName(m_index) : QString();
}

bool FormField::isBindable() const
{
    if (m_shows && m_takes)
        return true;
    const QWidget *c = m_control;
    if (const auto *button = qobject_cast<const QAbstractButton *>(c))
        return button->isCheckable();
    return qobject_cast<const QLineEdit *>(c) || qobject_cast<const QLabel *>(c) ||
           qobject_cast<const QPlainTextEdit *>(c) || qobject_cast<const QTextEdit *>(c) ||
           qobject_cast<const QComboBox *>(c) || qobject_cast<const QSpinBox *>(c) ||
           qobject_cast<const QDoubleSpinBox *>(c);
}

void FormField::applyWidth() const
{
    // The control takes no more characters than the field keeps, so nothing typed is cut off
    // unseen when the record is written.
    int width = 0;
    if (m_picture.kind() == Picture::Kind::String || m_picture.kind() == Picture::Kind::Number)
        width = m_picture.width();
    const data::FieldDecl &field = m_layout->field(m_index);
    if (width <= 0 && field.type == data::FieldType::String)
        width = field.size;
    if (width <= 0)
        return;
    if (auto *edit = qobject_cast<QLineEdit *>(m_control.data()))
        edit->setMaxLength(width);
    else if (auto *combo = qobject_cast<QComboBox *>(m_control.data()); combo && combo->lineEdit())
        combo->lineEdit()->setMaxLength(width);
}

QString FormField::display(const QVariant &value) const
{
    const data::FieldDecl &field = m_layout->field(m_index);
    // Stored text is shown as it is: a string picture could only cut what the field already cut.
    if (isTextType(field.type) || !m_picture.isValid() || m_picture.kind() == Picture::Kind::String)
        return value.toString();
    // A date or time of 0 is none, whatever the picture would make of it.
    const bool dateOrTime =
        m_picture.kind() == Picture::Kind::Date || m_picture.kind() == Picture::Kind::Time;
    if (dateOrTime && value.toLongLong() == 0)
        return QString();
    return m_picture.format(value, PictureLocale::current()).trimmed();
}

void FormField::show(const data::Record &record) const
{
    QWidget *c = m_control;
    if (!c)
        return;
    const QVariant value = record.value(m_index);
    if (m_shows) {
        m_shows(c, value);
    } else if (auto *edit = qobject_cast<QLineEdit *>(c)) {
        edit->setText(display(value));
    } else if (auto *label = qobject_cast<QLabel *>(c)) {
        label->setText(display(value));
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(c)) {
        plain->setPlainText(value.toString());
    } else if (auto *rich = qobject_cast<QTextEdit *>(c)) {
        rich->setPlainText(value.toString());
    } else if (auto *combo = qobject_cast<QComboBox *>(c)) {
        const QString text = display(value);
        if (combo->isEditable()) {
            combo->setEditText(text);
        } else if (text.isEmpty()) {
            combo->setCurrentIndex(-1);
        } else {
            // A stored value the list does not offer (any more) is shown, not lost on writing.
            int row = combo->findText(text);
            if (row < 0) {
                combo->addItem(text);
                row = combo->count() - 1;
            }
            combo->setCurrentIndex(row);
        }
    } else if (auto *spin = qobject_cast<QSpinBox *>(c)) {
        spin->setValue(int(value.toLongLong()));
    } else if (auto *real = qobject_cast<QDoubleSpinBox *>(c)) {
        real->setValue(value.toDouble());
    } else if (auto *check = qobject_cast<QAbstractButton *>(c)) {
        check->setChecked(value.toLongLong() != 0);
    }
}

Result<void> FormField::take(data::Record &record) const
{
    const QWidget *c = m_control;
    if (!c)
        return {};
    const data::FieldDecl &field = m_layout->field(m_index);
    auto fromText = [&](const QString &text) -> Result<void> {
        if (isTextType(field.type)) {
            record.setValue(m_index, text);
            return {};
        }
        QVariant value;
        if (text.trimmed().isEmpty()) {
            value = 0;
        } else if (m_picture.isValid() && m_picture.kind() != Picture::Kind::String) {
            value = m_picture.deformat(text, PictureLocale::current());
        } else {
            bool ok = false;
            value = isDecimalType(field.type) ? QVariant(text.trimmed().toDouble(&ok))
                                              : QVariant(text.trimmed().toLongLong(&ok));
            if (!ok)
                value = QVariant();
        }
        if (!value.isValid())
            return makeError(InvalidEntry, text);
        record.setValue(m_index, value);
        return {};
    };
    if (m_takes) {
        record.setValue(m_index, m_takes(c));
    } else if (auto *edit = qobject_cast<const QLineEdit *>(c)) {
        return fromText(edit->text());
    } else if (auto *plain = qobject_cast<const QPlainTextEdit *>(c)) {
        return fromText(plain->toPlainText());
    } else if (auto *rich = qobject_cast<const QTextEdit *>(c)) {
        return fromText(rich->toPlainText());
    } else if (auto *combo = qobject_cast<const QComboBox *>(c)) {
        return fromText(combo->currentText());
    } else if (auto *spin = qobject_cast<const QSpinBox *>(c)) {
        record.setValue(m_index, spin->value());
    } else if (auto *real = qobject_cast<const QDoubleSpinBox *>(c)) {
        record.setValue(m_index, real->value());
    } else if (auto *check = qobject_cast<const QAbstractButton *>(c); check && check->isCheckable()) {
        record.setValue(m_index, check->isChecked() ? 1 : 0);
    }
    return {};
}

bool FormField::isEmptyIn(const data::Record &record) const
{
    if (!isValid())
        return false;
    const QVariant value = record.value(m_index);
    if (isTextType(m_layout->field(m_index).type))
        return Text::clip(value.toString()).isEmpty();
    return value.toDouble() == 0;
}

bool FormField::isInRange(const data::Record &record) const
{
    if (!m_range || !isValid())
        return true;
    const double value = record.value(m_index).toDouble();
    return value >= m_range->first && value <= m_range->second;
}

void FormField::setEditable(bool editable) const
{
    QWidget *c = m_control;
    if (!c)
        return;
    if (auto *edit = qobject_cast<QLineEdit *>(c))
        edit->setReadOnly(!editable);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(c))
        plain->setReadOnly(!editable);
    else if (auto *rich = qobject_cast<QTextEdit *>(c))
        rich->setReadOnly(!editable);
    else if (auto *spin = qobject_cast<QAbstractSpinBox *>(c))
        spin->setReadOnly(!editable);
    else if (!qobject_cast<QLabel *>(c))
        c->setEnabled(editable);
}

} // namespace tarvo::ui
