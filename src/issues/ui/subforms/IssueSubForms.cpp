#include "issues/ui/subforms/IssueSubForms.h"

#include "issues/ui/subforms/UpdateAttachments.h"
#include "issues/ui/subforms/UpdateBugsResponsible.h"
#include "issues/ui/subforms/UpdateNotes.h"
#include "listext/ui/ListWindow.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"

#include <QPointer>

namespace tarvo::issues::ui {

namespace {

using MakeForm = std::function<tarvo::ui::UpdateForm *(Context &context)>;

// Puts the list's current row into the file's buffer (a new record for an insert), opens the
// form over the window and lets the list follow the row an insert added.
void registerForm(tarvo::ui::WindowManager &window, data::Session &session, const SubFormList &list,
                  const QString &fileLabel, MakeForm make)
{
    if (list.procedure == 0)
        return;
    QPointer<tarvo::ui::WindowManager> guarded(&window);
    window.setProcedure(list.procedure, [guarded, currentRow = list.currentRow, &session, fileLabel,
                                         make = std::move(make)](std::function<void()> finished) {
        data::FileManager *file = session.file(fileLabel);
        if (!guarded || !file) {
            finished();
            return;
        }
        // A procedure that opens nothing leaves Cancelled, as a form that was cancelled does.
        guarded->context().setThreadResponse(Response::Cancelled);
        const int request = guarded->context().threadRequest();
        if (request != Request::Insert && currentRow) {
            const qint64 row = currentRow();
            if (row <= 0) {
                finished();
                return;
            }
            data::Record current = file->newRecord();
            current.setRowId(row);
            file->buffer() = current;
        }
        tarvo::ui::UpdateForm *form = make(guarded->context());
        form->openModal(guarded->frame(), [guarded, file, request, finished](int response) {
            auto *lists = qobject_cast<listext::ui::ListWindow *>(guarded.data());
            if (lists && request == Request::Insert && response == Response::Completed)
                lists->followKey(file->buffer().rowId());
            finished();
        });
    });
}

} // namespace

void registerIssueSubForms(tarvo::ui::WindowManager &window, data::Session &session, SubFormUser user,
                           IssueSubFormLists lists, std::function<SubFormOwner()> owner)
{
    auto ownerNow = [owner] { return owner ? owner() : SubFormOwner{}; };
    registerForm(
        window, session, lists.notes, QStringLiteral("Notes"),
        [&session, user, ownerNow](Context &c) { return new UpdateNotes(c, session, user, ownerNow()); });
    registerForm(window, session, lists.attachments, QStringLiteral("Attachments"),
                 [&session, user, ownerNow](Context &c) {
                     return new UpdateAttachments(c, session, user, ownerNow());
                 });
    registerForm(window, session, lists.responsible, QStringLiteral("BugsResponsible"),
                 [&session, ownerNow](Context &c) {
                     return new UpdateBugsResponsible(c, session, ownerNow().issueId);
                 });
}

} // namespace tarvo::issues::ui
