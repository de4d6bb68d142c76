#pragma once

#include <QString>

namespace tarvo::issues {

// How the attachment form shows a stored file: chosen by the extension in its name.
enum class PreviewKind { WindowImage, LibraryImage, Text, Html, Pdf, None };

// The kind for a file name: the first of the tested extensions found anywhere in the upper-cased
// name decides, so "a.htm.pdf" previews as HTML.
PreviewKind previewKindOf(const QString &fileName);

// The message shown for the kind None.
QString noPreviewText();

} // namespace tarvo::issues
