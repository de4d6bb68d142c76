#include "core/lists/AllMAKUserNames.h"

#include "core/services/AccessServices.h"

#include <QStringList>

namespace tarvo::core {

namespace {
const QChar kEntrySeparator(0x00B0); // "°"
const QChar kFieldSeparator('|');
} // namespace

std::vector<UserQueueEntry> parseAllMAKUserNames(const QString &text)
{
    const QString limited = text.left(AllMAKUserNamesMaxLength);
    std::vector<UserQueueEntry> rows;
    for (const QString &entry : limited.split(kEntrySeparator)) {
        const qsizetype first = entry.indexOf(kFieldSeparator);
        const qsizetype second = first < 0 ? -1 : entry.indexOf(kFieldSeparator, first + 1);
        UserQueueEntry row;
        row.userAddress = (first < 0 ? entry : entry.left(first)).left(UserQueueEntry::AddressWidth);
        if (first >= 0) {
            const QString mak = second < 0 ? entry.mid(first + 1) : entry.mid(first + 1, second - first - 1);
            row.userMak = mak.left(UserQueueEntry::MakWidth);
        }
        if (second >= 0)
            row.userName = entry.mid(second + 1).left(UserQueueEntry::NameWidth);
        rows.push_back(std::move(row));
    }
    return rows;
}

void AllMAKUserNames(AccessServices &access, UserQueue &queue)
{
    queue.replace(parseAllMAKUserNames(access.getValue(QStringLiteral("AllMAKUserNames"))));
}

} // namespace tarvo::core
