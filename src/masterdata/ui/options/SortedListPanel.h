#pragma once

#include "masterdata/options/SortedList.h"
#include "platform/runtime/Context.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace tarvo::masterdata::ui {

// One numbered reference list of the Options window (statuses, severities, classifications):
// its entries in order, with insert after the selected entry, delete and the two moves, each
// written at once in one transaction; a failure is shown and the list read again.
class SortedListPanel final : public QWidget {
    Q_OBJECT

  public:
    // With a context, Change (and a double click) opens the entry's form on it.
    SortedListPanel(data::Session &session, SortedList::Kind kind, qint32 programId,
                    Context *context = nullptr, QWidget *parent = nullptr);

    // Reads the list again, keeping the selected row where it can.
    void reload();
    QListWidget *list() const { return m_list; }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void insert();
    void remove();
    void change();
    void move(int step);
    void grayChanged(bool on);
    void selectionChanged();
    // Shows the error of a failed write; true when there was none.
    bool report(const Result<void> &result);

    SortedList m_sorted;
    data::Session &m_session;
    SortedList::Kind m_kind;
    qint32 m_programId;
    std::shared_ptr<Context> m_context;
    std::vector<data::Record> m_entries;
    QListWidget *m_list = nullptr;
    QLineEdit *m_text = nullptr;
    QCheckBox *m_gray = nullptr;
};

} // namespace tarvo::masterdata::ui
