#pragma once

#include "platform/data/Record.h"
#include "platform/runtime/Result.h"
#include "platform/ui/FormField.h"
#include "platform/ui/WindowManager.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAbstractButton;

namespace tarvo::data {
class FileManager;
class RelationManager;
class Session;
} // namespace tarvo::data

namespace tarvo::ui {

class FormList;

// What keeps the record of a form whose opening, saving and undoing are logic of its own (an
// issue with its notifications and history) in place of the base's plain read, write and remove;
// the base still shows, takes and checks the fields and ends the form.
class RecordKeeper {
  public:
    virtual ~RecordKeeper() = default;
    // Reads and holds, or primes, the record for the request; the request to go on with (View
    // when another user holds it), or None not to open (the keeper has told the user).
    virtual int open(int request) = 0;
    // OK with the controls taken and the fields' rules kept; false keeps the form open.
    virtual bool save() = 0;
    // Cancel; false keeps the form open.
    virtual bool undo() = 0;
    // The delete request; true when the record was deleted.
    virtual bool remove() = 0;
};

// The base of every update form: takes its request from the context (insert, change, delete,
// view), primes or reads the record of its file in the thread's buffer, holds it, shows it in
// controls bound to its fields by name, checks it and writes it on OK in one transaction, undoes
// what it claimed on Cancel in one transaction, and leaves Completed or Cancelled for the caller.
// A form declares a table of its fields and rules; the hooks carry what is its own.
class UpdateForm : public WindowManager {
    Q_OBJECT

  public:
    // Fills a new record after the file has numbered it and given it its insert defaults.
    using PrimeHook = std::function<void(data::Record &record)>;
    // The form's own rules on OK, after the fields' rules: false keeps the form open (the hook has
    // told the user and selected the control).
    using CheckHook = std::function<bool(data::Record &record)>;
    // Runs inside the transaction of OK (after the record is written) or of Cancel, with the
    // record as it was when the form opened and as it is now; an error rolls everything back.
    using WriteHook = std::function<Result<void>(const data::Record &snapshot, const data::Record &record)>;
    // A control's entry was accepted and changed its field from `before`: runs with the record
    // already holding the new value (the form's rules and its history of changes).
    using ChangeHook = std::function<void(const FormField &field, const QVariant &before)>;
    // The request to go on with when another user holds the record (View, or None not to open).
    using HeldHook = std::function<int()>;

    // Messages of the error object's table that the form shows.
    static constexpr int MessageNotFound = 4;
    static constexpr int MessageFieldNotInFile = 5;
    static constexpr int MessageConfirmDelete = 11;
    static constexpr int MessageRequired = 16;
    static constexpr int MessageRange = 18;
    static constexpr int MessageProgramError = 42;
    static constexpr int MessageHeld = 43;
    static constexpr int MessageDatabase = 52;

    UpdateForm(Context &context, QString procedureName, data::Session &session, const QString &fileLabel,
               QObject *parent = nullptr);
    ~UpdateForm() override;

    // The table of the form. A name the file does not have, or a control that no field can be
    // shown in, is reported at once and the form will not open.
    FormField &field(const QString &name, QWidget *control);
    // A control that the form shows and reads through the accessors (a group of radio buttons).
    FormField &field(const QString &name, QWidget *control, FormField::Shows shows, FormField::Takes takes);
    void setButtons(QAbstractButton *ok, QAbstractButton *cancel);
    void onPrime(PrimeHook hook) { m_prime = std::move(hook); }
    void onCheck(CheckHook hook) { m_check = std::move(hook); }
    void onHistory(WriteHook hook) { m_history = std::move(hook); }
    void onCancel(WriteHook hook) { m_cancelled = std::move(hook); }
    void onHeld(HeldHook hook) { m_held = std::move(hook); }
    void onChange(ChangeHook hook) { m_change = std::move(hook); }
    // The record is kept by `keeper` (which outlives the form's use of it), not by the base.
    void setKeeper(RecordKeeper *keeper) { m_keeper = keeper; }
    // A list of rows of the record on the form: its buttons run the called procedure under their
    // request (nothing in view mode) and the list reads its rows again when the procedure ends.
    FormList &list(FormList *list, int procedureNumber);
    // Every list of the form reads its rows again (those not yet shown wait for their tab).
    void reloadLists();

    data::Session &session() const { return m_session; }
    data::FileManager *file() const { return m_file; }
    // The record being edited: the thread's buffer of the form's file.
    data::Record &record();
    // The record as it was when the form opened.
    const data::Record &snapshot() const { return m_snapshot; }
    bool isViewOnly() const { return request() == Request::View; }
    // The first fault of the table, when there is one.
    const std::optional<Error> &tableError() const { return m_tableError; }
    const FormField *fieldNamed(const QString &name) const;
    const std::vector<std::unique_ptr<FormField>> &fields() const { return m_fields; }

    bool open() override;
    // Closing the window any other way than OK is Cancel.
    bool close() override;
    void takeAccepted(const QString &controlName) override;
    // Checks the record and writes it in one transaction; false (and the form stays open) when
    // a check refuses or the write fails.
    bool ok();
    // Undoes what the form claimed in one transaction and closes; false when that failed.
    bool cancel();

    // The record into the controls, and the controls' content into the record; takeControls
    // reports an entry that does not fit its picture and selects its control.
    void showRecord();
    bool takeControls();
    // Brings a control into view (its tab) and gives it the focus.
    void selectControl(QWidget *control);

  protected:
    // A delete runs without showing the window.
    QWidget *frame() const override;

  private:
    void rejectTable(int messageNumber, const QString &field, const QString &message);
    int report(int messageNumber, const Error &error, const QString &field = {}, const QString &message = {});
    bool readRecord();
    bool refuseOpening();
    int holdOrAsk(int request);
    bool prime();
    void runDelete();
    void applyViewMode();
    bool checkFields();
    Result<void> writeRecord();
    Result<void> removeClaimed();
    void releaseHold();
    bool finish(int response);
    void watchControls();
    void accept(const FormField &field);

    data::Session &m_session;
    data::FileManager *m_file = nullptr;
    data::RelationManager *m_relations = nullptr;
    data::Record m_none;
    data::Record m_snapshot;
    std::vector<std::unique_ptr<FormField>> m_fields;
    std::vector<std::unique_ptr<FormField>> m_rejected;
    std::optional<Error> m_tableError;
    QPointer<QAbstractButton> m_okButton;
    QPointer<QAbstractButton> m_cancelButton;
    PrimeHook m_prime;
    CheckHook m_check;
    WriteHook m_history;
    WriteHook m_cancelled;
    HeldHook m_held;
    ChangeHook m_change;
    RecordKeeper *m_keeper = nullptr;
    std::vector<QPointer<FormList>> m_lists;
    qint64 m_heldRow = 0;
    qint64 m_claimedRow = 0;
    // The claimed row was written by a save whose transaction was then rolled back: the file no
    // longer knows it as claimed, so a second OK writes it as a change.
    bool m_claimWritten = false;
    bool m_deleting = false;
    bool m_finishing = false;
    bool m_showing = false;
    bool m_watching = false;
    // The focus watchers on memo controls, removed when the form goes before its window.
    std::vector<QPointer<QObject>> m_focusWatchers;
};

} // namespace tarvo::ui
