#pragma once

#include <QVariant>

namespace tarvo {

// The numbers of the events that windows post to each other's contexts. Tests watch for these
// names; code never posts a bare number.
namespace Events {

// A control was pressed; the event's data names the control (its object name).
constexpr int Accepted = 1;

// Close the window; a window that is asked to close this way closes as if the user had.
constexpr int CloseWindow = 513;
// The session or the program is closing down.
constexpr int CloseDown = 514;
// The window lost the focus.
constexpr int LoseFocus = 517;
// Make the window the active one, restoring it when it is minimised.
constexpr int GainFocus = 518;
// The first event of the sequence that a close-down request posts to every context
// (547, 513, 514, 518, 517, 518).
constexpr int CloseDownPrelude = 547;
// The window or list was resized: lay it out again.
constexpr int Sized = 561;

// The settings changed (to the issue browse, from the options and user-settings windows).
constexpr int SettingsChanged = 1024;
// An HTML editor asks its window for its context menu (the same number as SettingsChanged;
// only windows holding an editor take it this way).
constexpr int HtmlEditorContextMenu = 1024;

// The numbers that belong to the list extension on a window whose list binds it.
constexpr int ListExtensionFirst = 1025;
constexpr int ListExtensionLast = 1078;

// Tray icon events, posted to the frame.
constexpr int TrayLeftClick = 1089;
constexpr int TrayRightClick = 1090;
constexpr int TrayLeftDoubleClick = 1091;
constexpr int TrayRightDoubleClick = 1092;
constexpr int TaskbarCreated = 1093;

// A refresh notice was accepted: windows that show a named data file read it again.
constexpr int Refresh = 1170;

// Network objects take five event numbers each, handed out from this one upwards.
constexpr int NetworkObjectsFirst = 2053;
constexpr int NetworkObjectEventCount = 5;

// A relation tree's list: load it, or reload it keeping open nodes and the selection.
constexpr int TreeLoad = 4064;
constexpr int TreeReload = 4065;

// The floating toolbars refresh their button states.
constexpr int ToolbarRefresh = 10000;

// The issue browse asks the frame to run the system-routines menu item.
constexpr int RunSystemRoutines = 12003;
// The frame was resized: the issue browse maximises itself again.
constexpr int FrameResized = 12005;
// The key-features window asks the issue browse or the frame to show a feature.
constexpr int ShowDemoFeature = 12006;
// The sort-order settings changed (to the issue browse).
constexpr int SortOrderSettingsChanged = 12007;

// The HTML formatting toolbar posts 12002 plus the pressed button's control number to the
// window that holds the editor; the editor windows take 12004 to 12025.
constexpr int HtmlToolbarBase = 12002;
constexpr int HtmlToolbarFirst = 12004;
constexpr int HtmlToolbarLast = 12025;
constexpr int htmlToolbarCommand(int controlNumber)
{
    return HtmlToolbarBase + controlNumber;
}

} // namespace Events

// One posted event as its receiver gets it.
struct PostedEvent final {
    int event = 0;
    QVariant data;
};

} // namespace tarvo
