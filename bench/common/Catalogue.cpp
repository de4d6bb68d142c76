#include "Catalogue.h"

#include <algorithm>

namespace tarvo::bench {

namespace {
const char *const kProducts[] = {"Ledger",   "Depot", "Courier", "Atlas",  "Harbor",
                                 "Meridian", "Quill", "Beacon",  "Summit", "Orchard"};
const char *const kModules[] = {"Client", "Server", "Reports", "Web Portal"};
const char *const kFiles[] = {"Main.exe",   "Setup.exe",  "Report.dll", "Print.dll",  "Mail.dll",
                              "Import.dll", "Export.dll", "Help.chm",   "Data.dll",   "Network.dll",
                              "Config.ini", "Update.exe", "Tools.dll",  "Viewer.exe", "Scheduler.dll"};
} // namespace

Catalogue::Catalogue()
{
    qint64 id = 0;
    for (int p = 0; p < 10; ++p) {
        const qint64 productId = ++id;
        for (int m = 0; m <= 4; ++m) {
            ProgramEntry e;
            e.id = m == 0 ? productId : ++id;
            e.parent = m == 0 ? 0 : productId;
            e.sort = m == 0 ? p + 1 : m;
            e.name = m == 0 ? QString::fromLatin1(kProducts[p])
                            : QString::fromLatin1(kProducts[p]) + QLatin1Char(' ') +
                                  QString::fromLatin1(kModules[m - 1]);
            const int releases = 5 + int(e.id % 6);
            for (int r = 0; r < releases; ++r)
                e.releases << QStringLiteral("%1.%2").arg(1 + r / 3).arg(r % 3);
            const int files = 6 + int(e.id % 8);
            for (int f = 0; f < files; ++f)
                e.files << QString::fromLatin1(kFiles[(f + int(e.id)) % int(std::size(kFiles))]);
            e.weight = 1 + int((e.id * 7) % 10);
            m_totalWeight += e.weight;
            m_programs.push_back(e);
        }
    }
}

const ProgramEntry &Catalogue::pickProgram(Rng &rng) const
{
    int w = rng.below(m_totalWeight);
    for (const ProgramEntry &e : m_programs) {
        if (w < e.weight)
            return e;
        w -= e.weight;
    }
    return m_programs.back();
}

const std::vector<Catalogue::Status> &Catalogue::statuses()
{
    static const std::vector<Status> list = {
        {QStringLiteral("New"), 1, false},       {QStringLiteral("Assigned"), 2, false},
        {QStringLiteral("Postponed"), 3, false}, {QStringLiteral("Investigated"), 4, false},
        {QStringLiteral("Resolved"), 5, false},  {QStringLiteral("Verified"), 6, true},
        {QStringLiteral("Failed"), 7, false},    {QStringLiteral("Closed"), 8, true},
    };
    return list;
}

const QStringList &Catalogue::priorities()
{
    static const QStringList list = {QStringLiteral("Low"), QStringLiteral("Medium"), QStringLiteral("High"),
                                     QStringLiteral("Urgent")};
    return list;
}

const QStringList &Catalogue::severities()
{
    static const QStringList list = {QStringLiteral("Minor"), QStringLiteral("Normal"),
                                     QStringLiteral("Major"), QStringLiteral("Critical"),
                                     QStringLiteral("Blocker")};
    return list;
}

const QStringList &Catalogue::classifications()
{
    static const QStringList list = {QStringLiteral("Functionality"), QStringLiteral("Usability"),
                                     QStringLiteral("Performance"),   QStringLiteral("Documentation"),
                                     QStringLiteral("Security"),      QStringLiteral("Installation")};
    return list;
}

const QStringList &Catalogue::initials()
{
    static const QStringList list = {QStringLiteral("ABC"), QStringLiteral("JDO"), QStringLiteral("MKL"),
                                     QStringLiteral("PRS"), QStringLiteral("TWE"), QStringLiteral("HNG"),
                                     QStringLiteral("SLO"), QStringLiteral("KRA"), QStringLiteral("BEN"),
                                     QStringLiteral("UWE")};
    return list;
}

QString Catalogue::programLimit(int count) const
{
    // Every fifth program is withheld first, then the rest from the end, so the limit cuts
    // through several products.
    std::vector<qint64> ids;
    for (const ProgramEntry &e : m_programs)
        if (e.id % 5 != 3)
            ids.push_back(e.id);
    for (const ProgramEntry &e : m_programs)
        if (e.id % 5 == 3)
            ids.push_back(e.id);
    ids.resize(std::min<size_t>(ids.size(), size_t(std::max(count, 0))));
    std::sort(ids.begin(), ids.end());
    QString limit = QStringLiteral("|");
    for (qint64 id : ids)
        limit += QString::number(id) + QLatin1Char('|');
    return limit;
}

} // namespace tarvo::bench
