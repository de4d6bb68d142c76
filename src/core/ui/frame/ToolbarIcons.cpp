#include "core/ui/frame/ToolbarIcons.h"

#include <QApplication>
#include <QHash>
#include <QStyle>

namespace tarvo::core::ui {

namespace {

struct Picture {
    const char *theme;
    QStyle::StandardPixmap fallback;
};

Picture pictureOf(ToolbarKind kind, const QString &button)
{
    static const QHash<QString, Picture> record{
        {QStringLiteral("TOOLBAR:INSERT"), {"list-add", QStyle::SP_FileDialogNewFolder}},
        {QStringLiteral("TOOLBAR:CHANGE"), {"document-edit", QStyle::SP_FileDialogDetailedView}},
        {QStringLiteral("TOOLBAR:DELETE"), {"list-remove", QStyle::SP_TrashIcon}},
        {QStringLiteral("TOOLBAR:TOP"), {"go-top", QStyle::SP_MediaSkipBackward}},
        {QStringLiteral("TOOLBAR:PAGEUP"), {"go-up", QStyle::SP_MediaSeekBackward}},
        {QStringLiteral("TOOLBAR:UP"), {"go-previous", QStyle::SP_ArrowUp}},
        {QStringLiteral("TOOLBAR:DOWN"), {"go-next", QStyle::SP_ArrowDown}},
        {QStringLiteral("TOOLBAR:PAGEDOWN"), {"go-down", QStyle::SP_MediaSeekForward}},
        {QStringLiteral("TOOLBAR:BOTTOM"), {"go-bottom", QStyle::SP_MediaSkipForward}},
    };
    if (record.contains(button))
        return record.value(button);
    switch (kind) {
    case ToolbarKind::Standard:
        if (button == QLatin1String("BUTTON1"))
            return {"application-exit", QStyle::SP_DialogCloseButton};
        if (button == QLatin1String("BUTTON3"))
            return {"system-users", QStyle::SP_DirHomeIcon};
        if (button == QLatin1String("BUTTON5"))
            return {"text-x-generic", QStyle::SP_FileIcon};
        return {"mail-send", QStyle::SP_DriveNetIcon};
    case ToolbarKind::Options:
        if (button == QLatin1String("BUTTON16"))
            return {"preferences-system", QStyle::SP_FileDialogContentsView};
        if (button == QLatin1String("BUTTON6"))
            return {"preferences-desktop", QStyle::SP_DesktopIcon};
        if (button == QLatin1String("BUTTON3"))
            return {"mail-message-new", QStyle::SP_MessageBoxInformation};
        if (button == QLatin1String("BUTTON5"))
            return {"mail-message", QStyle::SP_FileDialogListView};
        return {"security-high", QStyle::SP_DriveHDIcon};
    default:
        if (button == QLatin1String("BUTTON4"))
            return {"help-contents", QStyle::SP_DialogHelpButton};
        if (button == QLatin1String("BUTTON16"))
            return {"mail-reply-sender", QStyle::SP_MessageBoxQuestion};
        return {"internet-web-browser", QStyle::SP_DriveNetIcon};
    }
}

} // namespace

QIcon toolbarIcon(ToolbarKind kind, const QString &button)
{
    const Picture picture = pictureOf(kind, button);
    return QIcon::fromTheme(QString::fromLatin1(picture.theme),
                            QApplication::style()->standardIcon(picture.fallback));
}

} // namespace tarvo::core::ui
