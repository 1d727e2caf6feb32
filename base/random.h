// The program's random generator. Its state lives with whoever draws from it
// (the game's session, a test), so that nothing shares a hidden global.
#ifndef VARLO_BASE_RANDOM_H
#define VARLO_BASE_RANDOM_H

#include <cstdint>

// A linear congruential generator (modulus 10^8, multiplier 31415821,
// increment 1). Advances `state` once and returns a value in 0 .. bound - 1,
// for bounds 1 .. 429539.
int32_t nextRandom(uint32_t& state, int32_t bound);

#endif
