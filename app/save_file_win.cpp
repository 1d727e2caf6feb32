// VARLO.DAT beside the executable: loaded once at start-up, with its window
// position kept on its monitor's work area, and saved from the main window with the
// position it stands at.
#include "app/app_win.h"

#include "app/placement.h"
#include "records/save_file.h"
#include "records/shared_records.h"

int32_t windowLeft = CW_USEDEFAULT;
int32_t windowTop = CW_USEDEFAULT;

namespace {

// The work area of the monitor nearest to a client area at the stored
// position: the one it was left on, or, when that monitor has gone, the one
// it comes back on.
ScreenRect workAreaNear(int32_t left, int32_t top) {
    const ScreenRect at = canvasRectAt(left, top);
    const RECT rect{at.left, at.top, at.right, at.bottom};
    return monitorAreas(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST)).work;
}

}  // namespace

void loadRecords() {
    PersistentBlock block = defaultBlock();
    // The default position is the system's choice and is never clamped.
    if (readSaveFile(saveFilePath, block)) {
        keepWindowOnWorkArea(workAreaNear(block.windowLeft, block.windowTop), block.windowLeft, block.windowTop);
    }
    setSharedRecords(block);
    windowLeft = block.windowLeft;
    windowTop = block.windowTop;
}

void saveRecords(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(window, &placement)) {
        // The restored rectangle, also right while the window is minimised, in
        // the screen coordinates that the next start creates the window at.
        // MonitorFromWindow of a minimised window looks at its restored place.
        windowLeft = placement.rcNormalPosition.left;
        windowTop = placement.rcNormalPosition.top;
        workspaceToScreen(monitorAreas(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)), windowLeft, windowTop);
        storeWindowPosition(windowLeft, windowTop);
    }
    saveSharedRecords(saveFilePath, window);
}
