// What the game's portable logic needs from the system. The Win32 files
// implement it for the program; the unit tests link their own doubles.
#ifndef VARLO_GAME_PLATFORM_H
#define VARLO_GAME_PLATFORM_H

#include <cstdint>

#include "base/platform.h"

// Asks the UI thread to write VARLO.DAT (the window's position and the table as
// they are then) and returns at once, so that a name just entered survives a
// forced end. The write runs on the UI thread, which also stops this one.
void requestSave(Window window);

#endif
