#include "issues/ui/ProgramTreeForms.h"

#include "core/services/MasterDataServices.h"
#include "core/services/Services.h"
#include "listext/ui/RelationTree.h"
#include "listext/ui/RelationTreeSection.h"
#include "listext/ui/RelationTreeView.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Context.h"

#include <QTreeView>

namespace tarvo::issues::ui {

namespace {

// The forms' numbers, one per kind of record row.
constexpr int ProgramForm = 1;
constexpr int ReleaseForm = 2;
constexpr int ProgramFileForm = 3;

struct FormFile {
    const char *label;
    const char *ownerField; // where a new record names its program
};

FormFile formFile(int update)
{
    switch (update) {
    case ProgramForm:
        return {"Programs", "PRG:P"};
    case ReleaseForm:
        return {"Releases", "REL:PRGID"};
    default:
        return {"Programfiles", "PFIL:PRGID"};
    }
}

} // namespace

ProgramTreeForms::ProgramTreeForms(Context &context, data::Session &session, listext::ui::RelationTree &tree,
                                   listext::ui::ProgramTreeSections sections, QTreeView *view)
    : m_context(context), m_session(session), m_tree(tree), m_sections(sections), m_view(view)
{
}

void ProgramTreeForms::install(listext::ui::RelationTreeView &treeView)
{
    m_tree.section(m_sections.programs)->setUpdateOptions(ProgramForm, true, true, true);
    m_tree.section(m_sections.releases)->setUpdateOptions(ReleaseForm, true, true, true);
    m_tree.section(m_sections.files)->setUpdateOptions(ProgramFileForm, true, true, true);
    m_tree.section(m_sections.programsHeader)->setUpdateOptions(ProgramForm, true, false, false);
    m_tree.section(m_sections.releasesHeader)->setUpdateOptions(ReleaseForm, true, false, false);
    m_tree.section(m_sections.filesHeader)->setUpdateOptions(ProgramFileForm, true, false, false);
    treeView.setRunner([this](int update, int request, std::function<void(int)> done) {
        run(update, request, std::move(done));
    });
}

qint64 ProgramTreeForms::programAbove(const QModelIndex &row) const
{
    if (!row.isValid())
        return 0;
    qint64 program = 0;
    for (const auto &[section, record] : m_tree.fetchRow(row))
        if (section == m_sections.programs)
            program = record.values.value(0).toLongLong();
    return program;
}

void ProgramTreeForms::run(int update, int request, std::function<void(int)> done)
{
    const QModelIndex current = m_view->currentIndex();
    // A program row's own Insert adds a sub-program; its releases and files are added on their
    // caption rows.
    if (request == Request::Insert && m_tree.sectionOf(current) == m_sections.programs)
        update = ProgramForm;
    const FormFile form = formFile(update);
    data::FileManager *file = m_session.file(QString::fromLatin1(form.label));
    if (!file) {
        done(Response::Cancelled);
        return;
    }
    data::Record &buffer = file->buffer();
    buffer = file->newRecord();
    if (request == Request::Insert) {
        const QModelIndex owner = update == ProgramForm && !m_tree.isHeaderRow(current)
                                      ? current
                                      : m_tree.insertTarget(current).second;
        buffer.setValue(QString::fromLatin1(form.ownerField), programAbove(owner));
    } else {
        const auto path = m_tree.fetchRow(current);
        // The row's position is the record's row in its file; a failed read has been reported.
        if (path.empty() || !file->fetchRow(path.back().second.position.toLongLong(), buffer)) {
            done(Response::Cancelled);
            return;
        }
    }
    // The browse's own request comes back when the form has closed.
    const int before = m_context.threadRequest();
    m_context.setThreadRequest(request);
    done = [context = m_context.shared_from_this(), before, done = std::move(done),
            closed = update == ProgramForm ? m_programFormClosed : std::function<void()>()](int response) {
        context->setThreadRequest(before);
        done(response);
        if (closed)
            closed();
    };
    core::MasterDataServices &masterData = *core::Services::masterData();
    if (update == ProgramForm)
        masterData.updatePrograms(m_context.number(), std::move(done));
    else if (update == ReleaseForm)
        masterData.updateProgramRelease(m_context.number(), std::move(done));
    else
        masterData.updateProgramFiles(m_context.number(), std::move(done));
}

} // namespace tarvo::issues::ui
