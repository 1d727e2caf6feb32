// LZ77 with fixed 27-bit tokens: the compressor and the expander of the save file.
#include "records/block_codec.h"

#include <algorithm>
#include <exception>

namespace {

// Output buffers start at 1 KiB and grow in 128-byte steps. Positions in them
// are kept as indices, so a buffer that moves while growing invalidates nothing.
constexpr size_t kFirstCapacity = 1024;
constexpr size_t kGrowthStep = 128;
// Fewer bits than offset and length where a token begins: the stream was cut short.
constexpr uint64_t kShortestToken = 20;
// At most this many bits left after a token: only padding follows, the stream ends.
constexpr uint64_t kMostPaddingBits = 8;

CodecResult fail(std::vector<uint8_t>& out, CodecResult why) {
    std::vector<uint8_t>().swap(out);  // the buffer is released, not only emptied
    return why;
}

bool startBuffer(std::vector<uint8_t>& out) {
    try {
        std::vector<uint8_t> fresh;
        fresh.reserve(kFirstCapacity);
        out.swap(fresh);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

// Grows `out` by whole steps until `extra` more bytes fit; false when memory runs out.
bool makeRoom(std::vector<uint8_t>& out, size_t extra) {
    const size_t needed = out.size() + extra;
    if (needed <= out.capacity()) return true;
    size_t capacity = out.capacity();
    while (capacity < needed) capacity += kGrowthStep;
    try {
        out.reserve(capacity);
    } catch (const std::exception&) {  // bad_alloc, or a size beyond what a vector holds
        return false;
    }
    return true;
}

// Appends the low `count` bits of `value`, most significant first, filling each
// byte from bit 7 down. `freeBits` counts the unused low bits of the last byte.
bool putBits(std::vector<uint8_t>& out, int& freeBits, uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        if (freeBits == 0) {
            if (!makeRoom(out, 1)) return false;
            out.push_back(0);
            freeBits = 8;
        }
        --freeBits;
        out.back() = uint8_t(out.back() | ((value >> i) & 1u) << freeBits);
    }
    return true;
}

// Reads `count` bits at `position`; bits past the end of the stream read as 0.
uint32_t getBits(const uint8_t* data, uint64_t totalBits, uint64_t& position, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i, ++position) {
        const uint32_t bit = position < totalBits ? (data[position / 8] >> (7 - position % 8)) & 1u : 0u;
        value = value << 1 | bit;
    }
    return value;
}

// How many bytes from `p` on equal the bytes `distance` positions before them,
// the data being preceded by zeros; a match may run into the bytes it encodes.
int matchLength(const uint8_t* data, size_t p, size_t distance, size_t limit) {
    size_t t = 0;
    for (; t < limit; ++t) {
        const uint8_t earlier = p + t >= distance ? data[p + t - distance] : 0;
        if (data[p + t] != earlier) break;
    }
    return int(t);
}

}  // namespace

CodecResult compressBlock(const uint8_t* data, size_t length, std::vector<uint8_t>& out) {
    if (!startBuffer(out)) return fail(out, CodecResult::outOfMemory);
    int freeBits = 0;
    // Also at p == length: when the previous literal was the last byte, a final
    // token (0, 0, 0) carries the literal the expander drops.
    for (size_t p = 0; p <= length;) {
        const size_t limit = std::min<size_t>(kLongestMatch, length - p);
        int bestOffset = 0;
        int bestLength = 0;
        // From the nearest source outwards, so that among equal lengths the
        // greatest offset wins; the first one reaching the limit cannot be beaten.
        for (int offset = kHistorySize - 1; offset >= 0 && size_t(bestLength) < limit; --offset) {
            const int found = matchLength(data, p, size_t(kHistorySize - offset), limit);
            if (found > bestLength) {
                bestLength = found;
                bestOffset = offset;
            }
        }
        const size_t next = p + size_t(bestLength);
        const uint32_t literal = next < length ? data[next] : 0;
        const uint32_t token = uint32_t(bestOffset) << 15 | uint32_t(bestLength) << 8 | literal;
        if (!putBits(out, freeBits, token, kTokenBits)) return fail(out, CodecResult::outOfMemory);
        p = next + 1;
    }
    return CodecResult::ok;
}

CodecResult expandBlock(const uint8_t* data, size_t length, std::vector<uint8_t>& out) {
    if (!startBuffer(out)) return fail(out, CodecResult::outOfMemory);
    const uint64_t totalBits = uint64_t(length) * 8;
    uint64_t position = 0;
    for (;;) {
        if (position + kShortestToken > totalBits) return fail(out, CodecResult::truncated);
        const uint32_t offset = getBits(data, totalBits, position, 12);
        const uint32_t copyLength = getBits(data, totalBits, position, 7);
        const uint32_t literal = getBits(data, totalBits, position, 8);
        if (!makeRoom(out, copyLength)) return fail(out, CodecResult::outOfMemory);
        const size_t distance = size_t(kHistorySize) - offset;
        for (uint32_t k = 0; k < copyLength; ++k) {
            const size_t at = out.size();
            const uint8_t copied = at >= distance ? out[at - distance] : 0;
            out.push_back(copied);
        }
        // The last token's literal lies beyond the data: it is dropped.
        if (position + kMostPaddingBits >= totalBits) break;
        if (!makeRoom(out, 1)) return fail(out, CodecResult::outOfMemory);
        out.push_back(uint8_t(literal));
    }
    return CodecResult::ok;
}
