#pragma once

#include "listext/ViewRowSource.h"
#include "listext/ui/ListWindow.h"
#include "masterdata/customers/CustomerTasks.h"
#include "platform/runtime/IniFile.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QSplitter>

#include <functional>
#include <memory>

namespace tarvo::data {
class Session;
}

namespace tarvo::masterdata::ui {

// Who works in the customer browse and where the user's settings are kept.
struct BrowseCustomerUser final {
    QString mak;         // the user's code; its first three characters are the initials
    QString userIniPath; // "User.ini" in the user's folder
    qint64 prgId = 0;    // the program chosen in the issue browse, for the picker
};

// The customer browse: the customers above, under a movable bar the contacts of the customer
// chosen above, each list on the list-window base; tagging, text search, saved queries, export,
// import and mass update of the tagged customers; contacts dragged onto another customer. Run
// once from the menu, or as a picker (request Select) from the issue form.
class BrowseCustomer final : public listext::ui::ListWindow {
    Q_OBJECT
  public:
    static constexpr int UpdateCustomerProcedure = 1;
    static constexpr int UpdateContactsProcedure = 2;
    // What the picker ends with.
    static constexpr int PickedNone = 0;
    static constexpr int PickedCustomer = 1;
    static constexpr int PickedContact = 2;

    BrowseCustomer(Context &context, data::Session &session, BrowseCustomerUser user,
                   QObject *parent = nullptr);
    ~BrowseCustomer() override;

    bool open() override;
    bool close() override;
    void takeAccepted(const QString &controlName) override;

    listext::ui::BrowseList &customerList() const { return list(0); }
    listext::ui::BrowseList &contactList() const { return list(1); }
    bool isPicker() const { return m_picker; }
    // Which list the picker was ended from (PickedCustomer, PickedContact), else PickedNone.
    int picked() const { return m_picked; }
    void pick(int source);

    void tagCurrent(bool moveOn);
    void tagAll();
    void untagAll();
    void setOnlyTagged(bool on);
    QString tagCountText() const;
    // Tags the customers that hold the text and shows only them; none found says so.
    void searchText(const QString &text, bool ignoreCase);
    Result<void> applyQuery(const QString &description);
    void voidQuery();
    Result<int> exportTagged(const QString &path);
    Result<query::ImportReport> importFile(const QString &path);
    // A contact dropped on the customer of that row: moved, or copied under a new number.
    Result<qint64> dropContact(qint64 contactId, int customerRow, bool copy);

    // Tests answer the file dialogs of the export and import through this.
    static void setPathAsker(std::function<QString(QWidget *parent, bool save)> asker);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    QWidget *buildWindow();
    QWidget *buildCustomerPanel(QWidget *parent);
    QWidget *buildContactPanel(QWidget *parent);
    QPushButton *toolButton(QWidget *parent, const char *name, const char *caption,
                            const char *tip = nullptr);
    Result<void> applyCustomerFilter();
    void reloadCustomers();
    void followCustomer();
    void tagsChanged();
    void showTitle();
    void chooseQuery();
    void askExport();
    void askImport();
    void massUpdate();
    void linkOf(const QString &controlName);
    void startContactDrag();
    bool takeDrop(QEvent *event);
    void showError(const Error &error) const;
    void saveBar();

    data::Session &m_session;
    BrowseCustomerUser m_user;
    IniFile m_userIni;
    CustomerTasks m_tasks;
    std::unique_ptr<listext::ViewRowSource> m_customers;
    std::unique_ptr<listext::ViewRowSource> m_contacts;
    QPointer<QCheckBox> m_onlyTagged;
    QPointer<QLabel> m_tagCount;
    QPointer<QSplitter> m_hsplit;
    QPointer<QWidget> m_contactViewport;
    QPointer<QWidget> m_customerViewport;
    QString m_queryFilter;
    QString m_queryDescription;
    QString m_otherPrograms; // the picker leaves out these customers ("|3|7|")
    QPoint m_dragStart;
    Qt::MouseButton m_dragButton = Qt::NoButton;
    bool m_picker = false;
    int m_picked = PickedNone;
};

} // namespace tarvo::masterdata::ui
