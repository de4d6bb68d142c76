#include "platform/ui/UpdateForm.h"

#include "platform/data/Connection.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/ErrorReporter.h"
#include "platform/data/FileManager.h"
#include "platform/data/RecordHolds.h"
#include "platform/data/RelationManager.h"
#include "platform/data/Session.h"
#include "platform/data/Transaction.h"
#include "platform/runtime/Messages.h"
#include "platform/ui/FormList.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

namespace tarvo::ui {

namespace {

// The key a record without a row is found by: the primary key, else the first unique one.
int findingKey(const data::RecordLayout &layout)
{
    int unique = -1;
    for (int k = 0; k < layout.keyCount(); ++k) {
        const data::KeyDecl &key = layout.key(k);
        if (key.dynamic)
            continue;
        if (key.primary)
            return k;
        if (key.unique && unique < 0)
            unique = k;
    }
    return unique;
}

QString rangeText(const std::pair<double, double> &range)
{
    return QString::number(range.first) + QStringLiteral(" .. ") + QString::number(range.second);
}

// Runs an action when its text control loses the focus: where a memo's entry counts as accepted.
class FocusOutWatcher final : public QObject {
  public:
    FocusOutWatcher(QObject *parent, std::function<void()> action)
        : QObject(parent), m_action(std::move(action))
    {
    }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut)
            m_action();
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> m_action;
};

} // namespace

UpdateForm::UpdateForm(Context &context, QString procedureName, data::Session &session,
                       const QString &fileLabel, QObject *parent)
    : WindowManager(context, std::move(procedureName), parent), m_session(session),
      m_file(session.file(fileLabel)), m_relations(session.relations(fileLabel))
{
    if (!m_file) {
        m_tableError = makeError(data::ErrorCode::InvalidRecordDeclaration,
                                 QStringLiteral("The form's file %1 is not declared").arg(fileLabel));
        data::FileError error;
        error.messageNumber = MessageProgramError;
        error.message = m_tableError->message;
        m_session.report(error);
    }
}

UpdateForm::~UpdateForm()
{
    for (const auto &watcher : m_focusWatchers)
        delete watcher.data();
    // A window that went without OK or Cancel (its caller was deleted under it) leaves nothing
    // claimed and nothing held.
    if (m_claimedRow != 0)
        (void)removeClaimed();
    releaseHold();
}

data::Record &UpdateForm::record()
{
    return m_file ? m_file->buffer() : m_none;
}

FormField &UpdateForm::field(const QString &name, QWidget *control)
{
    return field(name, control, {}, {});
}

FormField &UpdateForm::field(const QString &name, QWidget *control, FormField::Shows shows,
                             FormField::Takes takes)
{
    const int index = m_file ? m_file->layout().fieldIndex(name) : -1;
    if (index < 0) {
        rejectTable(MessageFieldNotInFile, name, QString());
        m_rejected.push_back(std::make_unique<FormField>(nullptr, -1, nullptr));
        return *m_rejected.back();
    }
    auto bound = std::make_unique<FormField>(m_file->layoutPtr(), index, control);
    if (shows && takes)
        bound->accessors(std::move(shows), std::move(takes));
    if (!control || !bound->isBindable()) {
        rejectTable(MessageProgramError, bound->name(),
                    QStringLiteral("%1 cannot be shown in a %2")
                        .arg(bound->name(), control ? QString::fromLatin1(control->metaObject()->className())
                                                    : QStringLiteral("missing control")));
    }
    m_fields.push_back(std::move(bound));
    return *m_fields.back();
}

void UpdateForm::rejectTable(int messageNumber, const QString &field, const QString &message)
{
    const Error error =
        makeError(data::ErrorCode::InvalidRecordDeclaration,
                  message.isEmpty() ? field + QStringLiteral(" is not a field of the form's file") : message);
    if (!m_tableError)
        m_tableError = error;
    report(messageNumber, error, field, message);
}

int UpdateForm::report(int messageNumber, const Error &error, const QString &field, const QString &message)
{
    if (m_file)
        return m_file->report(messageNumber, error, field, QString(), message);
    data::FileError e;
    e.messageNumber = messageNumber;
    e.field = field;
    e.errorCode = error.code;
    e.errorText = error.message;
    e.message = message;
    return m_session.report(e);
}

