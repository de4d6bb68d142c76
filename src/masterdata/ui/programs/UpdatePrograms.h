#pragma once

#include "listext/TagQueue.h"
#include "masterdata/options/SortedList.h"
#include "platform/ui/UpdateForm.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QComboBox;
class QIODevice;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace tarvo::listext {
class ViewRowSource;
}
namespace tarvo::listext::ui {
class BrowseList;
struct ListDeclaration;
class TagTools;
} // namespace tarvo::listext::ui

namespace tarvo::masterdata::ui {

// The form of one program of the program tree: its own fields, its releases, program files,
// notes and attachments, the customers who bought it (tagged and exported with the customer
// browse's queue), and the order of its own status, severity and classification entries.
class UpdatePrograms final : public tarvo::ui::UpdateForm {
    Q_OBJECT

  public:
    // The lists' numbers, as their rights keys and buttons name them (":4").
    static constexpr int StatusList = 1;
    static constexpr int SeverityList = 2;
    static constexpr int ClassificationList = 3;
    static constexpr int ReleaseList = 4;
    static constexpr int ProgramFileList = 5;
    static constexpr int CustomerList = 6;
    static constexpr int NoteList = 7;
    static constexpr int AttachmentList = 8;

    UpdatePrograms(Context &context, data::Session &session, QObject *parent = nullptr);
    ~UpdatePrograms() override;

    bool open() override;
    void takeAccepted(const QString &controlName) override;
    listext::ui::BrowseList *list(int number) const;

    // Tests answer the export's file dialog through this.
    static void setExportPathAsker(std::function<QString(QWidget *)> asker);

  protected:
    void runProcedure(int procedureNumber, std::function<void()> finished) override;

  private:
    struct List {
        int number;
        QString filter;
        std::unique_ptr<listext::ViewRowSource> source;
        std::unique_ptr<listext::ui::BrowseList> list;
    };
    struct Move {
        QString up;
        QString down;
        int list;
        QString label;
        SortedList::Kind order;
    };

    QWidget *addList(int number, const QString &label, const QString &key, const QString &programField,
                     std::vector<std::pair<QString, QString>> columns, bool withForm);
    QWidget *addBrowse(int number, const QString &label, const QString &key, const QString &programField,
                       listext::ui::ListDeclaration declaration);
    QWidget *addCustomerList();
    // The buyer of the list's row, read once per reading of the list.
    const data::Record &customerOf(qint64 customerId) const;
    // The list's selected record; a blank one when none is selected.
    data::Record selectedRow(int number, const QString &label) const;
    Result<int> exportPurchases(const std::vector<listext::TagQueue::Tag> &tags, QIODevice &out);
    QWidget *addOrderedList(const QString &what, const QString &key, const QString &textField,
                            const Move &move);
    void callForm(int number, int request);
    void moveEntry(const Move &move, int step);
    void fillProgramStatuses();

    qint64 m_parent = 0;
    QTabWidget *m_tabs = nullptr;
    QTabWidget *m_settings = nullptr;
    QComboBox *m_status = nullptr;
    QLineEdit *m_homepage = nullptr;
    std::vector<List> m_lists;
    bool m_formRunning = false;
    std::unique_ptr<listext::ui::TagTools> m_tagTools;
    // The entry a status, severity or classification form changes, and the sort a new one follows.
    data::Record m_referenceEntry;
    qint64 m_referenceAfter = 0;
    mutable std::map<qint64, data::Record> m_customers;
};

} // namespace tarvo::masterdata::ui
