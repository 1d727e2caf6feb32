// The game thread's one request to the UI thread for the save file.
#ifndef VARLO_GAME_SAVE_REQUEST_H
#define VARLO_GAME_SAVE_REQUEST_H

#include "base/platform.h"

// Asks the UI thread to write VARLO.DAT (the window's position and the table as
// they are then) and returns at once, so that a name just entered survives a
// forced end. The write runs on the UI thread, between two messages, so the
// shutdown wait on that thread never waits for it.
void requestSave(Window window);

#endif
