#pragma once

#include "core/lists/IssueRowLook.h"
#include "listext/ViewRowSource.h"
#include "listext/ui/BrowseList.h"
#include "masterdata/ui/customers/PersonPages.h"
#include "platform/ui/UpdateForm.h"

#include <QCheckBox>
#include <QTabWidget>

#include <map>
#include <memory>

namespace tarvo::masterdata::ui {

// The form of one customer, with the customer's contacts, purchased programs and reported issues
// in lists of their own; the contacts and programs lists call their forms.
class UpdateCustomer final : public tarvo::ui::UpdateForm {
    Q_OBJECT
  public:
    UpdateCustomer(Context &context, data::Session &session, QObject *parent = nullptr);
    ~UpdateCustomer() override;

    bool open() override;
    bool close() override;

    listext::ui::BrowseList &contacts() const { return *m_contacts; }
    listext::ui::BrowseList &programs() const { return *m_programs; }
    listext::ui::BrowseList &issues() const { return *m_issues; }
    const PersonPages &pages() const { return *m_pages; }
    // The hidden switch that lists only the reported issues the user is responsible for.
    QCheckBox *onlyMine() const { return m_onlyMine; }

  private:
    QWidget *buildHeader(QWidget *window);
    QWidget *buildGeneral();
    QWidget *buildDetails();
    listext::ui::BrowseList &addList(listext::ui::ListDeclaration declaration, listext::ViewRowSource &source,
                                     const QString &suffix);
    void callList(listext::ui::BrowseList &list, int request);
    // The issue form for the reported issue under the cursor.
    void callIssue();
    void bindLists();
    // The issues list's filter: the customer's issues, of the user's programs, and with the
    // only-my-issues state on, those whose responsible persons name the user.
    Result<void> filterIssues();
    void readProgramNames();
    // The notes tab is red while there are notes; the lists' tabs have the tab colour while they hold rows.
    void showTabColours();

    std::unique_ptr<PersonPages> m_pages;
    std::unique_ptr<listext::ViewRowSource> m_contactRows;
    std::unique_ptr<listext::ViewRowSource> m_programRows;
    std::unique_ptr<listext::ViewRowSource> m_issueRows;
    std::unique_ptr<listext::ui::BrowseList> m_contacts;
    std::unique_ptr<listext::ui::BrowseList> m_programs;
    std::unique_ptr<listext::ui::BrowseList> m_issues;
    std::map<qint64, QString> m_programNames;
    QPointer<QTabWidget> m_sheet;
    QPointer<QTabWidget> m_inner;
    QPointer<QLineEdit> m_searchname;
    QPointer<QCheckBox> m_onlyMine;
    core::IssueRowLook m_look;
    bool m_formRunning = false;
};

} // namespace tarvo::masterdata::ui
