#pragma once

#include "platform/data/FileDecl.h"

#include <QString>
#include <QStringList>

namespace tarvo::access {

// SQL text made from a file declaration: the table, its key indexes, and the companion columns
// that hold the case-folded text of every case-insensitive key component. Folding happens in our
// code (QString::toCaseFolded), so "MÜLLER" and "müller" are one key on every store.
class SqlSchema final {
  public:
    static QStringList createStatements(const data::FileDecl &file);
    // Fields that carry a folded companion column.
    static QStringList foldedFields(const data::FileDecl &file);
    static QString foldColumn(const QString &field) { return field + QStringLiteral("_fold"); }
    static QString quoted(const QString &identifier) { return u'"' + identifier + u'"'; }
    // A text as a case-insensitive key compares it: trailing blanks cut, letters folded.
    static QString fold(const QString &text);
};

} // namespace tarvo::access
