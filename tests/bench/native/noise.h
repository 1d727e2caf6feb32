// A fixed-seed xorshift generator for the benchmarks' inputs: the same noise on
// every machine.
#ifndef VARLO_TESTS_BENCH_NATIVE_NOISE_H
#define VARLO_TESTS_BENCH_NATIVE_NOISE_H

#include <cstdint>

struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed) : state(seed) {}
    uint32_t next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
};

#endif
