#include "access/SecurityFile.h"
#include "access/SqlSchema.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace tarvo::access::test {

namespace {

QString sourceRoot()
{
    const QString fromEnvironment = qEnvironmentVariable("TARVO_SOURCE_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    // tests/access/CatalogueTest.cpp -> the root of the tree
    return QFileInfo(QStringLiteral(__FILE__)).absoluteDir().absoluteFilePath(QStringLiteral("../.."));
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(TarvoCatalogue, ShippedFileIsComplete)
{
    const auto rows = SecurityFile::parse(read(QStringLiteral(":/vuvuzu/Tarvo.sec")));
    ASSERT_TRUE(rows.ok());
    QSet<QString> procedures;
    int controls = 0;
    for (const auto &row : *rows) {
        if (row.isProcedure())
            procedures.insert(row.resource);
        else if (!row.isApplication()) {
            ++controls;
            EXPECT_TRUE(procedures.contains(row.resource.section(QStringLiteral(":?"), 0, 0)))
                << qPrintable(row.resource);
            EXPECT_LE(row.resource.size(), 50);
        }
    }
    EXPECT_TRUE(procedures.contains(QStringLiteral("TARVO")));
    EXPECT_GE(controls, 119);
}

// Every rights key that the code asks about must be in the catalogue: a key the catalogue
// lacks is always allowed, so a typing error would silently switch a right off.
TEST(TarvoCatalogue, ListsEveryKeyTheCodeAsksAbout)
{
    const auto rows = SecurityFile::parse(read(QStringLiteral(":/vuvuzu/Tarvo.sec")));
    ASSERT_TRUE(rows.ok());
    QSet<QString> catalogue;
    for (const auto &row : *rows)
        catalogue.insert(SqlSchema::fold(row.resource));

    const QRegularExpression key(QStringLiteral("\"([A-Za-z_][A-Za-z0-9_]*:\\?[\\w&]+(?::\\d+)?)\""),
                                 QRegularExpression::UseUnicodePropertiesOption);
    const QString src = sourceRoot() + QStringLiteral("/src");
    ASSERT_TRUE(QFileInfo(src).isDir()) << qPrintable(src);
    QDirIterator it(src, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    QStringList missing;
    while (it.hasNext()) {
        const QString path = it.next();
        const QString text = QString::fromUtf8(read(path));
        for (auto match = key.globalMatch(text); match.hasNext();) {
            const QString found = match.next().captured(1);
            if (!catalogue.contains(SqlSchema::fold(found)))
                missing << path.mid(src.size() + 1) + QStringLiteral(": ") + found;
        }
    }
    EXPECT_TRUE(missing.isEmpty()) << qPrintable(missing.join(u'\n'));
}

} // namespace tarvo::access::test