void UpdateForm::setButtons(QAbstractButton *ok, QAbstractButton *cancel)
{
    m_okButton = ok;
    m_cancelButton = cancel;
    // Enter in a one-line entry presses OK, as in any dialog.
    if (auto *push = qobject_cast<QPushButton *>(ok))
        push->setDefault(true);
    if (ok)
        connect(ok, &QAbstractButton::clicked, this, [this]() { (void)this->ok(); });
    if (cancel)
        connect(cancel, &QAbstractButton::clicked, this, [this]() { (void)this->cancel(); });
}

const FormField *UpdateForm::fieldNamed(const QString &name) const
{
    const int index = m_file ? m_file->layout().fieldIndex(name) : -1;
    for (const auto &field : m_fields)
        if (index >= 0 && field->index() == index)
            return field.get();
    return nullptr;
}

QWidget *UpdateForm::frame() const
{
    return m_deleting ? nullptr : WindowManager::frame();
}

bool UpdateForm::open()
{
    if (isOpen())
        return true;
    if (m_tableError)
        return refuseOpening();
    int request = context().threadRequest();
    if (request != Request::Insert && request != Request::Change && request != Request::Delete &&
        request != Request::View) {
        report(MessageProgramError, makeError(0, QString()), QString(),
               QStringLiteral("%1 was asked for request %2").arg(procedureName()).arg(request));
        return refuseOpening();
    }
    if (m_keeper) {
        request = m_keeper->open(request);
    } else if (request != Request::Insert) {
        if (!readRecord())
            return refuseOpening();
        if (request != Request::View)
            request = holdOrAsk(request);
    }
    if (request == Request::None)
        return refuseOpening();
    context().setThreadRequest(request);
    m_deleting = request == Request::Delete;
    if (request == Request::View)
        applyViewMode();
    if (!WindowManager::open()) {
        if (m_keeper)
            (void)m_keeper->undo();
        releaseHold();
        return false;
    }
    if (request == Request::Insert && !m_keeper && !prime()) {
        finish(Response::Cancelled);
        return false;
    }
    if (m_deleting) {
        if (m_keeper)
            finish(m_keeper->remove() ? Response::Completed : Response::Cancelled);
        else
            runDelete();
        return true;
    }
    m_snapshot = record();
    showRecord();
    watchControls();
    return true;
}

void UpdateForm::watchControls()
{
    if (m_watching || isViewOnly())
        return;
    m_watching = true;
    for (const auto &owned : m_fields) {
        const FormField *field = owned.get();
        QWidget *c = field->control();
        auto accepted = [this, field]() { accept(*field); };
        if (auto *edit = qobject_cast<QLineEdit *>(c)) {
            connect(edit, &QLineEdit::editingFinished, this, accepted);
        } else if (auto *combo = qobject_cast<QComboBox *>(c)) {
            connect(combo, &QComboBox::activated, this, accepted);
            if (combo->lineEdit())
                connect(combo->lineEdit(), &QLineEdit::editingFinished, this, accepted);
        } else if (qobject_cast<QPlainTextEdit *>(c) || qobject_cast<QTextEdit *>(c)) {
            auto *watcher = new FocusOutWatcher(c, accepted);
            c->installEventFilter(watcher);
            m_focusWatchers.emplace_back(watcher);
        } else if (auto *button = qobject_cast<QAbstractButton *>(c)) {
            connect(button, &QAbstractButton::toggled, this, accepted);
        }
    }
}

void UpdateForm::accept(const FormField &field)
{
    if (m_showing || m_finishing || !isOpen() || !m_change)
        return;
    data::Record &buffer = record();
    const QVariant before = buffer.value(field.index());
    if (auto taken = field.take(buffer); !taken)
        return; // OK reports the entry that does not fit.
    if (buffer.value(field.index()) != before)
        m_change(field, before);
}

bool UpdateForm::readRecord()
{
    data::Record &buffer = record();
    if (!buffer.isValid())
        buffer = m_file->newRecord();
    qint64 row = buffer.rowId();
    Result<void> found;
    if (row == 0) {
        const int key = findingKey(m_file->layout());
        found = key < 0 ? Result<void>(makeError(data::ErrorCode::RecordNotFound, QString()))
                        : m_file->fetch(m_file->layout().key(key).name, buffer);
        row = buffer.rowId();
    }
    if (found) {
        // Read whole, and as stored now: the buffer may hold a list's partial or older copy.
        data::Record stored = m_file->newRecord();
        found = m_file->fetchRow(row, stored);
        if (found)
            buffer = stored;
    }
    if (!found) {
        report(MessageNotFound, found.error());
        return false;
    }
    return true;
}

