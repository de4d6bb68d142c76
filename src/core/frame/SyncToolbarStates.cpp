#include "core/frame/SyncToolbarStates.h"

#include "core/frame/FrameGlobals.h"
#include "platform/runtime/ContextRegistry.h"

namespace tarvo::core {

namespace {

// Copies the states of the given buttons into the saved ones; true when one differed.
bool take(const RecordButtonStates &disabled, std::initializer_list<int> numbers)
{
    RecordButtonStates &saved = FrameGlobals::instance().savedButtonDisabled();
    bool changed = false;
    for (int number : numbers) {
        const auto i = std::size_t(recordButtonIndex(number));
        if (saved[i] != disabled[i]) {
            saved[i] = disabled[i];
            changed = true;
        }
    }
    return changed;
}

void refresh(ContextRegistry &registry, ToolbarKind kind, const RecordButtonStates &disabled,
             std::initializer_list<int> numbers)
{
    const ContextRef toolbar = FrameGlobals::instance().toolbarContext(kind);
    if (!registry.isLive(toolbar))
        return;
    if (take(disabled, numbers))
        registry.postTo(toolbar, Events::ToolbarRefresh);
}

} // namespace

void SyncToolbarStates(ContextRegistry &registry, const RecordButtonStates &disabled)
{
    refresh(registry, ToolbarKind::Navigation, disabled, {3006, 3008, 3010, 3009, 3007, 3005});
    refresh(registry, ToolbarKind::Update, disabled, {3001, 3002, 3003});
}

} // namespace tarvo::core
