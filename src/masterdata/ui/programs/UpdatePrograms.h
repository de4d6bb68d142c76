#pragma once

#include "masterdata/programs/ReferenceOrder.h"
#include "platform/ui/UpdateForm.h"

#include <memory>
#include <vector>

class QComboBox;
class QLineEdit;
class QTabWidget;

namespace tarvo::listext {
class ViewRowSource;
}
namespace tarvo::listext::ui {
class BrowseList;
}

namespace tarvo::masterdata::ui {

// The form of one program of the program tree: its own fields, its releases, program files,
// notes and attachments, and the order of its own status, severity and classification entries.
class UpdatePrograms final : public tarvo::ui::UpdateForm {
    Q_OBJECT

  public:
    // The lists' numbers, as their rights keys and buttons name them (":4").
    static constexpr int StatusList = 1;
    static constexpr int SeverityList = 2;
    static constexpr int ClassificationList = 3;
    static constexpr int ReleaseList = 4;
    static constexpr int ProgramFileList = 5;
    static constexpr int NoteList = 7;
    static constexpr int AttachmentList = 8;

    UpdatePrograms(Context &context, data::Session &session, QObject *parent = nullptr);
    ~UpdatePrograms() override;

    bool open() override;
    void takeAccepted(const QString &controlName) override;
    listext::ui::BrowseList *list(int number) const;

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
        ReferenceOrder::List order;
    };

    QWidget *addList(int number, const QString &label, const QString &key, const QString &programField,
                     std::vector<std::pair<QString, QString>> columns, bool withForm);
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
};

} // namespace tarvo::masterdata::ui
