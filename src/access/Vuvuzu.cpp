// The access library: login, rights and user values.
namespace vuvuzu {
int libraryVersion() { return 1; }
} // namespace vuvuzu
