// The list and tree extensions: browse extension, column filters, relation tree, splitter bars.
namespace tarvo::listext {
int listExtensionVersion() { return 1; }
} // namespace tarvo::listext
