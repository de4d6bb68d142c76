#pragma once

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace tarvo {
class Context;
}

namespace tarvo::core::ui {

// The frame's MDI area, where the lists open as child windows. Each child knows its context, so
// the frame can send the toolbars' record buttons to the context of the active child.
class FrameMdi final {
  public:
    // The running frame's area; null while no frame runs.
    static QMdiArea *area();
    static void setArea(QMdiArea *area);

    // Puts the content into a new child window of the area (or a top-level window when no frame
    // runs) and marks it with the context; the caller's window manager takes the returned window.
    static QWidget *addWindow(QWidget *content, const Context &context);
    // The context number a child window was marked with; 0 for none.
    static int contextOf(const QMdiSubWindow *window);
    // Makes a child window the active one of the area (a window's gain-focus event does this).
    static void activate(QWidget *window);
    // The context of the active child; 0 when none is active.
    static int activeContext();
};

} // namespace tarvo::core::ui
