#include "access/ArchiveFolders.h"

#include "platform/runtime/Text.h"

namespace tarvo::access {

namespace {
const QChar Separator = QChar(0xB0);

QString digits(int category)
{
    return QStringLiteral("%1").arg(category, 3, 10, QLatin1Char('0'));
}
} // namespace

std::vector<ArchiveFolders::Category> ArchiveFolders::categories(const QString &securityFile)
{
    const QString product = securityFile.trimmed().toUpper();
    if (product == u"RF.SEC")
        return {{QStringLiteral("Kunde"), 20},      {QStringLiteral("Vertrag"), 200},
                {QStringLiteral("Schaden"), 201},   {QStringLiteral("Gesellschaft"), 22},
                {QStringLiteral("Vermittler"), 21}, {QStringLiteral("Adresse"), 0},
                {QStringLiteral("Sonstiges"), 250}};
    // "Sonstiges" shares 250 with "Kassenbuch" here, as in the other product.
    if (product == u"PENDRIX.SEC")
        return {{QStringLiteral("Kunde"), 20},     {QStringLiteral("Vertrag"), 40},
                {QStringLiteral("Maschine"), 50},  {QStringLiteral("Reparatur"), 60},
                {QStringLiteral("Faktura"), 30},   {QStringLiteral("Artikel"), 70},
                {QStringLiteral("Adresse"), 0},    {QStringLiteral("Kassenbuch"), 250},
                {QStringLiteral("Sonstiges"), 250}};
    return {};
}

QString ArchiveFolders::row(int category, const QString &folder, qint32 folderNumber)
{
    return digits(category) + Text::clip(folder) + Separator + QString::number(folderNumber);
}

QStringList ArchiveFolders::rowsOf(const QStringList &limits, int category)
{
    QStringList rows;
    for (const QString &limit : limits)
        if (limit.left(3) == digits(category) && limit.contains(Separator))
            rows << limit;
    return rows;
}

QString ArchiveFolders::folderName(const QString &row)
{
    return row.mid(3).section(Separator, 0, 0);
}

qint32 ArchiveFolders::folderNumber(const QString &row)
{
    return row.section(Separator, 1, 1).toInt();
}

} // namespace tarvo::access
