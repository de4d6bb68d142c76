#pragma once

#include "platform/query/MassUpdate.h"

#include <functional>

class QWidget;

namespace tarvo::listext::ui {

// The mass-update dialog: one editor per offered field (an entry, or a combo box or drop list of
// its choices); the values the user enters go into the update. False when the user cancels.
class MassUpdateWindow final {
  public:
    using Asker = std::function<bool(QWidget *parent, query::MassUpdate &update, int tagged)>;

    static bool ask(QWidget *parent, query::MassUpdate &update, int tagged);
    // Tests fill the update through this seam; an empty asker restores the dialog.
    static void setAsker(Asker asker);
};

} // namespace tarvo::listext::ui
