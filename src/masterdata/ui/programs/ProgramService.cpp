#include "core/startup/TarvoData.h"
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

// The caller's context with its data files; null (and the caller told Cancelled) without them.
Context *callerContext(int contextNumber, const FormDone &done, data::Session *&session)
{
    Context *context = ContextRegistry::instance().context(contextNumber);
    session = context ? core::TarvoData::session(*context) : nullptr;
    if (session)
        return context;
    Messages::show(Translator::instance().translate(QStringLiteral("The data files are not open.")),
                   QStringLiteral("Tarvo"), MessageIcon::Exclamation);
    if (done)
        done(Response::Cancelled);
    return nullptr;
}

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
    data::Session *session = nullptr;
    Context *context = callerContext(ContextRegistry::FrameNumber, {}, session);
    if (!context)
        return {};
    return ui::Vuvuzu_ProgramSelect::run(*context, *session, request, value);
}

void MasterDataService::updatePrograms(int contextNumber, FormDone done)
{
    data::Session *session = nullptr;
    Context *context = callerContext(contextNumber, done, session);
    if (!context)
        return;
    if (context->threadRequest() == Request::Delete) {
        const int response = ui::ProgramRemoval(*session).run();
        context->setThreadResponse(response);
        if (done)
            done(response);
        return;
    }
    openEntryForm(new ui::UpdatePrograms(*context, *session), std::move(done));
}

void MasterDataService::updateProgramRelease(int contextNumber, FormDone done)
{
    data::Session *session = nullptr;
    Context *context = callerContext(contextNumber, done, session);
    if (!context)
        return;
    openEntryForm(new ui::UpdateProgramRelease(*context, *session), std::move(done));
}

void MasterDataService::updateProgramFiles(int contextNumber, FormDone done)
{
    data::Session *session = nullptr;
    Context *context = callerContext(contextNumber, done, session);
    if (!context)
        return;
    openEntryForm(new ui::UpdateProgramFiles(*context, *session), std::move(done));
}

void MasterDataService::updateWebLinks(int contextNumber, qint32 programId, FormDone done)
{
    data::Session *session = nullptr;
    Context *context = callerContext(contextNumber, done, session);
    if (!context)
        return;
    openEntryForm(new ui::UpdateWebLinks(*context, *session, programId), std::move(done));
}

} // namespace tarvo::masterdata
