#pragma once

#include <QString>

#include <array>
#include <vector>

namespace tarvo::core {

// The five floating toolbars, in the order of their start chain.
enum class ToolbarKind { Standard = 0, Navigation, Update, Options, Help };
constexpr int ToolbarCount = 5;
constexpr std::array<ToolbarKind, ToolbarCount> AllToolbars{ToolbarKind::Standard, ToolbarKind::Navigation,
                                                            ToolbarKind::Update, ToolbarKind::Options,
                                                            ToolbarKind::Help};

// One button of a floating toolbar: its object name, its tip and the rights key that may refuse it.
struct ToolbarButton final {
    QString objectName;
    QString tip;
    QString rightsKey; // empty: never refused
    QString command;   // the frame's menu control it runs; empty for a record button
};

// Where a toolbar stands: the docking state as the window system reports it (1 left, 2 top,
// 4 right, 8 bottom, 16 floating) and its place and size.
struct ToolbarPlace final {
    int docked = 2;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const ToolbarPlace &, const ToolbarPlace &) = default;
};

namespace Dock {
constexpr int Left = 1;
constexpr int Top = 2;
constexpr int Right = 4;
constexpr int Bottom = 8;
constexpr int Float = 16;
} // namespace Dock

// What distinguishes one toolbar from the others.
struct ToolbarDescription final {
    ToolbarKind kind;
    QString name;      // "Standard": User.ini keys "Toolbar<Name>Docked" and section "Toolbar_<Name>"
    QString procedure; // "Toolbar_Standard"
    QString title;
    int notifyCode; // 0: sends no notice during the start chain
    ToolbarPlace defaultPlace;
    std::vector<ToolbarButton> buttons;
};

const ToolbarDescription &toolbarDescription(ToolbarKind kind);

} // namespace tarvo::core
