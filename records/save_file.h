// VARLO.DAT: the window position and the ranking, kept from run to run.
#ifndef VARLO_RECORDS_SAVE_FILE_H
#define VARLO_RECORDS_SAVE_FILE_H

#include <cstdint>

#include "game/platform.h"

// Left and top of the main window; CW_USEDEFAULT (0x80000000) lets the system choose.
extern int32_t windowLeft;
extern int32_t windowTop;

// Start-up: defaults, then the file's contents when it is valid. Never fails.
void loadRecords();
// Window destruction: the window's position into the block, the block into the file.
void saveRecords(Window window);

#endif
