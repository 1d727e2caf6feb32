// VARLO.DAT beside the executable: loaded once at start-up, with its window
// position kept on the work area, and saved from the main window with the
// position it stands at.
#include "app/app_win.h"

#include "app/placement.h"
#include "records/save_file.h"
#include "records/shared_records.h"

int32_t windowLeft = CW_USEDEFAULT;
int32_t windowTop = CW_USEDEFAULT;

namespace {

ScreenRect workArea() {
    RECT area{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
        area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return ScreenRect{area.left, area.top, area.right, area.bottom};
}

}  // namespace

void loadRecords() {
    PersistentBlock block = defaultBlock();
    // The default position is the system's choice and is never clamped.
    if (readSaveFile(saveFilePath, block)) keepWindowOnWorkArea(workArea(), block.windowLeft, block.windowTop);
    setSharedRecords(block);
    windowLeft = block.windowLeft;
    windowTop = block.windowTop;
}

void saveRecords(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(window, &placement)) {
        // The restored rectangle: also right while the window is minimised.
        windowLeft = placement.rcNormalPosition.left;
        windowTop = placement.rcNormalPosition.top;
        storeWindowPosition(windowLeft, windowTop);
    }
    saveSharedRecords(saveFilePath, window);
}
