#pragma once

#include "core/lists/ReleaseQueue.h"
#include "core/lists/StatusQueue.h"
#include "core/startup/SettingsValues.h"
#include "issues/IssueFieldRules.h"
#include "issues/IssueSave.h"
#include "issues/ReporterList.h"
#include "platform/ui/UpdateForm.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTextBrowser;

namespace tarvo::ui {
class FormList;
}

namespace tarvo::issues::ui {

// The issue form: one issue of the Bugs buffer entered, changed, viewed or deleted under the
// field rules and the workflow, with its notes, attachments, history and sent mails on its tabs,
// the history of every changed field, and the notifications decided before the save commits.
class UpdateBugs final : public tarvo::ui::UpdateForm, private tarvo::ui::RecordKeeper {
    Q_OBJECT

  public:
    // The sub-forms the form's lists and fields start, by number.
    static constexpr int UpdateAttachments = 1;
    static constexpr int UpdateEMails = 2;
    static constexpr int UpdateNotes = 3;
    static constexpr int UpdateProgramFiles = 4;
    static constexpr int UpdateBugsResponsible = 5;
    static constexpr int UpdateProgramRelease = 6;

    // `values` prime a new issue; a status position above 0 sets that status of the status list
    // and presses OK with the window hidden (the quick status change of the browse).
    UpdateBugs(Context &context, data::Session &session, core::SettingsValues settings, NewIssueValues values,
               int statusPosition = 0, QObject *parent = nullptr);
    ~UpdateBugs() override;

    // Starts the form on the caller's context under the request the caller left there; finished
    // runs when it has ended (after the insert of a duplicate the Duplicate button asked for).
    static void start(tarvo::ui::WindowManager &caller, data::Session &session, NewIssueValues values,
                      std::function<void()> finished, int statusPosition = 0);
    // The same on a context whose caller is no window manager (a service call), window-modal to
    // `over` (when given); finished gets the form's response.
    static void start(Context &context, QWidget *over, data::Session &session, NewIssueValues values,
                      std::function<void(int response)> finished, int statusPosition = 0);

    // Makes the form procedure `number` of an issue list window: change, view and delete work on
    // the Bugs row `currentRow` gives, an insert on the values `newIssue` gives; `statusPosition`
    // (when given) tells a quick status change, a position above 0 in the form's status list.
    static void registerOn(tarvo::ui::WindowManager &caller, int number, data::Session &session,
                           std::function<qint64()> currentRow, std::function<NewIssueValues()> newIssue,
                           std::function<int()> statusPosition = {});

    bool open() override;
    // A refresh notice about a file the form shows resets its lists and tab marks.
    bool takeEvent(int event, const QVariant &data) override;

    IssueSave &issueSave() { return m_save; }
    const IssueFieldRules &rules() const { return *m_rules; }
    QTabWidget *sheet() const { return m_sheet; }
    // The issue the Duplicate button saved and asked to be copied into a new one; 0 for none.
    qint32 duplicateSource() const { return m_duplicateSource; }
    tarvo::ui::FormList *notesList() const { return m_notes; }
    tarvo::ui::FormList *historyList() const { return m_history; }
    tarvo::ui::FormList *attachmentsList() const { return m_attachments; }
    tarvo::ui::FormList *mailsList() const { return m_mails; }
    tarvo::ui::FormList *responsibleList() const { return m_responsible; }
    QString createdLine() const;
    QString changedLine() const;
    QString usedTimeText() const;

  private:
    int open(int request) override;
    bool save() override;
    bool undo() override;
    bool remove() override;

    QWidget *build();
    // The note, attachment and responsible-person forms as the procedures of the form's lists.
    void registerSubForms();
    QWidget *generalTab();
    QWidget *customFieldsTab();
    QWidget *hardwareTab();
    QWidget *recreateTab();
    QWidget *workaroundTab();
    QWidget *fixTab();
    QWidget *verificationTab();
    QWidget *attachmentsTab();
    QWidget *miscellaneousTab();
    QGroupBox *personGroup(const QString &caption, const QString &prompt, const QString &field,
                           const QString &datePrompt, const QString &dateField, const QString &versionField,
                           QLabel *&name);
    QWidget *memo(const QString &field);
    QComboBox *combo(bool editable);
    QLineEdit *entry(const QString &field, const QString &picture = {});

