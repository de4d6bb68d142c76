#pragma once

#include <QPointer>
#include <QString>

#include <vector>

class QObject;
class QWidget;

namespace tarvo::core::ui {

// Notices which fields of an open form the user really changed: records each field's content
// when the form opens and, when a field is accepted, calls changed() only if the content differs
// from the recorded one. Forms derive from it to act on each changed field.
//
// A control takes part when its object name is a field label such as "BUG:Status" (it holds a
// ":"). Kinds: QLineEdit, QTextEdit, QPlainTextEdit, QComboBox, QCheckBox, QRadioButton,
// QAbstractSpinBox (spin boxes, date and time edits) and QButtonGroup (an option group whose
// value is the checked button's id).
class ControlChangeMonitor {
  public:
    // The most of a content that is kept as the old content; the checksum covers all of it.
    static constexpr qsizetype MaxStoredContent = 15000;

    // One monitored control.
    struct Entry final {
        QPointer<QObject> control;
        QString label;           // the field label, e.g. "BUG:Status"
        QString content;         // the content as last recorded, at most MaxStoredContent characters
        quint32 crc = 0;         // the checksum of the whole content as last recorded
        bool customFlag = false; // for the deriving form; the monitor leaves it false
    };

    ControlChangeMonitor() = default;
    virtual ~ControlChangeMonitor() = default;
    ControlChangeMonitor(const ControlChangeMonitor &) = delete;
    ControlChangeMonitor &operator=(const ControlChangeMonitor &) = delete;

    // Records every field control (and option group) of the open window.
    void init(QWidget *window);
    // Records one control; false when it is not a field control of a supported kind.
    bool addControl(QObject *control);
    // Compares the control's content with the recorded one; on a difference calls changed() and
    // then records the new content. A control that is not monitored is ignored.
    void checkControl(QObject *control);
    bool isMonitored(const QObject *control) const;
    // Forgets every control.
    void kill();

    const std::vector<Entry> &controls() const { return m_controls; }

    // The content of a control as the monitor compares it: the text shown (a spin box's value),
    // "1"/"0" for check boxes and radio buttons, the checked id for an option group. Empty for
    // other objects.
    static QString contentOf(const QObject *control);
    // A 32-bit CRC over the content's UTF-8 bytes followed by one zero byte.
    static quint32 contentCRC(const QString &content);

  protected:
    // Called for a changed control while its entry still holds the old content; the control
    // already holds the new one. The entry is mutable so that the form can set its flag.
    virtual void changed(Entry &entry) { (void)entry; }

  private:
    static bool isFieldControl(const QObject *control);
    Entry *find(const QObject *control);

    std::vector<Entry> m_controls;
};

} // namespace tarvo::core::ui
