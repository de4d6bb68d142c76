#include "core/startup/DataFilesOnly.h"

#include "core/startup/TarvoData.h"
#include "platform/data/Dictionary.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/ProgramInfo.h"

namespace tarvo::core {

const char *DataFilesOnly::notBuiltText()
{
    return "The data conversions are not built yet.|Every data file was opened and brought to the "
           "current layout; the one-time corrections of the data did not run.";
}

void DataFilesOnly::run(Context &first)
{
    data::Session *session = TarvoData::session(first);
    data::Dictionary *dictionary = TarvoData::dictionary();
    if (session && dictionary) {
        // Each file reports its own failure through the context's error object.
        for (const data::FileDecl &file : dictionary->decl().files)
            if (file.managed && file.aliasOf.isEmpty())
                if (data::FileManager *manager = session->file(file.label))
                    (void)manager->open();
    }
    Messages::show(QString::fromUtf8(notBuiltText()), ProgramInfo::productName(), MessageIcon::Information);
}

} // namespace tarvo::core
