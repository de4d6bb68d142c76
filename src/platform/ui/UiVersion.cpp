// The widget layer of the platform: message boxes, stop dialog, list views, window base.
namespace tarvo::ui {
int uiLayerVersion() { return 1; }
} // namespace tarvo::ui
