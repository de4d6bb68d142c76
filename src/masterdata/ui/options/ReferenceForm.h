#pragma once

#include "masterdata/options/SortedList.h"
#include "masterdata/options/TextList.h"
#include "platform/ui/UpdateForm.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;

namespace tarvo::masterdata::ui {

// The reference tables that one entry form edits.
enum class ReferenceKind {
    Status,
    ProgramStatus,
    NoteStatus,
    Severity,
    Classification,
    Priority,
    Description,
    Resolution,
    Reproducible,
    ContractType,
};

// The form of one entry of a reference table (a status, severity, priority, description ...). One
// class serves every table from a row of settings; the numbered lists and the one-text lists keep
// writing through SortedList and TextList, so their numbering and checks stay in one place.
class ReferenceForm final : public tarvo::ui::UpdateForm, private tarvo::ui::RecordKeeper {
    Q_OBJECT

  public:
    // selected: the entry to change or delete; after: the sort of the entry a new one follows
    // (0 or less when none is selected). programId: the list's program for issue statuses,
    // severities and classifications.
    ReferenceForm(Context &context, data::Session &session, ReferenceKind kind, qint32 programId,
                  data::Record selected, qint64 after, QObject *parent = nullptr);

    bool open() override;
    void takeAccepted(const QString &controlName) override;

    // Picks a colour for the colour box; the dialog by default, a script in tests. Empty when the
    // user cancels.
    using ColorChooser = std::function<std::optional<qint64>(qint64 current)>;
    static void setColorChooser(ColorChooser chooser);

  private:
    int open(int request) override;
    bool save() override;
    bool undo() override { return true; }
    bool remove() override;
    bool report(const Result<void> &result);
    void showColor();

    ReferenceKind m_kind;
    std::optional<SortedList> m_sorted;
    std::optional<TextList> m_text;
    data::Record m_selected;
    qint64 m_after;
    QLabel *m_colorBox = nullptr;
    qint64 m_color = 0;
};

// Opens the form of one reference entry under the request (insert, change, delete, view) modal to
// the caller's window; done gets the response once it has closed.
void openReferenceForm(Context &context, data::Session &session, ReferenceKind kind, qint32 programId,
                       int request, const data::Record &selected, qint64 after, QWidget *caller,
                       std::function<void(int response)> done);

} // namespace tarvo::masterdata::ui
