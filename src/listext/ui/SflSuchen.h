#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace tarvo::listext::ui {

// What the user asked to search for.
struct TextSearchRequest final {
    QString text;
    bool ignoreCase = true;
};

// SFL_suchen: the small dialog that asks for the text of a full-text search of a list; the caller
// searches. Empty when the user cancels.
class SflSuchen final {
  public:
    using Asker = std::function<std::optional<TextSearchRequest>(QWidget *parent)>;

    static std::optional<TextSearchRequest> ask(QWidget *parent);
    // Tests answer the dialog through this seam; an empty asker restores the dialog.
    static void setAsker(Asker asker);
};

} // namespace tarvo::listext::ui
