#pragma once

#include "core/frame/RecordButtons.h"
#include "core/frame/ToolbarSwitches.h"
#include "platform/runtime/ContextRef.h"

#include <QString>

#include <array>

namespace tarvo::core {

// What the frame shares with every window: the toolbar switches and contexts, the issue browse's
// context, the programs the user may see and the tab colour. Used on the GUI thread only.
class FrameGlobals final {
  public:
    static FrameGlobals &instance();
    // Back to the values before the frame opened (tests).
    void reset();

    // The switch of each toolbar: on while it runs or is being started (the tick of its menu item).
    bool toolbarOn(ToolbarKind kind) const { return m_on[std::size_t(kind)]; }
    void setToolbarOn(ToolbarKind kind, bool on) { m_on[std::size_t(kind)] = on; }
    const ToolbarSwitches &switches() const { return m_on; }
    void setSwitches(const ToolbarSwitches &switches) { m_on = switches; }
    // The toolbars the user wants to see, stored at the frame's close. They follow the user's
    // choices only, so toolbars closed by the shutdown itself are still shown at the next start.
    const ToolbarSwitches &chosen() const { return m_chosen; }
    void setChosen(ToolbarKind kind, bool on) { m_chosen[std::size_t(kind)] = on; }
    void setChosen(const ToolbarSwitches &switches) { m_chosen = switches; }

    // The context of each running toolbar (a null reference while none ran).
    ContextRef toolbarContext(ToolbarKind kind) const { return m_contexts[std::size_t(kind)]; }
    void setToolbarContext(ToolbarKind kind, ContextRef ref) { m_contexts[std::size_t(kind)] = ref; }
    // True when the context is one of the toolbars' (a reused number is not).
    bool isToolbar(const ContextRef &ref) const;

    bool chainRunning() const { return m_chainRunning; }
    void setChainRunning(bool running) { m_chainRunning = running; }

    // The frame's context number (the target of the tray events) and the issue browse's.
    int frameThread() const { return m_frameThread; }
    void setFrameThread(int number) { m_frameThread = number; }
    int browseBugsThread() const { return m_browseBugsThread; }
    void setBrowseBugsThread(int number) { m_browseBugsThread = number; }

    // SecP: the program IDs the user may see, each between "|"; empty when the user has no limits.
    const QString &secP() const { return m_secP; }
    void setSecP(const QString &secP) { m_secP = secP; }

    // TabColor: the colour of filled tab captions (00BBGGRR).
    qint32 tabColor() const { return m_tabColor; }
    void setTabColor(qint32 colour) { m_tabColor = colour; }

    // DemoFeature: the key feature chosen last in the key-features window.
    int demoFeature() const { return m_demoFeature; }
    void setDemoFeature(int feature) { m_demoFeature = feature; }

    // SavedButtonDisabled: the record-button states the toolbars show.
    RecordButtonStates &savedButtonDisabled() { return m_savedDisabled; }

  private:
    ToolbarSwitches m_on{};
    ToolbarSwitches m_chosen{};
    std::array<ContextRef, ToolbarCount> m_contexts{};
    bool m_chainRunning = false;
    int m_frameThread = 0;
    int m_browseBugsThread = 0;
    QString m_secP;
    qint32 m_tabColor = 255;
    int m_demoFeature = 0;
    RecordButtonStates m_savedDisabled{};
};

} // namespace tarvo::core
