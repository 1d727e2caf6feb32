// The random generator.
#include "base/random.h"

// The state times 31415821 needs more than 32 bits, so the multiplier is
// split into 3141 and 5821 (31415821 = 3141 * 10^4 + 5821) and the state into
// its lower and upper four decimal digits; no intermediate value reaches 2^32.
int32_t nextRandom(uint32_t& state, int32_t bound) {
    const uint32_t lo = state % 10000;
    const uint32_t hi = state / 10000;
    const uint32_t mid = (hi * 5821 + lo * 3141) % 10000;
    const uint32_t product = (mid * 10000 + lo * 5821) % 100000000;
    const uint32_t next = (product + 1) % 100000000;
    state = next;
    // Only the upper four digits of the new state reach the result.
    return static_cast<int32_t>(next / 10000 * static_cast<uint32_t>(bound) / 10000);
}
