// The full-canvas shows of the game thread outside questions.
#ifndef VARLO_DISPLAY_SCREENS_H
#define VARLO_DISPLAY_SCREENS_H

#include <cstdint>

#include "base/platform.h"

// Dissolves the title picture in; false when it could not be shown.
bool showTitleScreen(Window window);
// Draws the ranking table and slides it up from the bottom edge.
void showRankingScreen(Window window);
// Bouncing balls after the eighth stage, thrown with the generator's `randomState`.
void playCelebration(Window window, uint32_t& randomState);

#endif
