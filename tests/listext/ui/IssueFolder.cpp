#include "listext/ui/IssueFolder.h"

#include "core/dictionary/TarvoDictionary.h"
#include "platform/data/Connection.h"
#include "platform/data/Transaction.h"

#include <QDir>
#include <QSqlQuery>

namespace tarvo::listext::test {

namespace {

struct Program {
    const char *name;
    const char *parent;
    QStringList releases;
    QStringList files;
};

const std::vector<Program> &programs()
{
    static const std::vector<Program> list{
        {"Alpha",
         "",
         {QStringLiteral("1.0"), QStringLiteral("1.1"), QStringLiteral("2.0")},
         {QStringLiteral("alpha.exe"), QStringLiteral("alpha.dll")}},
        {"Beta", "", {QStringLiteral("0.9")}, {}},
        {"Gamma", "", {QStringLiteral("3.1"), QStringLiteral("3.2")}, {QStringLiteral("gamma.exe")}},
        {"Alpha Pro", "Alpha", {QStringLiteral("5.0")}, {QStringLiteral("pro.exe")}},
        {"Delta", "", {QStringLiteral("1.0")}, {QStringLiteral("delta.exe")}},
    };
    return list;
}

// Texts an export has to quote or escape, and one it writes as an empty cell.
const QStringList &deltaDescriptions()
{
    static const QStringList list{QStringLiteral("Smith; Jones"),
                                  QStringLiteral("12\" disk"),
                                  QStringLiteral("<b>bold</b> & \"both\"; here"),
                                  QString(),
                                  QStringLiteral("Gr\u00f6\u00dfe \u2713 ok"),
                                  QStringLiteral("plain text")};
    return list;
}

} // namespace

const QStringList &IssueFolder::statuses()
{
    static const QStringList list{QStringLiteral("New"), QStringLiteral("Open"), QStringLiteral("In Work"),
                                  QStringLiteral("Fixed"), QStringLiteral("closed")};
    return list;
}

IssueFolder::IssueFolder(const QString &folder)
{
    QDir().mkpath(folder);
    auto dict = data::Dictionary::open(core::tarvoDictionary(), folder);
    if (!dict) {
        m_error = dict.error().message;
        return;
    }
    m_dictionary = std::move(dict.value());
    m_session = m_dictionary->createSession(1, this);
    if (!fill() && m_error.isEmpty())
        m_error = QStringLiteral("the folder could not be filled");
}

IssueFolder::~IssueFolder()
{
    m_session.reset();
    m_dictionary.reset();
}

data::FileManager &IssueFolder::file(const QString &label)
{
    data::FileManager *fm = m_session->file(label);
    (void)fm->open();
    return *fm;
}

qint64 IssueFolder::programId(const QString &name) const
{
    for (size_t i = 0; i < programs().size(); ++i)
        if (QLatin1String(programs()[i].name) == name)
            return qint64(i) + 1;
    return 0;
}

QVariantList IssueFolder::column(const QString &sql, const QVariantList &params)
{
    QVariantList out;
    auto conn = m_session->connection();
    if (!conn)
        return out;
    auto q = (*conn)->exec(sql, params);
    if (!q)
        return out;
    while (q.value()->next())
        out << q.value()->value(0);
    return out;
}

int IssueFolder::report(const data::FileError &error)
{
    m_error = error.file + QStringLiteral(": ") + error.message;
    return 0;
}

bool IssueFolder::fill()
{
    auto conn = m_session->connection();
    if (!conn) {
        m_error = conn.error().message;
        return false;
    }
    data::Transaction tx(**conn);
    auto put = [this](const QString &label, data::Record &r) {
        if (auto done = file(label).insert(r); !done) {
            m_error = label + QStringLiteral(": ") + done.error().message;
            return false;
        }
        return true;
    };
    data::Record prg = file(QStringLiteral("Programs")).newRecord();
    data::Record rel = file(QStringLiteral("Releases")).newRecord();
    data::Record fil = file(QStringLiteral("Programfiles")).newRecord();
    int sort = 0;
    for (const Program &p : programs()) {
        const QString name = QLatin1String(p.name);
        prg.clear();
        prg.setValue(QStringLiteral("P"), programId(QLatin1String(p.parent)));
        prg.setValue(QStringLiteral("Sort"), ++sort);
        prg.setValue(QStringLiteral("PrgName"), name);
        if (!put(QStringLiteral("Programs"), prg))
            return false;
        for (const QString &release : p.releases) {
            rel.clear();
            rel.setValue(QStringLiteral("PRGNAME"), name);
            rel.setValue(QStringLiteral("PRGID"), programId(name));
            rel.setValue(QStringLiteral("Release"), release);
            if (!put(QStringLiteral("Releases"), rel))
                return false;
        }
        for (const QString &f : p.files) {
            fil.clear();
            fil.setValue(QStringLiteral("PRGNAME"), name);
            fil.setValue(QStringLiteral("PRGID"), programId(name));
            fil.setValue(QStringLiteral("FILE"), f);
            if (!put(QStringLiteral("Programfiles"), fil))
                return false;
        }
    }
    data::Record bug = file(QStringLiteral("Bugs")).newRecord();
    const QStringList priorities{QStringLiteral("Low"), QStringLiteral("Medium"), QStringLiteral("High")};
    const int firstDelta = Issues - DeltaIssues;
    for (int i = 0; i < Issues; ++i) {
        const bool delta = i >= firstDelta;
        const Program &p = delta ? programs().back() : programs()[size_t((i * 7) % 4)];
        bug.clear();
        bug.setValue(QStringLiteral("PrgID"), programId(QLatin1String(p.name)));
        bug.setValue(QStringLiteral("PrgName"), QLatin1String(p.name));
        bug.setValue(QStringLiteral("Category"), 1 + i % 4);
        bug.setValue(QStringLiteral("Status"), statuses().at((i * 3 + i / 7) % statuses().size()));
        bug.setValue(QStringLiteral("Priority"), priorities.at((i * 5) % 3));
        bug.setValue(QStringLiteral("PrioritySort"), 1 + (i * 5) % 3);
        bug.setValue(QStringLiteral("Version"), p.releases.value(i % p.releases.size()));
        bug.setValue(QStringLiteral("Description"), delta ? deltaDescriptions().at(i - firstDelta)
                                                          : QStringLiteral("Issue number %1").arg(i + 1));
        // Reports go back a day per issue from 2024-01-01, with some days shared.
        bug.setValue(QStringLiteral("ReportedDate"), 81453 - i + (i % 5));
        if (!put(QStringLiteral("Bugs"), bug))
            return false;
    }
    if (auto c = tx.commit(); !c) {
        m_error = c.error().message;
        return false;
    }
    return true;
}

} // namespace tarvo::listext::test
