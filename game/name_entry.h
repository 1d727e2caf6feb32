// Name entry: the player types a name for a ranked game's row.
#ifndef VARLO_GAME_NAME_ENTRY_H
#define VARLO_GAME_NAME_ENTRY_H

#include "base/platform.h"

// UI thread, kStateNameEntry: one typed character of the name.
void handleNameChar(Window window, unsigned code);

#endif
