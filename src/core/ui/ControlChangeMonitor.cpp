#include "core/ui/ControlChangeMonitor.h"

#include <QAbstractSpinBox>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextEdit>

#include <algorithm>
#include <array>

namespace tarvo::core::ui {

namespace {

constexpr std::array<quint32, 256> makeCrcTable()
{
    std::array<quint32, 256> table{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 c = i;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    return table;
}

constexpr std::array<quint32, 256> kCrcTable = makeCrcTable();

} // namespace

quint32 ControlChangeMonitor::contentCRC(const QString &content)
{
    QByteArray bytes = content.toUtf8();
    bytes.append('\0');
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes)
        crc = kCrcTable[(crc ^ static_cast<quint8>(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

QString ControlChangeMonitor::contentOf(const QObject *control)
{
    if (const auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->text();
    if (const auto *edit = qobject_cast<const QPlainTextEdit *>(control))
        return edit->toPlainText();
    if (const auto *edit = qobject_cast<const QTextEdit *>(control))
        return edit->toPlainText();
    if (const auto *combo = qobject_cast<const QComboBox *>(control))
        return combo->currentText();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    // A spin box fills its text only when first shown, so the value is read instead.
    if (const auto *spin = qobject_cast<const QSpinBox *>(control))
        return QString::number(spin->value());
    if (const auto *spin = qobject_cast<const QDoubleSpinBox *>(control))
        return QString::number(spin->value(), 'f', spin->decimals());
    if (const auto *edit = qobject_cast<const QDateTimeEdit *>(control))
        return edit->dateTime().toString(edit->displayFormat());
    if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(control))
        return spin->text();
    if (const auto *group = qobject_cast<const QButtonGroup *>(control))
        return QString::number(group->checkedId());
    return {};
}

bool ControlChangeMonitor::isFieldControl(const QObject *control)
{
    if (!control || !control->objectName().contains(QLatin1Char(':')))
        return false;
    return qobject_cast<const QLineEdit *>(control) || qobject_cast<const QPlainTextEdit *>(control) ||
           qobject_cast<const QTextEdit *>(control) || qobject_cast<const QComboBox *>(control) ||
           qobject_cast<const QCheckBox *>(control) || qobject_cast<const QRadioButton *>(control) ||
           qobject_cast<const QAbstractSpinBox *>(control) || qobject_cast<const QButtonGroup *>(control);
}

void ControlChangeMonitor::init(QWidget *window)
{
    kill();
    if (!window)
        return;
    for (QObject *child : window->findChildren<QObject *>())
        addControl(child);
}

bool ControlChangeMonitor::addControl(QObject *control)
{
    if (!isFieldControl(control) || isMonitored(control))
        return false;
    const QString content = contentOf(control);
    m_controls.push_back(
        {control, control->objectName(), content.left(MaxStoredContent), contentCRC(content), false});
    return true;
}

void ControlChangeMonitor::checkControl(QObject *control)
{
    Entry *entry = find(control);
    if (!entry)
        return;
    const QString content = contentOf(control);
    const quint32 crc = contentCRC(content);
    if (crc == entry->crc)
        return;
    entry->crc = crc;
    changed(*entry);
    // changed() may have added controls, so the entry is looked up again.
    if ((entry = find(control)))
        entry->content = content.left(MaxStoredContent);
}

bool ControlChangeMonitor::isMonitored(const QObject *control) const
{
    return control && std::any_of(m_controls.begin(), m_controls.end(),
                                  [control](const Entry &entry) { return entry.control == control; });
}

void ControlChangeMonitor::kill()
{
    m_controls.clear();
}

ControlChangeMonitor::Entry *ControlChangeMonitor::find(const QObject *control)
{
    if (!control)
        return nullptr;
    const auto found = std::find_if(m_controls.begin(), m_controls.end(),
                                    [control](const Entry &entry) { return entry.control == control; });
    return found == m_controls.end() ? nullptr : &*found;
}

} // namespace tarvo::core::ui
