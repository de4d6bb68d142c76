#pragma once

#include "access/UserAccount.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;

namespace tarvo::access {

class ArchiveFoldersTab;
class RightsTree;

// The user form: address, account rules, password, workflow options, program limits, rights and
// password history of one user. Everything is held in the form until OK saves it in one
// transaction; Cancel writes nothing. No stored password is ever put into a control.
class UpdateBenutzer final : public QDialog {
    Q_OBJECT
  public:
    enum Request { Insert = 1, Change = 2, Delete = 3, View = 6 };

    UpdateBenutzer(int request, const QString &userCode, QWidget *parent = nullptr);
    ~UpdateBenutzer() override;

    // Runs the form for the request; true when it completed. A delete asks and runs without window.
    static bool run(int request, const QString &userCode, QWidget *parent);

    // False when the user could not be read (the form has said why).
    bool isReady() const { return m_ready; }
    UserAccount &account() { return m_account; }
    QTabWidget *tabs() const { return m_tabs; }
    QLineEdit *codeField() const { return m_code; }
    QLineEdit *passwordField() const { return m_password; }
    QTableWidget *historyList() const { return m_history; }
    QListWidget *programList() const { return m_programs; }
    RightsTree *rightsTree() const { return m_rights; }
    ArchiveFoldersTab *archiveTab() const { return m_archive; }
    // What asks for the typed password a second time; the dialog VerifyPasswort by default.
    void setVerifier(std::function<QString()> verifier) { m_verifier = std::move(verifier); }

    void accept() override;
    void done(int result) override;
    // Asks, then deletes the user with its dependent rows; true when it was deleted.
    bool confirmDelete();

  protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    QWidget *generalTab();
    QWidget *workflowTab();
    QWidget *dataAccessTab();
    QWidget *historyTab();
    // A field with a button that hands its address to the desktop.
    QLayout *withLink(QLineEdit *field, const char *name, const QString &scheme);
    // The help page of the tab in front; the password history has none.
    QString helpTopic() const;
    void showAccount();
    void takeAccount();
    void applyRules();
    void proposeCode();
    void passwordAccepted();
    void permanentToggled(bool on);
    void addProgram();
    void changeProgram();
    void deleteProgram();
    void fillPrograms();
    void fillHistory();

    int m_request;
    bool m_ready = false;
    UserAccount m_account;
    std::function<QString()> m_verifier;
    QTabWidget *m_tabs = nullptr;
    QComboBox *m_typ = nullptr;
    QDateEdit *m_gueltigBis = nullptr;
    QCheckBox *m_inaktiv = nullptr;
    QComboBox *m_anrede = nullptr;
    QLineEdit *m_name = nullptr, *m_vorname = nullptr, *m_strasse = nullptr, *m_lkz = nullptr,
              *m_plz = nullptr, *m_ort = nullptr, *m_telefon = nullptr, *m_fax = nullptr, *m_mobil = nullptr,
              *m_email = nullptr, *m_internet = nullptr;
    QLineEdit *m_code = nullptr;
    QLineEdit *m_password = nullptr;
    QCheckBox *m_mayChange = nullptr;
    QCheckBox *m_permanent = nullptr;
    QSpinBox *m_renewDays = nullptr;
    QDateEdit *m_expiry = nullptr;
    QCheckBox *m_bindComputer = nullptr;
    QLineEdit *m_computer = nullptr;
    QList<QCheckBox *> m_workflow;
    QCheckBox *m_ownOnly = nullptr;
    // The customer range of the security file "RF.SEC"; null for the other products.
    QSpinBox *m_fromAgent = nullptr, *m_toAgent = nullptr;
    QCheckBox *m_seeAllEditOwn = nullptr;
    QListWidget *m_programs = nullptr;
    RightsTree *m_rights = nullptr;
    ArchiveFoldersTab *m_archive = nullptr;
    QTableWidget *m_history = nullptr;
    QList<QWidget *> m_lockedWhileInactive;
};

} // namespace tarvo::access
