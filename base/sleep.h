// The sleep and the clock every pause of the program is made with. The program
// links sleep_win.cpp; the unit tests link a virtual clock.
#ifndef VARLO_BASE_SLEEP_H
#define VARLO_BASE_SLEEP_H

#include <cstdint>

// Blocks the calling thread for `ms` milliseconds.
void sleepMs(int ms);
// Milliseconds on a clock that only moves forward, from an arbitrary start;
// the pauses of the game are planned on it.
int64_t monotonicMs();

#endif
