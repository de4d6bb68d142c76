#include "core/frame/ToolbarTable.h"

#include "core/frame/RecordButtons.h"

namespace tarvo::core {

namespace {

ToolbarButton record(int number)
{
    const RecordButton &b = RecordButtons[std::size_t(recordButtonIndex(number))];
    return {QString::fromLatin1(b.objectName), QString::fromLatin1(b.tip), {}, {}};
}

std::array<ToolbarDescription, ToolbarCount> makeTable()
{
    const QString s = QStringLiteral("Toolbar_Standard:?");
    const QString o = QStringLiteral("Toolbar_Options:?");
    return {{
        {ToolbarKind::Standard,
         QStringLiteral("Standard"),
         QStringLiteral("Toolbar_Standard"),
         QStringLiteral("Standard"),
         1,
         {Dock::Top, 0, 0, 87, 16},
         {{QStringLiteral("BUTTON1"), QStringLiteral("Exit program"), {}, QStringLiteral("FILEEXIT")},
          {QStringLiteral("BUTTON3"), QStringLiteral("Customer"), s + QStringLiteral("Button3"),
           QStringLiteral("BROWSECUSTOMER")},
          {QStringLiteral("BUTTON5"), QStringLiteral("Generate Release Notes"), s + QStringLiteral("Button5"),
           QStringLiteral("FILEGENERATERELEASENOTES")},
          {QStringLiteral("BUTTON4"), QStringLiteral("Mass EMails (Newsletters, Update notifications, ...)"),
           s + QStringLiteral("Button4"), QStringLiteral("FILEMASSEMAILS")}}},
        {ToolbarKind::Navigation,
         QStringLiteral("Navigation"),
         QStringLiteral("Toolbar_Navigation"),
         QStringLiteral("Navigation"),
         2,
         {Dock::Top, 88, 0, 105, 16},
         {record(3006), record(3008), record(3010), record(3009), record(3007), record(3005)}},
        {ToolbarKind::Update,
         QStringLiteral("Update"),
         QStringLiteral("Toolbar_Update"),
         QStringLiteral("Update"),
         3,
         {Dock::Top, 195, 0, 57, 16},
         {record(3001), record(3002), record(3003)}},
        {ToolbarKind::Options,
         QStringLiteral("Options"),
         QStringLiteral("Toolbar_Options"),
         QStringLiteral("Options"),
         4,
         {Dock::Top, 253, 0, 89, 16},
         {{QStringLiteral("BUTTON16"), QStringLiteral("Options"), o + QStringLiteral("Button16"),
           QStringLiteral("EXTRAOPTIONS")},
          {QStringLiteral("BUTTON6"), QStringLiteral("User Settings"), o + QStringLiteral("Button6"),
           QStringLiteral("EXTRAUSERSETTINGS")},
          {QStringLiteral("BUTTON3"), QStringLiteral("EMail Notification"), o + QStringLiteral("Button3"),
           QStringLiteral("EXTRAEMAILEVENTS")},
          {QStringLiteral("BUTTON5"), QStringLiteral("EMail Templates"), o + QStringLiteral("Button5"),
           QStringLiteral("EXTRAEMAILTEMPLATES")},
          {QStringLiteral("BUTTON4"), QStringLiteral("Security System"), o + QStringLiteral("Button4"),
           QStringLiteral("EXTRASECURITYSYSTEM")}}},
        {ToolbarKind::Help,
         QStringLiteral("Help"),
         QStringLiteral("Toolbar_Help"),
         QStringLiteral("Help"),
         0,
         {Dock::Top, 344, 0, 57, 16},
         {{QStringLiteral("BUTTON4"), QStringLiteral("Help"), {}, QStringLiteral("HELPCONTENTS")},
          {QStringLiteral("BUTTON16"),
           QStringLiteral("Send Feedback"),
           {},
           QStringLiteral("HELPSENDFEEDBACK")},
          {QStringLiteral("BUTTON3"),
           QStringLiteral("Tarvo on the web"),
           {},
           QStringLiteral("HELPTARVOWEB")}}},
    }};
}

} // namespace

const ToolbarDescription &toolbarDescription(ToolbarKind kind)
{
    static const std::array<ToolbarDescription, ToolbarCount> table = makeTable();
    return table[std::size_t(kind)];
}

} // namespace tarvo::core
