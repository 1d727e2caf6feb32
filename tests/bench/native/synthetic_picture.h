// A large palette picture made for the decoding benchmark.
#ifndef VARLO_TESTS_BENCH_NATIVE_SYNTHETIC_PICTURE_H
#define VARLO_TESTS_BENCH_NATIVE_SYNTHETIC_PICTURE_H

#include <cstdint>
#include <vector>

// The PNG file of a width x height 8-bit palette picture with 256 colours, the
// same bytes every time: flat areas, gradients, rings, stripes and noisy
// texture, compressed by zlib at its default level, rows filtered with each of
// the five filters in turn, in IDAT chunks of 8 KB.
std::vector<uint8_t> syntheticPalettePng(uint32_t width, uint32_t height);

#endif
