// The persistent block's defaults, its byte layout and the file around it.
#include "records/persistent_block.h"

#include <cstring>
#include <exception>

namespace {

constexpr RankingDate kDefaultDate{2001, 1, 1, 1, 0, 0, 0, 0};  // 2001-01-01 00:00, a Monday
constexpr char kDefaultName[] = "No Name";

void put16(uint8_t* at, uint16_t value) {
    at[0] = uint8_t(value);
    at[1] = uint8_t(value >> 8);
}

void put32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = uint8_t(value >> (8 * i));
}

uint16_t get16(const uint8_t* at) {
    return uint16_t(at[0] | at[1] << 8);
}

uint32_t get32(const uint8_t* at) {
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

// The sixteen bytes of a date, in SYSTEMTIME order.
void putDate(uint8_t* at, const RankingDate& date) {
    const uint16_t fields[] = {date.year, date.month, date.dayOfWeek, date.day,
                               date.hour, date.minute, date.second,    date.milliseconds};
    for (uint16_t field : fields) {
        put16(at, field);
        at += 2;
    }
}

RankingDate getDate(const uint8_t* at) {
    return RankingDate{get16(at),     get16(at + 2),  get16(at + 4),  get16(at + 6),
                       get16(at + 8), get16(at + 10), get16(at + 12), get16(at + 14)};
}

void putEntry(uint8_t* at, const RankingEntry& entry) {
    put16(at, entry.score);
    put16(at + 2, entry.questionCount);
    put16(at + 4, entry.missTotal);
    put16(at + 6, entry.spare);
    putDate(at + 8, entry.date);
    std::memcpy(at + 24, entry.name, kNameBytes);
}

RankingEntry getEntry(const uint8_t* at) {
    RankingEntry entry{};
    entry.score = get16(at);
    entry.questionCount = get16(at + 2);
    entry.missTotal = get16(at + 4);
    entry.spare = get16(at + 6);
    entry.date = getDate(at + 8);
    std::memcpy(entry.name, at + 24, kNameBytes);
    // A name that fills all sixteen bytes loses its last one to the zero; the
    // bytes after an existing zero stay as stored.
    if (std::memchr(entry.name, 0, kNameBytes) == nullptr) entry.name[kNameBytes - 1] = '\0';
    return entry;
}

}  // namespace

PersistentBlock defaultBlock() {
    PersistentBlock block{};
    block.windowLeft = kDefaultWindowPosition;
    block.windowTop = kDefaultWindowPosition;
    block.rowCount = kRankingRows;
    for (int i = 0; i < kRankingRows; ++i) {
        RankingEntry& row = block.rows[i];
        const int fromBottom = kRankingRows - i;  // 5 for the first row, 1 for the last
        row.score = uint16_t(10 * fromBottom);
        row.questionCount = 10;
        row.missTotal = uint16_t(3 / fromBottom);  // 0, 0, 1, 1, 3
        row.spare = uint16_t(fromBottom);
        row.date = kDefaultDate;
        std::memcpy(row.name, kDefaultName, sizeof kDefaultName);
    }
    return block;
}

int validRowCount(const PersistentBlock& block) {
    return block.rowCount < 0 ? 0 : block.rowCount > kRankingRows ? kRankingRows : block.rowCount;
}

int nameLength(const RankingEntry& entry) {
    int length = 0;
    while (length < kNameBytes - 1 && entry.name[length] != '\0') ++length;
    return length;
}

std::array<uint8_t, kBlockBytes> encodeBlock(const PersistentBlock& block) {
    std::array<uint8_t, kBlockBytes> bytes{};
    put32(&bytes[0], uint32_t(block.windowLeft));
    put32(&bytes[4], uint32_t(block.windowTop));
    put32(&bytes[8], uint32_t(block.rowCount));
    for (int i = 0; i < kRankingRows; ++i) putEntry(&bytes[kBlockHeaderBytes + i * kEntryBytes], block.rows[i]);
    return bytes;
}

PersistentBlock decodeBlock(const std::array<uint8_t, kBlockBytes>& bytes) {
    PersistentBlock block{};
    block.windowLeft = int32_t(get32(&bytes[0]));
    block.windowTop = int32_t(get32(&bytes[4]));
    block.rowCount = int32_t(get32(&bytes[8]));
    block.rowCount = validRowCount(block);
    for (int i = 0; i < kRankingRows; ++i) block.rows[i] = getEntry(&bytes[kBlockHeaderBytes + i * kEntryBytes]);
    return block;
}

LoadOutcome parseSaveFile(const uint8_t* bytes, size_t size, PersistentBlock& block) {
    // A file too short to hold its version is treated like one of another version.
    if (size < kVersionBytes || get32(bytes) != kSaveFileVersion) return LoadOutcome::useDefaults;
    const size_t payloadSize = size - kVersionBytes;
    if (payloadSize > kLargestPayload) return LoadOutcome::useDefaults;
    std::vector<uint8_t> expanded;
    const CodecResult result = expandBlock(bytes + kVersionBytes, payloadSize, expanded);
    if (result == CodecResult::outOfMemory) return LoadOutcome::outOfMemory;
    if (result != CodecResult::ok || expanded.size() != kBlockBytes) return LoadOutcome::useDefaults;
    std::array<uint8_t, kBlockBytes> raw;
    std::memcpy(raw.data(), expanded.data(), kBlockBytes);
    block = decodeBlock(raw);
    return LoadOutcome::loaded;
}

CodecResult buildSaveFile(const PersistentBlock& block, std::vector<uint8_t>& file) {
    const std::array<uint8_t, kBlockBytes> raw = encodeBlock(block);
    std::vector<uint8_t> payload;
    const CodecResult result = compressBlock(raw.data(), raw.size(), payload);
    if (result != CodecResult::ok) {
        std::vector<uint8_t>().swap(file);
        return result;
    }
    try {
        file.assign(kVersionBytes, 0);
        put32(file.data(), kSaveFileVersion);
        file.insert(file.end(), payload.begin(), payload.end());
    } catch (const std::exception&) {
        std::vector<uint8_t>().swap(file);
        return CodecResult::outOfMemory;
    }
    return CodecResult::ok;
}
