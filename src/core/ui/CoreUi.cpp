// Windows of the application core.
namespace tarvo::core::ui {
int coreUiVersion()
{
    return 1;
}
} // namespace tarvo::core::ui
