#pragma once

#include "listext/ui/ListWindow.h"
#include "masterdata/options/OptionsSettings.h"
#include "platform/ui/FormField.h"

#include <memory>
#include <vector>

class QCheckBox;
class QDialog;
class QLineEdit;
class QTabWidget;

namespace tarvo {
class RunOnce;
namespace data {
class Session;
}
} // namespace tarvo

namespace tarvo::masterdata::ui {

class ReferenceLists;

// The Options window: the settings that hold for every user of the data folder, edited on a
// copy of the settings record that OK stores and publishes to the open windows at once. Its
// reference lists are written at once, each through its entry's form.
class OptionsWindow final : public listext::ui::ListWindow {
    Q_OBJECT

  public:
    OptionsWindow(Context &context, data::Session &session, QObject *parent = nullptr);
    ~OptionsWindow() override;

    // The one Options window of the run.
    static RunOnce &runOnce();

    bool open() override;
    void takeAccepted(const QString &controlName) override;

    OptionsSettings &settings() { return m_settings; }
    // The reference lists, once the window is open.
    ReferenceLists *referenceLists() const { return m_referenceLists; }
    // Stores and publishes the edited settings; false (the window stays open) when a check
    // refuses or the write fails.
    bool ok();

  private:
    QWidget *control(const QString &name) const;
    void bind(const QString &field, QWidget *control);
    void bindChoice(const QString &field, QWidget *group, const QStringList &captions);
    QWidget *generalTab();
    QWidget *workflowTab();
    QWidget *updateTab();
    QWidget *stampTab();
    QWidget *emailTab();
    QWidget *issueTab();
    QWidget *customFieldsTab();
    void applyRules();
    // The "..." button of a custom field: its choice list in the "Choices" dialog.
    void editChoices(int field);
    void showSettings();
    bool takeSettings();

    data::Session &m_session;
    OptionsSettings m_settings;
    ReferenceLists *m_referenceLists = nullptr;
    QString m_charsetAtOpening;
    QDialog *m_dialog = nullptr;
    QTabWidget *m_tabs = nullptr;
    QLineEdit *m_password = nullptr;
    QCheckBox *m_storePassword = nullptr;
    std::vector<std::unique_ptr<tarvo::ui::FormField>> m_fields;
};

} // namespace tarvo::masterdata::ui
