// VARLO.DAT: the window position and the ranking, kept from run to run.
#ifndef VARLO_RECORDS_SAVE_FILE_H
#define VARLO_RECORDS_SAVE_FILE_H

#include <cstdint>

#include "base/platform.h"

// Left and top of the main window as loaded, for its creation; CW_USEDEFAULT
// (0x80000000) lets the system choose. The block itself is in shared_records.h.
extern int32_t windowLeft;
extern int32_t windowTop;

// Start-up, UI thread, before the main window exists: defaults, then the file's
// contents when it is valid, its window position kept on the work area. Never fails.
void loadRecords();
// UI thread, after a name is entered, at the session's end and at the window's
// destruction: the window's position into the block, the block into the file.
// A failed write leaves the old file as it was; it is reported once, until a
// later save succeeds.
void saveRecords(Window window);

#endif
