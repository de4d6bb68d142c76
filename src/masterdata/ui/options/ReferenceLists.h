#pragma once

#include "platform/data/Record.h"
#include "platform/runtime/Result.h"

#include <QObject>

#include <functional>
#include <map>

class QWidget;

namespace tarvo::data {
class Session;
}
namespace tarvo::listext::ui {
class BrowseList;
class ListWindow;
} // namespace tarvo::listext::ui

namespace tarvo::masterdata::ui {

// The reference lists of the Options window, declared once in a table: each one a list of the
// window's list base over its file, whose record buttons open the entry's form, and where the
// order is the user's, two buttons that move the selected entry.
class ReferenceLists final : public QObject {
    Q_OBJECT

  public:
    // The lists' numbers, under which the window calls their forms.
    enum Number {
        IssueStatuses = 1,
        Severities = 2,
        Classifications = 3,
        Reproducibles = 5,
        ContractTypes = 6,
        Priorities = 7,
        Resolutions = 8,
        Descriptions = 9,
        ProgramStatuses = 10,
        NoteStatuses = 11,
    };

    // Adds every list to the window; call before the window opens.
    ReferenceLists(listext::ui::ListWindow &window, data::Session &session, QObject *parent = nullptr);
    ~ReferenceLists() override;

    // The list's page: its rows, record buttons and moves; null for a number without a list.
    QWidget *page(int number) const;
    listext::ui::BrowseList *list(int number) const;

  private:
    struct List;
    void addList(int row);
    void openForm(const List &list, std::function<void()> finished);
    void move(const List &list, int step);
    // The record of the list's current row; an invalid record when there is none.
    Result<data::Record> current(const List &list) const;

    listext::ui::ListWindow &m_window;
    data::Session &m_session;
    std::map<int, List> m_lists;
};

} // namespace tarvo::masterdata::ui
