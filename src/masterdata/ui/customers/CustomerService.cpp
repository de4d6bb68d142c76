#include "core/frame/FrameUserSettings.h"
#include "core/services/AccessServices.h"
#include "core/services/Services.h"
#include "core/startup/TarvoData.h"
#include "masterdata/ui/MasterDataService.h"
#include "masterdata/ui/customers/BrowseCustomer.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/ProgramFolder.h"
#include "platform/runtime/RunOnce.h"
#include "platform/runtime/Translator.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>

namespace tarvo::masterdata {

namespace {

ui::BrowseCustomerUser currentUser()
{
    ui::BrowseCustomerUser user;
    core::AccessServices &access = *core::Services::access();
    user.mak = access.mak();
    user.userIniPath = access.makOrdner().isEmpty() ? ProgramFolder::filePath(QStringLiteral("User.ini"))
                                                    : core::FrameUserSettings::userIniPath(access);
    return user;
}

data::Session *sessionOf(Context &context)
{
    data::Session *session = core::TarvoData::session(context);
    if (!session)
        Messages::show(Translator::instance().translate(QStringLiteral("The data files are not open.")),
                       QStringLiteral("BrowseCustomer"), MessageIcon::Exclamation);
    return session;
}

} // namespace

void MasterDataService::browseCustomer()
{
    // The one customer window of the program; a second start brings it to the front.
    static RunOnce once(ContextRegistry::instance());
    Result<int> started = ContextRegistry::instance().start([](Context &context) {
        data::Session *session = sessionOf(context);
        if (!session)
            return;
        context.setThreadRequest(Request::None);
        auto *browse = new ui::BrowseCustomer(context, *session, currentUser());
        browse->setRunOnce(&once);
        if (!browse->open())
            browse->deleteLater();
    });
    if (!started)
        Messages::show(started.error().message, QStringLiteral("BrowseCustomer"), MessageIcon::Exclamation);
}

int MasterDataService::pickCustomer(int contextNumber)
{
    Context *context = ContextRegistry::instance().context(contextNumber);
    data::Session *session = context ? sessionOf(*context) : nullptr;
    if (!session)
        return ui::BrowseCustomer::PickedNone;
    ui::BrowseCustomerUser user = currentUser();
    // The customers of the program, and those who bought nothing.
    if (data::FileManager *bugs = session->file(QStringLiteral("Bugs")))
        user.prgId = bugs->buffer().isValid() ? bugs->buffer().integer(QStringLiteral("PrgID")) : 0;
    context->setThreadRequest(Request::Select);
    QPointer<ui::BrowseCustomer> picker = new ui::BrowseCustomer(*context, *session, user);
    picker->setDeleteOnClose(false);
    QEventLoop loop;
    int picked = ui::BrowseCustomer::PickedNone;
    const bool opened = picker->openModal(QApplication::activeWindow(), [&](int) {
        picked = picker ? picker->picked() : ui::BrowseCustomer::PickedNone;
        loop.quit();
    });
    if (opened && picker && picker->isOpen())
        loop.exec();
    context->setThreadResponse(picked != ui::BrowseCustomer::PickedNone ? Response::Completed
                                                                        : Response::Cancelled);
    delete picker.data();
    return picked;
}

} // namespace tarvo::masterdata
