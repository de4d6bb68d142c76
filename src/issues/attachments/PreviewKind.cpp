#include "issues/attachments/PreviewKind.h"

#include <utility>

namespace tarvo::issues {

PreviewKind previewKindOf(const QString &fileName)
{
    const QString name = fileName.toUpper();
    // The extensions in the order they are tested: a name holding several takes the first found.
    struct Test {
        const char *extension;
        PreviewKind kind;
    };
    static constexpr Test tests[] = {
        {".ICO", PreviewKind::WindowImage},  {".GIF", PreviewKind::WindowImage},
        {".WMF", PreviewKind::WindowImage},  {".PNG", PreviewKind::LibraryImage},
        {".JPG", PreviewKind::LibraryImage}, {".JPEG", PreviewKind::LibraryImage},
        {".BMP", PreviewKind::LibraryImage}, {".PCX", PreviewKind::LibraryImage},
        {".TXT", PreviewKind::Text},         {".HTM", PreviewKind::Html},
        {".PDF", PreviewKind::Pdf},
    };
    for (const Test &test : tests)
        if (name.contains(QLatin1String(test.extension)))
            return test.kind;
    return PreviewKind::None;
}

QString noPreviewText()
{
    return QStringLiteral("Only .HTML .PDF .ICO .BMP .GIF .JPG .WMF .PCX .PNG .TXT files can be previewed!");
}

} // namespace tarvo::issues