bool UpdateForm::refuseOpening()
{
    // Nothing of a form that did not open stays behind: neither its hold nor the form itself.
    releaseHold();
    if (deletesOnClose())
        deleteLater();
    return false;
}

int UpdateForm::holdOrAsk(int request)
{
    data::Record &buffer = record();
    auto held = m_session.holds().hold(*m_file, buffer);
    if (held) {
        m_heldRow = buffer.rowId();
        // What another user saved before the hold was taken counts.
        return readRecord() ? request : Request::None;
    }
    if (held.error().code != data::ErrorCode::RecordHeld) {
        report(MessageDatabase, held.error());
        return Request::None;
    }
    if (m_held)
        return m_held();
    report(MessageHeld, held.error());
    return Request::View;
}

bool UpdateForm::prime()
{
    data::Record &buffer = record();
    if (!m_file->primeRecord(buffer))
        return false;
    m_claimedRow = buffer.rowId();
    m_claimWritten = false;
    if (m_claimedRow != 0) {
        // Nobody else is to edit the row while it is being made.
        auto held = m_session.holds().hold(*m_file, buffer);
        if (!held) {
            report(MessageDatabase, held.error());
            if (removeClaimed())
                m_claimedRow = 0;
            return false;
        }
        m_heldRow = m_claimedRow;
    }
    if (m_prime)
        m_prime(buffer);
    return true;
}

void UpdateForm::runDelete()
{
    data::Record &buffer = record();
    int response = Response::Cancelled;
    if (report(MessageConfirmDelete, makeError(0, QString())) == Button::Yes) {
        const auto removed = m_relations ? m_relations->remove(buffer) : m_file->remove(buffer);
        if (removed)
            response = Response::Completed;
    }
    finish(response);
}

void UpdateForm::applyViewMode()
{
    for (const auto &field : m_fields)
        field->setEditable(false);
    // A viewed record offers nothing that changes data: only buttons marked to stay stay usable.
    if (QWidget *w = window()) {
        for (QAbstractButton *button : w->findChildren<QAbstractButton *>()) {
            // A tab bar's scroll buttons only move through the tabs.
            if (button != m_okButton && button != m_cancelButton &&
                !button->property(KeepInViewMode).toBool() &&
                !qobject_cast<QTabBar *>(button->parentWidget()))
                button->setEnabled(false);
        }
    }
    if (m_okButton)
        m_okButton->hide();
    if (m_cancelButton)
        m_cancelButton->setText(QStringLiteral("&Close"));
}

void UpdateForm::showRecord()
{
    const data::Record &buffer = record();
    // What the form shows is not the user's entry.
    m_showing = true;
    for (const auto &field : m_fields)
        field->show(buffer);
    m_showing = false;
}

bool UpdateForm::takeControls()
{
    data::Record &buffer = record();
    for (const auto &field : m_fields) {
        if (auto taken = field->take(buffer); !taken) {
            report(FormField::InvalidEntry, taken.error(), field->name(), taken.error().message);
            selectControl(field->control());
            return false;
        }
    }
    return true;
}

void UpdateForm::selectControl(QWidget *control)
{
    if (!control)
        return;
    for (QWidget *w = control; w && w != window(); w = w->parentWidget()) {
        auto *stack = qobject_cast<QStackedWidget *>(w->parentWidget());
        if (auto *tabs = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr)
            tabs->setCurrentWidget(w);
    }
    control->setFocus(Qt::OtherFocusReason);
}

bool UpdateForm::checkFields()
{
    const data::Record &buffer = record();
    for (const auto &field : m_fields) {
        if (field->isRequired() && field->isEmptyIn(buffer)) {
            report(MessageRequired, makeError(0, QString()), field->name());
            selectControl(field->control());
            return false;
        }
    }
    for (const auto &field : m_fields) {
        if (!field->isInRange(buffer)) {
            report(MessageRange, makeError(0, QString()), field->name(), rangeText(*field->rangeLimits()));
            selectControl(field->control());
            return false;
        }
    }
    return true;
}

bool UpdateForm::ok()
{
    if (!isOpen() || m_finishing || isViewOnly())
        return false;
    data::Record &buffer = record();
    if (!takeControls() || !checkFields())
        return false;
    if (m_check && !m_check(buffer))
        return false;
    if (!m_file->validate(buffer))
        return false;
    if (m_keeper) {
        if (!m_keeper->save())
            return false;
        return finish(Response::Completed);
    }
    if (request() == Request::Insert || !buffer.sameValues(m_snapshot)) {
        if (!writeRecord())
            return false;
    }
    // Only now, with the change committed, may another user edit the record.
    m_claimedRow = 0;
    return finish(Response::Completed);
}

