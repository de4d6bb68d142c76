#include "issues/attachments/PreviewKind.h"

#include <initializer_list>
#include <utility>

namespace tarvo::issues {

PreviewKind previewKindOf(const QString &fileName)
{
    const QString name = fileName.toUpper();
    const std::pair<std::initializer_list<const char *>, PreviewKind> tests[] = {
        {{".ICO", ".GIF", ".WMF"}, PreviewKind::WindowImage},
        {{".PNG", ".JPG", ".JPEG", ".BMP", ".PCX"}, PreviewKind::LibraryImage},
        {{".TXT"}, PreviewKind::Text},
        {{".HTM"}, PreviewKind::Html},
        {{".PDF"}, PreviewKind::Pdf},
    };
    for (const auto &[extensions, kind] : tests)
        for (const char *extension : extensions)
            if (name.contains(QLatin1String(extension)))
                return kind;
    return PreviewKind::None;
}

QString noPreviewText()
{
    return QStringLiteral("Only .HTML .PDF .ICO .BMP .GIF .JPG .WMF .PCX .PNG .TXT files can be previewed!");
}

} // namespace tarvo::issues
