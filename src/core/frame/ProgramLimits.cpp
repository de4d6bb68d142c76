#include "core/frame/ProgramLimits.h"

#include "core/dictionary/TarvoDictionary.h"
#include "platform/data/Dictionary.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/data/View.h"

namespace tarvo::core {

namespace {
constexpr int PageSize = 200;
}

Result<QStringList> ProgramLimits::read(const QString &dataFolder, const QString &userCode)
{
    data::FileDecl file = programLimitFile();
    // The frame reads the table through a manager of its own; the access library owns the rows.
    file.managed = true;
    data::DictionaryDecl decl;
    decl.files = {file};
    auto dictionary = data::Dictionary::open(std::move(decl), dataFolder, QStringLiteral("Vuvuzu"));
    if (!dictionary)
        return dictionary.error();
    std::unique_ptr<data::Session> session = (*dictionary)->createSession(0, nullptr);
    data::FileManager *limits = session->file(file.label);
    if (!limits)
        return makeError(2, QStringLiteral("File Not Found"));
    if (auto opened = limits->open(); !opened)
        return opened.error();

    data::View view(*limits, QStringLiteral("PRL:KeyMAKPrgname"));
    view.setRange({userCode});
    QStringList names;
    std::optional<data::Record> anchor;
    for (;;) {
        auto page = view.rowsAfter(anchor ? &*anchor : nullptr, PageSize);
        if (!page) {
            limits->close();
            return page.error();
        }
        for (const data::Record &row : *page)
            names.append(row.text(QStringLiteral("PRL:PrgName")));
        if (int(page->size()) < PageSize)
            break;
        anchor = page->back();
    }
    limits->close();
    return names;
}

QString ProgramLimits::build(const QStringList &programNames)
{
    QString secP;
    for (const QString &name : programNames) {
        const qsizetype degree = name.indexOf(u'\u00B0');
        secP += u'|' + name.mid(degree + 1).trimmed();
    }
    if (!secP.isEmpty())
        secP += u'|';
    return secP;
}

ProgramLimits::Outcome ProgramLimits::outcome(const Result<QStringList> &names)
{
    if (names)
        return {build(*names), {}};
    return {nothing(), QStringLiteral("The programs you may see could not be read (%1).|No program is shown "
                                      "until the program limits can be read again.")
                           .arg(names.error().message)};
}

} // namespace tarvo::core
