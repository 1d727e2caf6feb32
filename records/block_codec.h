// The save file's own compression: LZ77 over a 4096-byte history primed with
// zeros, exhaustive longest-match search, and fixed 27-bit tokens (12-bit
// offset, 7-bit length, 8-bit literal) packed most significant bit first.
// Works on any byte string, keeps its state in locals, runs on any thread.
#ifndef VARLO_RECORDS_BLOCK_CODEC_H
#define VARLO_RECORDS_BLOCK_CODEC_H

#include <cstddef>
#include <cstdint>
#include <vector>

enum class CodecResult {
    ok,
    truncated,    // expansion only: a token starts with fewer than 20 bits left
    outOfMemory,  // the output could not be allocated or grown; the caller tells the player
};

constexpr int kHistorySize = 4096;
constexpr int kLongestMatch = 127;
constexpr int kTokenBits = 27;

// Compresses `length` bytes into `out` (replaced). On failure `out` is empty.
// Called by the save, on the UI thread.
CodecResult compressBlock(const uint8_t* data, size_t length, std::vector<uint8_t>& out);

// Expands a compressed stream of `length` bytes into `out` (replaced). On
// failure `out` is empty. Called by the load at start-up.
CodecResult expandBlock(const uint8_t* data, size_t length, std::vector<uint8_t>& out);

#endif
