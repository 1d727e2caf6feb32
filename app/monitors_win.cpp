// The monitors a window is placed on.
#include "app/app_win.h"

namespace {
ScreenRect screenRect(const RECT& rect) { return ScreenRect{rect.left, rect.top, rect.right, rect.bottom}; }
}  // namespace

MonitorAreas monitorAreas(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor != nullptr && GetMonitorInfoW(monitor, &info)) return MonitorAreas{screenRect(info.rcMonitor), screenRect(info.rcWork)};
    // Without the monitor's description the primary screen stands in for it.
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT work = screen;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return MonitorAreas{screenRect(screen), screenRect(work)};
}
