#include "core/services/CalledForm.h"
#include "masterdata/ui/MasterDataService.h"
#include "masterdata/ui/programs/ProgramRemoval.h"
#include "masterdata/ui/programs/UpdateProgramFiles.h"
#include "masterdata/ui/programs/UpdateProgramRelease.h"
#include "masterdata/ui/programs/UpdatePrograms.h"
#include "masterdata/ui/programs/UpdateWebLinks.h"
#include "masterdata/ui/programs/Vuvuzu_ProgramSelect.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Translator.h"

#include <QApplication>

namespace tarvo::masterdata {

namespace {

using FormDone = core::MasterDataServices::FormDone;

// Opens the form window-modal to the active window.
void openEntryForm(tarvo::ui::UpdateForm *form, FormDone done)
{
    form->openModal(QApplication::activeWindow(), [done = std::move(done)](int response) {
        if (done)
            done(response);
    });
}

} // namespace

QString MasterDataService::programSelect(int request, const QString &value)
{
    const core::CalledForm called = core::CalledForm::of(ContextRegistry::FrameNumber, {});
    if (!called)
        return {};
    return ui::Vuvuzu_ProgramSelect::run(*called.context, *called.session, request, value);
}

void MasterDataService::updatePrograms(int contextNumber, FormDone done)
{
    const core::CalledForm called = core::CalledForm::of(contextNumber, done);
    if (!called)
        return;
    if (called.context->threadRequest() == Request::Delete) {
        const int response = ui::ProgramRemoval(*called.session).run();
        called.context->setThreadResponse(response);
        if (done)
            done(response);
        return;
    }
    openEntryForm(new ui::UpdatePrograms(*called.context, *called.session), std::move(done));
}

void MasterDataService::updateProgramRelease(int contextNumber, FormDone done)
{
    const core::CalledForm called = core::CalledForm::of(contextNumber, done);
    if (!called)
        return;
    openEntryForm(new ui::UpdateProgramRelease(*called.context, *called.session), std::move(done));
}

void MasterDataService::updateProgramFiles(int contextNumber, FormDone done)
{
    const core::CalledForm called = core::CalledForm::of(contextNumber, done);
    if (!called)
        return;
    openEntryForm(new ui::UpdateProgramFiles(*called.context, *called.session), std::move(done));
}

void MasterDataService::updateWebLinks(int contextNumber, qint32 programId, FormDone done)
{
    const core::CalledForm called = core::CalledForm::of(contextNumber, done);
    if (!called)
        return;
    openEntryForm(new ui::UpdateWebLinks(*called.context, *called.session, programId), std::move(done));
}

} // namespace tarvo::masterdata
