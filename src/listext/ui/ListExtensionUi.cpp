// Widgets of the list and tree extensions.
namespace tarvo::listext::ui {
int listExtensionUiVersion() { return 1; }
} // namespace tarvo::listext::ui
