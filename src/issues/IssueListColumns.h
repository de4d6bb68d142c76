#pragma once

#include "listext/ColumnDefinition.h"

#include <QStringList>

namespace tarvo::issues {

// The columns of the issue list as the browse extension knows them: the tag mark, the category and
// priority icons and every issue field a user may show, the first eight shown.
const listext::ColumnDefinitions &issueListColumns();

// Those of the fields, in the order given, each shown; fields that are not columns are left out.
listext::ColumnDefinitions issueListColumns(const QStringList &fields);

} // namespace tarvo::issues
