#include "core/frame/ToolbarChain.h"

namespace tarvo::core {

namespace {

ToolbarChain::Step startOrPass(ToolbarKind kind, const ToolbarSwitches &on, int codeWhenOff)
{
    ToolbarChain::Step step;
    if (isOn(on, kind))
        step.start = kind;
    else
        step.notifySelf = codeWhenOff;
    return step;
}

} // namespace

ToolbarChain::Step ToolbarChain::begin(const ToolbarSwitches &on)
{
    return startOrPass(ToolbarKind::Standard, on, 1);
}

ToolbarChain::Step ToolbarChain::take(int code, const ToolbarSwitches &on)
{
    switch (code) {
    case 1:
        return startOrPass(ToolbarKind::Navigation, on, 2);
    case 2:
        return startOrPass(ToolbarKind::Update, on, 3);
    case 3:
        return startOrPass(ToolbarKind::Options, on, 4);
    case 4: {
        // Help sends no notice of its own, so the chain ends as it is started.
        Step step;
        if (isOn(on, ToolbarKind::Help))
            step.start = ToolbarKind::Help;
        step.finished = true;
        return step;
    }
    default:
        return {};
    }
}

} // namespace tarvo::core
