#include "platform/data/Session.h"

#include "platform/data/Dictionary.h"
#include "platform/data/ErrorReporter.h"
#include "platform/data/FileManager.h"
#include "platform/data/RecordHolds.h"
#include "platform/data/RelationManager.h"
#include "platform/data/Store.h"
#include "platform/runtime/Messages.h"

namespace tarvo::data {

Session::Session(const Dictionary &dictionary, int context, ErrorReporter *reporter)
    : m_dictionary(dictionary), m_context(context), m_reporter(reporter)
{
}

Session::~Session()
{
    if (m_holds)
        m_holds->releaseAll();
}

Store &Session::store() const
{
    return m_dictionary.store();
}

Result<Connection *> Session::connection() const
{
    return m_dictionary.store().connection();
}

FileManager *Session::file(const QString &label)
{
    const QString k = label.toLower();
    auto it = m_files.find(k);
    if (it != m_files.end())
        return it->get();
    LayoutPtr layout = m_dictionary.layout(label);
    if (!layout || !layout->decl().managed)
        return nullptr;
    auto fm = std::make_shared<FileManager>(*this, layout);
    m_files.insert(k, fm);
    return fm.get();
}

RelationManager *Session::relations(const QString &label)
{
    const QString k = label.toLower();
    auto it = m_relations.find(k);
    if (it != m_relations.end())
        return it->get();
    FileManager *fm = file(label);
    if (!fm)
        return nullptr;
    auto rm = std::make_shared<RelationManager>(*this, *fm);
    m_relations.insert(k, rm);
    return rm.get();
}

RecordHolds &Session::holds()
{
    if (!m_holds)
        m_holds = std::make_unique<RecordHolds>(*this);
    return *m_holds;
}

int Session::report(const FileError &error) const
{
    if (m_reporter)
        return m_reporter->report(error);
    return Button::No;
}

} // namespace tarvo::data
