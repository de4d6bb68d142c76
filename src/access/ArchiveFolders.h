#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace tarvo::access {

// The archive folders a user may not open, kept as program-limit rows: the category in three
// digits, the folder name, B0h and the folder's number.
class ArchiveFolders final {
  public:
    struct Category {
        QString name;
        int number;
    };
    // The categories of a product's security file; empty when the product keeps no archive.
    static std::vector<Category> categories(const QString &securityFile);
    static QString row(int category, const QString &folder, qint32 folderNumber);
    // The rows of one category among a user's program-limit rows.
    static QStringList rowsOf(const QStringList &limits, int category);
    static QString folderName(const QString &row);
    static qint32 folderNumber(const QString &row);
};

} // namespace tarvo::access
