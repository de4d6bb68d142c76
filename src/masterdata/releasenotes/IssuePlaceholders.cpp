#include "masterdata/releasenotes/IssuePlaceholders.h"

#include "platform/data/FileManager.h"
#include "platform/runtime/DayDate.h"
#include "platform/runtime/Picture.h"
#include "platform/runtime/Text.h"

#include <QSet>

namespace tarvo::masterdata {

namespace {

// Fields whose numbers are day numbers or clock times, and the number shown without grouping.
const QSet<QString> kDates = {QStringLiteral("DUEDATE"),    QStringLiteral("REPORTEDDATE"),
                              QStringLiteral("FIXEDDATE"),  QStringLiteral("VERIFIEDDATE"),
                              QStringLiteral("CREATEDATE"), QStringLiteral("CHANGEDDATE")};
const QSet<QString> kTimes = {QStringLiteral("STARTTIME"), QStringLiteral("ENDTIME"),
                              QStringLiteral("CREATETIME"), QStringLiteral("CHANGEDTIME")};

// A filled value that contains its own placeholder would be filled again in every pass.
constexpr int kMaxPasses = 64;

struct Placeholder final {
    QString name;  // upper case, between carets
    QString field; // the Bugs field, or a name of its own
};

} // namespace

IssuePlaceholders::IssuePlaceholders(data::FileManager *programs, UserName userName)
    : m_programs(programs), m_userName(std::move(userName))
{
}

std::optional<QString> IssuePlaceholders::valueOf(const data::Record &issue, const QString &field) const
{
    if (field == QLatin1String("PRGNAME")) {
        if (!m_programs)
            return std::nullopt;
        data::Record program = m_programs->newRecord();
        program.setValue(QStringLiteral("PRG:ID"), issue.value(QStringLiteral("BUG:PrgID")));
        if (!m_programs->fetch(QStringLiteral("KeyID"), program))
            return std::nullopt;
        return Text::clip(program.text(QStringLiteral("PRG:PrgName")));
    }
    if (field.endsWith(QLatin1String("USERNAME"))) {
        const QString initials = issue.text(QStringLiteral("BUG:") + field.chopped(8)).trimmed();
        return initials.isEmpty() || !m_userName ? QString() : m_userName(initials);
    }
    if (field == QLatin1String("DATE"))
        return Picture::format(DayDate::today(), QStringLiteral("@D017B")).trimmed();
    if (field == QLatin1String("TIME"))
        return Picture::format(DayDate::clock(), QStringLiteral("@T07B")).trimmed();

    const int index = issue.layout().fieldIndex(field);
    const data::FieldDecl &decl = issue.layout().field(index);
    const QVariant value = issue.value(index);
    switch (decl.type) {
    case data::FieldType::String:
    case data::FieldType::CString:
    case data::FieldType::Memo:
        return Text::clip(value.toString());
    default:
        break;
    }
    QString picture = QStringLiteral("@n-14");
    if (field == QLatin1String("ID"))
        picture = QStringLiteral("@n_7");
    else if (decl.type == data::FieldType::Byte)
        picture = QStringLiteral("@n3");
    else if (kDates.contains(field))
        picture = QStringLiteral("@D017B");
    else if (kTimes.contains(field))
        picture = QStringLiteral("@T08B");
    return Picture::format(value, picture).trimmed();
}

QStringList IssuePlaceholders::names(const data::RecordLayout &issues)
{
    QStringList all;
    for (int i = 0; i < issues.fieldCount(); ++i) {
        const QString field = issues.field(i).name.toUpper();
        if (field != QLatin1String("PRGID"))
            all << QStringLiteral("^BUG:%1^").arg(field);
    }
    for (const char *user : {"RESPONSIBLEUSERNAME", "FIXEDBYUSERNAME", "VERIFIEDBYUSERNAME"})
        all << QStringLiteral("^BUG:%1^").arg(QLatin1String(user));
    all << QStringLiteral("^DATE^") << QStringLiteral("^TIME^");
    return all;
}

QString IssuePlaceholders::fill(const data::Record &issue, const QString &text) const
{
    std::vector<Placeholder> placeholders;
    for (const QString &name : names(issue.layout())) {
        const QString inner = name.mid(1, name.size() - 2);
        placeholders.push_back({name, inner.startsWith(QLatin1String("BUG:")) ? inner.mid(4) : inner});
    }

    QString working = text.left(MaxLength);
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        bool replaced = false;
        for (const Placeholder &p : placeholders) {
            const qsizetype at = working.indexOf(p.name, 0, Qt::CaseInsensitive);
            if (at < 0)
                continue;
            const std::optional<QString> value = valueOf(issue, p.field);
            if (!value)
                continue;
            working = QString(working.left(at) + *value + working.mid(at + p.name.size())).left(MaxLength);
            replaced = true;
        }
        if (!replaced)
            break;
    }
    return Text::clip(working);
}

} // namespace tarvo::masterdata
