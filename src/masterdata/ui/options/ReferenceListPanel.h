#pragma once

#include "masterdata/options/SortedList.h"
#include "masterdata/options/TextList.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace tarvo::masterdata::ui {

// One reference list of the Options window: its entries in order, with insert (after the
// selected entry where the list is numbered), delete, the two moves and the gray-out box where
// the list has them, each written at once; a failure is shown and the list read again.
class ReferenceListPanel final : public QWidget {
    Q_OBJECT

  public:
    // What the panel does with its list; a hook left empty hides its controls.
    struct Source {
        QString textField;
        std::function<Result<std::vector<data::Record>>()> entries;
        // The row of the new entry in the list read again.
        std::function<Result<int>(const QString &text, const data::Record *selected)> insert;
        std::function<Result<void>(const data::Record &entry)> remove;
        std::function<Result<bool>(const data::Record &entry, int step)> move;
        std::function<Result<void>(const data::Record &entry)> change;
    };
    static Source sorted(data::Session &session, SortedList::Kind kind, qint32 programId);
    static Source text(data::Session &session, TextList::Kind kind);

    explicit ReferenceListPanel(Source source, QWidget *parent = nullptr);

    // Reads the list again, keeping the selected row where it can.
    void reload();
    QListWidget *list() const { return m_list; }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void insert();
    void remove();
    void move(int step);
    void grayChanged(bool on);
    void selectionChanged();
    const data::Record *selected() const;
    // Makes sure the user hears of a failed write; true when there was none.
    bool report(const Result<void> &result);

    Source m_source;
    std::vector<data::Record> m_entries;
    QListWidget *m_list = nullptr;
    QLineEdit *m_text = nullptr;
    QCheckBox *m_gray = nullptr;
};

} // namespace tarvo::masterdata::ui
