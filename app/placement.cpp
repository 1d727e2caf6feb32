// Window placement arithmetic.
#include "app/placement.h"

#include "display/canvas.h"

#include <cstdint>
#include <limits>

void centreOver(const ScreenRect& owner, int width, int height, int& left, int& top) {
    left = owner.left + (owner.right - owner.left - width) / 2;
    top = owner.top + (owner.bottom - owner.top - height) / 2;
}

void keepInside(const ScreenRect& area, int width, int height, int& left, int& top) {
    if (left < area.left) left = area.left;
    if (top < area.top) top = area.top;
    // Compared as right - width, so that no stored position, however far off, overflows.
    if (left > area.right - width) left = area.right - width;
    if (top > area.bottom - height) top = area.bottom - height;
}

void keepWindowOnWorkArea(const ScreenRect& workArea, int32_t& left, int32_t& top) {
    keepInside(workArea, kCanvasWidth, kCanvasHeight, left, top);
}

namespace {
int32_t plusSaturated(int32_t value, int32_t size) {
    return value > std::numeric_limits<int32_t>::max() - size ? std::numeric_limits<int32_t>::max() : value + size;
}
}  // namespace

ScreenRect canvasRectAt(int32_t left, int32_t top) {
    return ScreenRect{left, top, plusSaturated(left, kCanvasWidth), plusSaturated(top, kCanvasHeight)};
}

void workspaceToScreen(const MonitorAreas& monitor, int32_t& left, int32_t& top) {
    left += monitor.work.left - monitor.monitor.left;
    top += monitor.work.top - monitor.monitor.top;
}
