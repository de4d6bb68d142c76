#include "access/SecurityImport.h"

#include "access/AccessMessages.h"
#include "access/SqlSchema.h"
#include "access/VuvuzuPaths.h"

#include <QFile>
#include <QSet>

#include <map>

namespace tarvo::access {

Result<void> SecurityImport::run(AccessRepository &repository, const QString &securityFileName,
                                 const Progress &progress)
{
    const QString path = VuvuzuPaths::securityFile(securityFileName);
    QFile file(path.isEmpty() ? VuvuzuPaths::programFolder() + u'/' + securityFileName.trimmed() : path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        const QString error = path.isEmpty() ? QStringLiteral("File not found") : file.errorString();
        AccessMessages::refuse({QStringLiteral("Fehler beim Öffnen der Security-Datei \""), file.fileName(),
                                QStringLiteral("\"!|Fehler:"), QStringLiteral(" "), error});
        return makeError(2, error);
    }
    const auto rows = SecurityFile::parse(file.readAll());
    if (!rows) {
        AccessMessages::refuse(
            {QStringLiteral("Die Security-Datei \""), file.fileName(),
             QStringLiteral("\" ist leer oder unvollständig und wurde nicht importiert.")});
        return rows.error();
    }
    auto result = apply(repository, *rows, progress);
    if (!result)
        AccessMessages::refuse({QStringLiteral("Fehler beim Öffnen der Security-Datei \""), file.fileName(),
                                QStringLiteral("\"!|Fehler:"), QStringLiteral(" "), result.error().message});
    return result;
}

Result<void> SecurityImport::apply(AccessRepository &repository, const std::vector<SecurityRow> &rows,
                                   const Progress &progress)
{
    return repository.transaction([&]() -> Result<void> {
        auto procs = repository.procs();
        if (!procs)
            return procs.error();
        auto resources = repository.resources();
        if (!resources)
            return resources.error();
        auto users = repository.users();
        if (!users)
            return users.error();

        std::map<QString, ResourceRecord> byKey; // first (lowest) number per key
        for (const auto &r : *resources)
            byKey.try_emplace(SqlSchema::fold(r.resource), r);
        QSet<QString> seenProcs;
        QSet<qint32> seenResources;
        // A control row before any procedure row goes to the last procedure of the catalogue.
        QString currentProc = procs->empty() ? QString() : procs->back().proc;

        for (size_t i = 0; i < rows.size(); ++i) {
            const SecurityRow &row = rows[i];
            if (progress)
                progress(int((i + 1) * 100 / rows.size()));
            if (row.isApplication())
                continue;
            if (row.isProcedure()) {
                if (auto saved = repository.saveProc({row.resource, row.description}); !saved)
                    return saved.error();
                currentProc = row.resource;
                seenProcs.insert(SqlSchema::fold(row.resource));
                continue;
            }
            ResourceRecord record{0, currentProc, row.resource, row.description, row.description2, row.typ};
            const auto known = byKey.find(SqlSchema::fold(row.resource));
            if (known != byKey.end()) {
                record.resourceId = known->second.resourceId;
                if (auto updated = repository.updateResource(record); !updated)
                    return updated.error();
                seenResources.insert(record.resourceId);
                continue;
            }
            auto number = repository.insertResource(record);
            if (!number)
                return number.error();
            record.resourceId = *number;
            byKey.emplace(SqlSchema::fold(row.resource), record);
            seenResources.insert(*number);
            // A new control is granted to every user, under the user's whole code.
            for (const auto &u : *users)
                if (auto granted = repository.grant(u.mak, *number); !granted)
                    return granted.error();
        }

        for (const auto &p : *procs)
            if (!seenProcs.contains(SqlSchema::fold(p.proc)))
                if (auto removed = repository.deleteProc(p.proc); !removed)
                    return removed.error();
        for (const auto &r : *resources)
            if (!seenResources.contains(r.resourceId))
                if (auto removed = repository.deleteResource(r.resourceId); !removed)
                    return removed.error();
        return {};
    });
}

} // namespace tarvo::access
