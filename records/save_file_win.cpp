// The save file. Its format and codec arrive with the ranking table; until then
// the window opens where the system puts new windows and nothing is written.
#include "records/save_file.h"

#include <windows.h>

int32_t windowLeft = CW_USEDEFAULT;
int32_t windowTop = CW_USEDEFAULT;

void loadRecords() {
    windowLeft = CW_USEDEFAULT;
    windowTop = CW_USEDEFAULT;
}

void saveRecords(Window window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(window, &placement)) {
        windowLeft = placement.rcNormalPosition.left;
        windowTop = placement.rcNormalPosition.top;
    }
}
