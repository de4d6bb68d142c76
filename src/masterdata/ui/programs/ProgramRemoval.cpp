#include "masterdata/ui/programs/ProgramRemoval.h"

#include "masterdata/programs/ProgramDeletion.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Context.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Translator.h"

#include <QApplication>

namespace tarvo::masterdata::ui {

namespace {
int ask(const char *text, int buttons)
{
    const Translator &translator = Translator::instance();
    return Messages::show(translator.translate(QString::fromUtf8(text)),
                          translator.translate(QStringLiteral("Confirm Delete")), MessageIcon::Question,
                          buttons, Button::No);
}
} // namespace

int ProgramRemoval::run()
{
    data::FileManager *programs = m_session.file(QStringLiteral("Programs"));
    if (!programs || !programs->buffer().isValid())
        return Response::Cancelled;
    const qint64 id = programs->buffer().integer(QStringLiteral("PRG:ID"));
    if (ask("Are you sure you want to delete this program?||All corresponding sub-programs, releases, bugs, "
            "... "
            "will also be deleted.",
            Button::Yes | Button::No) != Button::Yes)
        return Response::Cancelled;
    ProgramDeletion deletion(m_session);
    auto below = deletion.hasSubPrograms(id);
    if (!below) {
        Messages::show(below.error().message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
        return Response::Cancelled;
    }
    auto subPrograms = ProgramDeletion::SubPrograms::Delete;
    if (*below) {
        const int answer = ask("Should the sub-programs be deleted as well?||No moves them up to the parent "
                               "of this program.",
                               Button::Yes | Button::No | Button::Cancel);
        if (answer == Button::Cancel)
            return Response::Cancelled;
        if (answer == Button::No)
            subPrograms = ProgramDeletion::SubPrograms::MoveUp;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Result<void> removed = deletion.remove(id, subPrograms);
    QApplication::restoreOverrideCursor();
    if (!removed) {
        Messages::show(removed.error().message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
        return Response::Cancelled;
    }
    return Response::Completed;
}

} // namespace tarvo::masterdata::ui
