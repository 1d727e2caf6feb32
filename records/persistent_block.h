// The record kept from run to run (the main window's position and the top-five
// ranking), its defaults, and its bytes: the 212-byte little-endian block and
// the file VARLO.DAT that holds it compressed behind a 4-byte version.
#ifndef VARLO_RECORDS_PERSISTENT_BLOCK_H
#define VARLO_RECORDS_PERSISTENT_BLOCK_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "records/block_codec.h"

constexpr int kRankingRows = 5;
constexpr int kNameBytes = 16;  // at most 15 printable ASCII characters and a zero
constexpr size_t kEntryBytes = 40;
constexpr size_t kBlockHeaderBytes = 12;
constexpr size_t kBlockBytes = kBlockHeaderBytes + kRankingRows * kEntryBytes;
static_assert(kBlockBytes == 212, "VARLO.DAT's block holds five rows: its format never changes");
// The window's left and top when the system is to choose them (CW_USEDEFAULT).
constexpr int32_t kDefaultWindowPosition = INT32_MIN;

// A SYSTEMTIME's eight fields, in its order.
struct RankingDate {
    uint16_t year, month, dayOfWeek, day, hour, minute, second, milliseconds;
};

// One row of the ranking table.
struct RankingEntry {
    uint16_t score;
    uint16_t questionCount;
    uint16_t missTotal;
    uint16_t spare;  // set by the defaults only; it moves with its row
    RankingDate date;
    char name[kNameBytes];
};

struct PersistentBlock {
    int32_t windowLeft;
    int32_t windowTop;
    int32_t rowCount;  // valid rows, 0..5, best first
    RankingEntry rows[kRankingRows];
};

// Position left to the system, five rows of "No Name" scoring 50 down to 10;
// every byte not named is zero.
PersistentBlock defaultBlock();

// The block's row count brought into 0..5: the rows every reader may visit.
int validRowCount(const PersistentBlock& block);

// Length of a row's name: the bytes before its zero, never more than 15.
int nameLength(const RankingEntry& entry);

// The block's bytes, field by field, little-endian.
std::array<uint8_t, kBlockBytes> encodeBlock(const PersistentBlock& block);
// The block from its 212 bytes. What a stored file may hold but no reader may
// meet is bounded here: a row count outside 0..5 is brought into it, and a name
// with no zero in its 16 bytes is cut to 15 characters.
PersistentBlock decodeBlock(const std::array<uint8_t, kBlockBytes>& bytes);

// VARLO.DAT: the version 1 as 4 little-endian bytes, then the compressed block.
constexpr uint32_t kSaveFileVersion = 1;
constexpr size_t kVersionBytes = 4;
// The longest payload that can expand to exactly 212 bytes: every token but the
// last yields at least one byte, so there are at most 213 tokens of 27 bits and
// at most 8 bits of padding. Anything longer is not a save file of ours.
constexpr size_t kLargestPayload = ((kBlockBytes + 1) * kTokenBits + 8) / 8;  // 719
constexpr size_t kLargestSaveFile = kVersionBytes + kLargestPayload;

enum class LoadOutcome {
    loaded,       // `block` holds the file's contents
    useDefaults,  // not a valid save file: too short, another version, a bad payload
    outOfMemory,  // the payload could not be expanded for want of memory
};

// Reads the file's bytes into `block`, which is changed only when the result is `loaded`.
LoadOutcome parseSaveFile(const uint8_t* bytes, size_t size, PersistentBlock& block);
// The file's bytes for `block`; on failure (no memory) `file` is empty.
CodecResult buildSaveFile(const PersistentBlock& block, std::vector<uint8_t>& file);

#endif
