#include "listext/ui/ProgramTree.h"

#include "listext/ui/RelationTree.h"
#include "listext/ui/RelationTreeSection.h"
#include "listext/ui/ViewTreeFile.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/Session.h"
#include "platform/runtime/Translator.h"

namespace tarvo::listext::ui {

namespace {

std::shared_ptr<RelationTreeHeader> header(const char *caption)
{
    return std::make_shared<RelationTreeHeader>(
        QStringList{Translator::instance().translate(QString::fromLatin1(caption))});
}

} // namespace

Result<ProgramTreeSections> addProgramTree(RelationTree &tree, std::shared_ptr<RelationTreeFile> programs,
                                           std::shared_ptr<RelationTreeFile> releases,
                                           std::shared_ptr<RelationTreeFile> files)
{
    ProgramTreeSections sections;
    tree.setColumnHeaders({Translator::instance().translate(QStringLiteral("Program"))});
    sections.programs = tree.addFileSection(std::move(programs));
    sections.releases = tree.addFileSection(std::move(releases));
    sections.releasesHeader = tree.addHeaderSection(header("Releases"), sections.releases);
    sections.files = tree.addFileSection(std::move(files));
    sections.filesHeader = tree.addHeaderSection(header("Programfiles"), sections.files);
    tree.addChildSection(sections.releases, sections.programs, 0);
    tree.addChildSection(sections.files, sections.programs, 0);
    if (Result<void> recursion = tree.addRecursion(sections.programs, 1); !recursion)
        return recursion.error();
    // The "Programs" row stands over the top-level programs, open, so that even an empty tree has
    // a row to add the first program on.
    sections.programsHeader = tree.addHeaderSection(header("Programs"), sections.programs);
    tree.openTopHeader(sections.programsHeader);
    return sections;
}

Result<ProgramTreeSections> addProgramTree(RelationTree &tree, data::Session &session,
                                           std::function<bool(qint64 prgId)> topLimit)
{
    data::FileManager *programs = session.file(QStringLiteral("Programs"));
    data::FileManager *releases = session.file(QStringLiteral("Releases"));
    data::FileManager *files = session.file(QStringLiteral("Programfiles"));
    if (!programs || !releases || !files)
        return makeError(
            data::ErrorCode::FileNotFound,
            QStringLiteral("The program tree needs the files Programs, Releases and Programfiles."));
    auto programFile = std::make_shared<ViewTreeFile>(*programs, QStringLiteral("PRG:KeyPSort"),
                                                      QStringLiteral("PrgName"), QStringLiteral("ID"), true);
    if (topLimit)
        programFile->setTopLimit(
            [limit = std::move(topLimit)](const QVariant &number) { return limit(number.toLongLong()); });
    return addProgramTree(tree, std::move(programFile),
                          std::make_shared<ViewTreeFile>(*releases, QStringLiteral("REL:KeyPrgIDRelease"),
                                                         QStringLiteral("Release"), QString(), false),
                          std::make_shared<ViewTreeFile>(*files, QStringLiteral("PFIL:KeyPrgIDFile"),
                                                         QStringLiteral("FILE"), QString(), false));
}

} // namespace tarvo::listext::ui
