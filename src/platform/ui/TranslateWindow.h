#pragma once

#include "platform/runtime/Translator.h"

class QWidget;

namespace tarvo::ui {

// Passes a window's caption and the fixed texts of its controls (labels, buttons, check and radio
// boxes, group titles, tab texts, menus and actions, placeholders, tooltips, header captions and
// fixed choice lists) through the translator; data that a control shows is left alone. Does
// nothing while the translator holds no table. Texts built later (popup menus, messages) are
// translated by whoever builds them.
void translateWindow(QWidget *window, const Translator &translator = Translator::instance());

} // namespace tarvo::ui
