#include "masterdata/options/TextList.h"

#include "platform/data/FileManager.h"
#include "platform/data/RelationManager.h"
#include "platform/data/Session.h"
#include "platform/data/View.h"

namespace tarvo::masterdata {

namespace {

struct KindInfo {
    const char *label;
    const char *field;
    const char *key;
};

KindInfo info(TextList::Kind kind)
{
    switch (kind) {
    case TextList::Kind::Reproducible:
        return {"Reproducible", "REP:REPRODUCIBLE", "REP:KeyReproducible"};
    case TextList::Kind::Resolution:
        return {"Resolution", "RES:RESOLUTION", "RES:KeyResolution"};
    case TextList::Kind::ContractTypes:
        return {"ContractTypes", "CON:CONTRACTTYPE", "CON:KeyContractType"};
    case TextList::Kind::Descriptions:
        return {"BugDesc", "BUD:DESCRIPTION", nullptr};
    }
    return {};
}

} // namespace

TextList::TextList(data::Session &session, Kind kind) : m_session(session), m_kind(kind) {}

QString TextList::label() const
{
    return QString::fromLatin1(info(m_kind).label);
}

QString TextList::textField() const
{
    return QString::fromLatin1(info(m_kind).field);
}

Result<std::vector<data::Record>> TextList::entries() const
{
    data::FileManager *file = m_session.file(label());
    if (!file)
        return makeError(2, QStringLiteral("The file %1 is not declared").arg(label()));
    if (auto opened = file->open(); !opened)
        return opened.error();
    const char *key = info(m_kind).key;
    data::View view = key ? data::View(*file, QString::fromLatin1(key))
                          : data::View(*file, std::vector<data::KeyComponent>{});
    std::vector<data::Record> rows;
    const data::Record *anchor = nullptr;
    for (;;) {
        auto page = view.rowsAfter(anchor, 100);
        if (!page)
            return page.error();
        if (page->empty())
            return rows;
        rows.insert(rows.end(), page->begin(), page->end());
        anchor = &rows.back();
    }
}

Result<void> TextList::insert(const QString &text)
{
    data::FileManager *file = m_session.file(label());
    if (!file)
        return makeError(2, QStringLiteral("The file %1 is not declared").arg(label()));
    if (auto opened = file->open(); !opened)
        return opened;
    data::Record entry = file->newRecord();
    entry.setValue(textField(), text);
    return file->insert(entry);
}

Result<void> TextList::change(data::Record entry)
{
    data::RelationManager *relations = m_session.relations(label());
    if (!relations)
        return makeError(2, QStringLiteral("The file %1 has no relations").arg(label()));
    return relations->update(entry);
}

Result<void> TextList::remove(const data::Record &entry)
{
    data::RelationManager *relations = m_session.relations(label());
    if (!relations)
        return makeError(2, QStringLiteral("The file %1 has no relations").arg(label()));
    data::Record doomed = entry;
    return relations->remove(doomed);
}

} // namespace tarvo::masterdata
