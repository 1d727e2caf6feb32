// The piano keyboard: key picking on the UI thread.
#ifndef VARLO_DISPLAY_KEYBOARD_H
#define VARLO_DISPLAY_KEYBOARD_H

#include "game/platform.h"

// A left click at client coordinates (x, y) while the player may answer:
// toggles the mark of the key it hits, if that key lies in the stage's range.
void pickKey(Window window, unsigned x, unsigned y);

#endif