    // What the open event does once the window stands: rules, lists, the new issue's status.
    void settle();
    void fillLists();
    // The first field to work in, and the list buttons' captions the settings override.
    void chooseFirstField();
    void applyButtonTexts();
    void fillPersons();
    void showIssue();
    void markTabs();
    void showCategory();
    void takeChange(const tarvo::ui::FormField &field, const QVariant &before);
    void takeCategory(int category);
    void chooseReporter(int row);
    // A typed program file or release that its list lacks is offered to be added for the program.
    void offerProgramFile(const QString &typed);
    void offerRelease(const QString &typed);
    void pickCustomer();
    // The reporter chosen from the list or the picker goes into the issue, and to the history when
    // its text changed.
    void takeReporter(const ReporterRow &row);
    // The reporter's contact's or customer's field ("EMail", "Web"); nothing when it cannot be read.
    std::optional<QString> reporterValue(const QString &field);
    void mailReporter(QWidget *button);
    void surfReporter();
    void mailPerson(const QString &field, QWidget *button);
    // SendEMail below the button; an empty address is said so.
    void sendMail(const QString &address, QWidget *button);
    void stamp(QPlainTextEdit *text);
    void pressDuplicate();
    void showMail(qint64 key);
    void showAttachmentNotes(qint64 key);
    void selectLabel(const QString &label);
    Result<QStringList> alsoResponsible() const;

    data::Session &m_session;
    core::SettingsValues m_settings;
    NewIssueValues m_values;
    int m_statusPosition = 0;
    IssueSave m_save;
    std::unique_ptr<IssueFieldRules> m_rules;
    core::StatusQueue m_statuses;
    core::ReleaseQueue m_releases;
    std::vector<ReporterRow> m_reporters;
    qint32 m_duplicateSource = 0;
    qint32 m_refreshDate = 0;
    qint32 m_refreshTime = 0;

    QTabWidget *m_sheet = nullptr;
    QTabWidget *m_miscSheet = nullptr;
    QButtonGroup *m_category = nullptr;
    QLabel *m_categoryIcon = nullptr;
    QLabel *m_identifierPrompt = nullptr;
    QComboBox *m_description = nullptr;
    QComboBox *m_programFile = nullptr;
    QComboBox *m_status = nullptr;
    QComboBox *m_priority = nullptr;
    QComboBox *m_severity = nullptr;
    QComboBox *m_classification = nullptr;
    QComboBox *m_reportedBy = nullptr;
    QComboBox *m_version = nullptr;
    QComboBox *m_responsibleBox = nullptr;
    QComboBox *m_fixedBy = nullptr;
    QComboBox *m_verifiedBy = nullptr;
    QComboBox *m_reproducible = nullptr;
    QComboBox *m_resolution = nullptr;
    QLineEdit *m_networkType = nullptr;
    QLabel *m_responsibleName = nullptr;
    QLabel *m_fixedName = nullptr;
    QLabel *m_verifiedName = nullptr;
    QLabel *m_usedTime = nullptr;
    QLabel *m_created = nullptr;
    QLabel *m_changed = nullptr;
    QLabel *m_attachmentNotes = nullptr;
    QGroupBox *m_internal = nullptr;
    QGroupBox *m_fixed = nullptr;
    QGroupBox *m_verified = nullptr;
    QTextBrowser *m_mailText = nullptr;
    QPushButton *m_duplicate = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    tarvo::ui::FormList *m_responsible = nullptr;
    tarvo::ui::FormList *m_attachments = nullptr;
    tarvo::ui::FormList *m_notes = nullptr;
    tarvo::ui::FormList *m_history = nullptr;
    tarvo::ui::FormList *m_mails = nullptr;
};

} // namespace tarvo::issues::ui
