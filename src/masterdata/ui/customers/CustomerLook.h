#pragma once

#include "listext/ui/BrowseListModel.h"

#include <QIcon>
#include <QString>

namespace tarvo::masterdata::ui {

// How the lists of customers draw a row: the mark of a tagged row, and the colours of a row
// whose status is exactly "disabled".
const QIcon &tagIcon();
listext::ui::RowLook disabledLook(const QString &status);

} // namespace tarvo::masterdata::ui
