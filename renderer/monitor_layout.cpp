#include "monitor_layout.h"

#include <algorithm>

namespace {

bool holdsOrigin(const ScreenRect& rect)
{
    return rect.left <= 0 && rect.top <= 0 && rect.right > 0 && rect.bottom > 0;
}

const ScreenRect* primaryRect(const std::vector<MonitorArea>& monitors)
{
    for (const MonitorArea& monitor : monitors) {
        if (monitor.primary) return &monitor.rect;
    }
    for (const MonitorArea& monitor : monitors) {
        if (holdsOrigin(monitor.rect)) return &monitor.rect;
    }
    return nullptr;
}

} // namespace

std::vector<ScreenRect> coverRects(const std::vector<MonitorArea>& monitors)
{
    const ScreenRect* primary = primaryRect(monitors);
    std::vector<ScreenRect> covers;
    for (const MonitorArea& monitor : monitors) {
        const ScreenRect& rect = monitor.rect;
        if (rect.empty() || (primary != nullptr && rect == *primary)) continue;
        if (std::find(covers.begin(), covers.end(), rect) != covers.end()) continue;
        covers.push_back(rect);
    }
    return covers;
}
