#include "draw_target.h"

namespace {

bool parseHexWindowId(std::string text, std::uint32_t& id)
{
    if (text.compare(0, 2, "0x") != 0 && text.compare(0, 2, "0X") != 0) text = "0x" + text;
    return parseWindowId(text, id);
}

} // namespace

DrawTarget chooseDrawTarget(const SorvelinOptions& options, const char* saverWindow)
{
    DrawTarget target;
    switch (options.into) {
    case DrawInto::OwnWindow:
        target.kind = TargetKind::OwnWindow;
        break;
    case DrawInto::GivenWindow:
        target.kind = TargetKind::Existing;
        target.windowId = options.windowId;
        break;
    case DrawInto::Root:
        // An empty variable is as good as none: a shell's `X= cmd` unsets nothing.
        if (saverWindow == nullptr || *saverWindow == '\0') {
            target.kind = TargetKind::RootWindow;
        } else if (parseHexWindowId(saverWindow, target.windowId)) {
            target.kind = TargetKind::Existing;
        } else {
            // Drawing over the whole desktop instead would hide what the daemon meant.
            target.error = std::string("XSCREENSAVER_WINDOW is not a window id: \"") + saverWindow + "\"";
        }
        break;
    }
    return target;
}
