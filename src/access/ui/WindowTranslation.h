#pragma once

class QWidget;

namespace tarvo::access {

// Passes a library window's title and every control text through the library's translator,
// as each window does just after it opens.
void translateWindow(QWidget *window);

} // namespace tarvo::access