Result<void> UpdateForm::writeRecord()
{
    data::Record &buffer = record();
    auto conn = m_session.connection();
    if (!conn) {
        report(MessageDatabase, conn.error());
        return conn.error();
    }
    data::Transaction tx(**conn);
    if (!tx.started()) {
        report(MessageDatabase, tx.started().error());
        return tx.started();
    }
    Result<void> written;
    if (request() == Request::Insert && !m_claimWritten) {
        written = m_file->insert(buffer);
        m_claimWritten = written.ok() && m_claimedRow != 0;
    } else if (request() == Request::Insert) {
        written = m_file->update(buffer);
    } else {
        written = m_relations ? m_relations->update(buffer) : m_file->update(buffer);
    }
    // The managers have reported what refused the write.
    if (!written)
        return written;
    if (m_history) {
        if (auto history = m_history(m_snapshot, buffer); !history) {
            report(MessageDatabase, history.error());
            return history;
        }
    }
    if (auto committed = tx.commit(); !committed) {
        report(MessageDatabase, committed.error());
        return committed;
    }
    m_claimWritten = false;
    return {};
}

bool UpdateForm::cancel()
{
    if (!isOpen() || m_finishing)
        return false;
    if (m_keeper)
        return m_keeper->undo() && finish(Response::Cancelled);
    const bool undo = (request() == Request::Insert && m_claimedRow != 0) ||
                      (m_cancelled && (request() == Request::Insert || request() == Request::Change));
    if (undo) {
        auto conn = m_session.connection();
        if (!conn) {
            report(MessageDatabase, conn.error());
            return false;
        }
        data::Transaction tx(**conn);
        Result<void> undone = tx.started();
        if (undone && m_cancelled)
            undone = m_cancelled(m_snapshot, record());
        if (undone && m_claimedRow != 0)
            undone = removeClaimed();
        if (undone)
            undone = tx.commit();
        if (!undone) {
            report(MessageDatabase, undone.error());
            return false;
        }
        m_claimedRow = 0;
    }
    return finish(Response::Cancelled);
}

Result<void> UpdateForm::removeClaimed()
{
    // The claimed row goes with whatever sub-forms added under it.
    data::Record claimed = m_file->newRecord();
    auto found = m_file->fetchRow(m_claimedRow, claimed);
    if (found) {
        const auto removed = m_relations ? m_relations->remove(claimed) : m_file->remove(claimed);
        if (!removed)
            return removed;
    } else if (found.error().code != data::ErrorCode::RecordNotFound) {
        return found;
    }
    // The file forgets its claim; the row it would remove is gone already.
    auto forgotten = m_file->cancelPrimed(record());
    if (!forgotten && forgotten.error().code != data::ErrorCode::RecordNotFound)
        return forgotten;
    return {};
}

void UpdateForm::releaseHold()
{
    if (m_heldRow == 0 || !m_file)
        return;
    data::Record held = m_file->newRecord();
    held.setRowId(m_heldRow);
    m_session.holds().release(*m_file, held);
    m_heldRow = 0;
}

FormList &UpdateForm::list(FormList *list, int procedureNumber)
{
    m_lists.emplace_back(list);
    list->onRequest([this, list = QPointer<FormList>(list), procedureNumber](int request) {
        if (isViewOnly() || m_finishing)
            return;
        run(procedureNumber, request, [list](int) {
            if (list)
                (void)list->reload();
        });
    });
    return *list;
}

void UpdateForm::reloadLists()
{
    for (const auto &list : m_lists)
        if (list && list->isLoaded())
            (void)list->reload();
}

bool UpdateForm::finish(int response)
{
    releaseHold();
    m_finishing = true;
    setResponse(response);
    const bool closed = WindowManager::close();
    m_finishing = false;
    return closed;
}

bool UpdateForm::close()
{
    if (!isOpen())
        return false;
    if (m_finishing)
        return WindowManager::close();
    return cancel();
}

void UpdateForm::takeAccepted(const QString &controlName)
{
    if (m_okButton && controlName.compare(m_okButton->objectName(), Qt::CaseInsensitive) == 0)
        (void)ok();
    else if (m_cancelButton && controlName.compare(m_cancelButton->objectName(), Qt::CaseInsensitive) == 0)
        (void)cancel();
}

} // namespace tarvo::ui
