#pragma once

#include "core/lists/ProgramTreeQueue.h"
#include "platform/ui/UpdateForm.h"

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QToolButton;

namespace tarvo::masterdata::ui {

// The form of one release-notes definition: its name, the program and releases it writes, the
// output file, and the five texts of the file.
class UpdateReleaseNotes final : public tarvo::ui::UpdateForm {
    Q_OBJECT
  public:
    // Asks for the output file, starting from the current name; empty when cancelled.
    using FileChooser = std::function<QString(QWidget *parent, const QString &current)>;
    // Offers the placeholders beside a button; the one chosen, or empty.
    using FieldPicker = std::function<QString(QWidget *button, const QStringList &placeholders)>;

    UpdateReleaseNotes(Context &context, data::Session &session, QObject *parent = nullptr);
    ~UpdateReleaseNotes() override;

    bool open() override;

    // Tests answer the file dialog; an empty chooser restores the real one.
    static void setFileChooser(FileChooser chooser);
    static void setFieldPicker(FieldPicker picker);
    // The page of the help on release notes, the list window's too.
    static QString helpTopic();

    QComboBox *programBox() const { return m_program; }
    QCheckBox *latestBox() const { return m_latest; }
    QCheckBox *allBox() const { return m_all; }
    QComboBox *releaseBox() const { return m_release; }
    QLineEdit *fileEdit() const { return m_file; }
    QToolButton *lookupButton() const { return m_lookup; }
    QTabWidget *sheet() const { return m_sheet; }
    QPlainTextEdit *text(const QString &fieldName) const;
    // "Select field..." beside a template: the chosen placeholder goes in at the cursor.
    void selectField(QPlainTextEdit *edit, QWidget *button);
    // Chooses the program of that row of the program list (0 is the root "Programs").
    void chooseProgram(int row);

  private:
    void build();
    void applyEnabling();
    void fillReleases();
    void lookupFile();
    void colourTextTab();

    std::vector<core::ProgramTreeQueueEntry> m_programs;
    QComboBox *m_program = nullptr;
    QCheckBox *m_latest = nullptr;
    QCheckBox *m_all = nullptr;
    QComboBox *m_release = nullptr;
    QLineEdit *m_file = nullptr;
    QToolButton *m_lookup = nullptr;
    QTabWidget *m_sheet = nullptr;
    std::vector<QPlainTextEdit *> m_texts;
};

} // namespace tarvo::masterdata::ui
