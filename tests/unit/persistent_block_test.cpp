// The persistent block's bytes and the save file around them: the default file,
// the field layout, and files that must fall back to the defaults.
#include "records/persistent_block.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <random>

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kDefaultPayload{
    0xFF, 0xF0, 0x70, 0x1F, 0xF8, 0x10, 0x17, 0xFE, 0xC1, 0x99, 0x7F, 0xF0, 0x10, 0xAF, 0xFA, 0x06, 0x0B, 0xFF, 0xC0,
    0x74, 0x40, 0x00, 0x00, 0x38, 0x00, 0x00, 0x01, 0xFF, 0xC0, 0x20, 0x3F, 0xFC, 0x0C, 0x03, 0xFF, 0xC3, 0xA7, 0x00,
    0x00, 0x06, 0xF0, 0x00, 0x00, 0x41, 0xFF, 0xA0, 0x58, 0x40, 0x00, 0x03, 0x68, 0x00, 0x00, 0x65, 0xFF, 0x01, 0x25,
    0x1F, 0xB0, 0x14, 0x13, 0xF6, 0x10, 0x8F, 0x7E, 0xC0, 0x30, 0x1F, 0xFE, 0x02, 0x07, 0xFB, 0x08, 0x45, 0x3F, 0x60,
    0x28, 0x17, 0xEC, 0x21, 0x0A, 0xFF, 0xE0, 0x60, 0x7F, 0xC0, 0x0F, 0x47, 0xF6, 0x0F, 0x80, 0x00};

Bytes fileOf(const PersistentBlock& block) {
    Bytes file;
    EXPECT_EQ(buildSaveFile(block, file), CodecResult::ok);
    return file;
}

Bytes rawOf(const PersistentBlock& block) {
    const auto raw = encodeBlock(block);
    return Bytes(raw.begin(), raw.end());
}

// A save file whose payload is `data` compressed, whatever its length.
Bytes fileHolding(const Bytes& data, uint32_t version = 1) {
    Bytes payload;
    EXPECT_EQ(compressBlock(data.data(), data.size(), payload), CodecResult::ok);
    Bytes file(4 + payload.size());
    for (int i = 0; i < 4; ++i) file[i] = uint8_t(version >> (8 * i));
    std::copy(payload.begin(), payload.end(), file.begin() + 4);
    return file;
}

// Parses `file` into a block that starts as a marker; a failed parse must leave it alone.
LoadOutcome parse(const Bytes& file, PersistentBlock& block) {
    block = PersistentBlock{};
    block.windowLeft = 777;
    return parseSaveFile(file.data(), file.size(), block);
}

PersistentBlock blockFromRaw(const Bytes& raw) {
    std::array<uint8_t, kBlockBytes> bytes{};
    std::memcpy(bytes.data(), raw.data(), kBlockBytes);
    return decodeBlock(bytes);
}

void put32(Bytes& raw, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) raw[at + i] = uint8_t(value >> (8 * i));
}

TEST(SaveFile, TheDefaultFileIsTheVersionAndTheNinetyTwoBytePayload) {
    Bytes expected{0x01, 0x00, 0x00, 0x00};
    expected.insert(expected.end(), kDefaultPayload.begin(), kDefaultPayload.end());
    const Bytes file = fileOf(defaultBlock());
    EXPECT_EQ(file.size(), 96u);
    EXPECT_EQ(file, expected);

    PersistentBlock loaded;
    ASSERT_EQ(parse(file, loaded), LoadOutcome::loaded);
    EXPECT_EQ(rawOf(loaded), rawOf(defaultBlock()));
}

TEST(PersistentBlock, DefaultsAreFiveNoNameRowsFromFiftyDownToTen) {
    const Bytes raw = rawOf(defaultBlock());
    ASSERT_EQ(raw.size(), 212u);
    const Bytes header{0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x80, 0x05, 0x00, 0x00, 0x00};
    EXPECT_EQ(Bytes(raw.begin(), raw.begin() + 12), header);
    const int misses[] = {0, 0, 1, 1, 3};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const Bytes row(raw.begin() + 12 + 40 * i, raw.begin() + 52 + 40 * i);
        const Bytes expected{uint8_t(50 - 10 * i), 0, 10, 0, uint8_t(misses[i]), 0, uint8_t(5 - i), 0,
                             0xD1, 0x07, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                             'N', 'o', ' ', 'N', 'a', 'm', 'e', 0, 0, 0, 0, 0, 0, 0, 0, 0};
        EXPECT_EQ(row, expected);
    }
}

TEST(PersistentBlock, FieldsLieLittleEndianAtTheirOffsets) {
    PersistentBlock block{};
    block.windowLeft = -2;
    block.windowTop = 0x12345678;
    block.rowCount = 3;
    for (int i = 0; i < 5; ++i) {
        RankingEntry& row = block.rows[i];
        const uint16_t base = uint16_t(0x1000 * (i + 1));
        row.score = base | 0x01;
        row.questionCount = base | 0x02;
        row.missTotal = base | 0x03;
        row.spare = base | 0x04;
        row.date = RankingDate{uint16_t(base | 0x11), uint16_t(base | 0x12), uint16_t(base | 0x13), uint16_t(base | 0x14),
                               uint16_t(base | 0x15), uint16_t(base | 0x16), uint16_t(base | 0x17), uint16_t(base | 0x18)};
        std::memcpy(row.name, "ABCDEFGHIJKLMNO", 16);
        row.name[0] = char('a' + i);
    }
    const Bytes raw = rawOf(block);
    EXPECT_EQ(Bytes(raw.begin(), raw.begin() + 12),
              (Bytes{0xFE, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12, 0x03, 0x00, 0x00, 0x00}));
    // Row 2 begins at 92: counters, spare, the date's eight words, then the name.
    EXPECT_EQ(Bytes(raw.begin() + 92, raw.begin() + 116),
              (Bytes{0x01, 0x30, 0x02, 0x30, 0x03, 0x30, 0x04, 0x30, 0x11, 0x30, 0x12, 0x30,
                     0x13, 0x30, 0x14, 0x30, 0x15, 0x30, 0x16, 0x30, 0x17, 0x30, 0x18, 0x30}));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&raw[116])), "cBCDEFGHIJKLMNO");
    EXPECT_EQ(raw[131], 0);
    EXPECT_EQ(raw[172], 0x01);  // the last row's score
    EXPECT_EQ(raw[211], 0);     // the last byte of its name

    // Read back, every byte is where it was.
    EXPECT_EQ(rawOf(blockFromRaw(raw)), raw);
    const PersistentBlock back = blockFromRaw(raw);
    EXPECT_EQ(back.windowLeft, -2);
    EXPECT_EQ(back.rows[4].date.milliseconds, 0x5018);
}

TEST(PersistentBlock, StoredValuesNoReaderMayMeetAreBoundedOnLoad) {
    Bytes raw = rawOf(defaultBlock());
    const struct {
        int32_t stored, loaded;
    } counts[] = {{-1, 0}, {6, 5}, {INT32_MAX, 5}, {INT32_MIN, 0}, {0, 0}, {3, 3}, {5, 5}};
    for (const auto& c : counts) {
        put32(raw, 8, uint32_t(c.stored));
        EXPECT_EQ(blockFromRaw(raw).rowCount, c.loaded) << c.stored;
    }
    // Row 1's name fills its 16 bytes: it keeps 15 of them and ends in a zero.
    std::memset(&raw[52 + 24], 'X', 16);
    const PersistentBlock block = blockFromRaw(raw);
    EXPECT_EQ(nameLength(block.rows[1]), 15);
    EXPECT_EQ(block.rows[1].name[15], '\0');
    EXPECT_EQ(std::string(block.rows[1].name), std::string(15, 'X'));
}

TEST(PersistentBlock, BytesAfterANamesZeroSurviveARoundTrip) {
    Bytes raw = rawOf(defaultBlock());
    const char stale[16] = {'A', 'l', 0, 'N', 'a', 'm', 'e', 0, 'z', 'z', 'z', 'z', 'z', 'z', 'z', 'z'};
    std::memcpy(&raw[12 + 24], stale, 16);
    const Bytes file = fileOf(blockFromRaw(raw));
    PersistentBlock loaded;
    ASSERT_EQ(parse(file, loaded), LoadOutcome::loaded);
    EXPECT_EQ(rawOf(loaded), raw);
    EXPECT_EQ(nameLength(loaded.rows[0]), 2);
}

TEST(SaveFile, FilesThatAreNotAValidSaveLeaveTheDefaults) {
    const Bytes valid = fileOf(defaultBlock());
    PersistentBlock block;
    const Bytes shortFiles[] = {{}, {0x01}, {0x01, 0x00}, {0x01, 0x00, 0x00}};
    for (const Bytes& file : shortFiles) {
        EXPECT_EQ(parse(file, block), LoadOutcome::useDefaults) << file.size() << " bytes";
        EXPECT_EQ(block.windowLeft, 777);
    }
    // The version alone: a payload with no token in it.
    EXPECT_EQ(parse(Bytes{0x01, 0x00, 0x00, 0x00}, block), LoadOutcome::useDefaults);

    Bytes version2 = valid;
    version2[0] = 0x02;
    EXPECT_EQ(parse(version2, block), LoadOutcome::useDefaults);
    Bytes highVersion = valid;
    highVersion[3] = 0x01;  // 0x01000001
    EXPECT_EQ(parse(highVersion, block), LoadOutcome::useDefaults);

    const Bytes raw = rawOf(defaultBlock());
    EXPECT_EQ(parse(fileHolding(Bytes(raw.begin(), raw.end() - 1)), block), LoadOutcome::useDefaults);
    Bytes longer = raw;
    longer.push_back(0);
    EXPECT_EQ(parse(fileHolding(longer), block), LoadOutcome::useDefaults);
    EXPECT_EQ(parse(fileHolding(raw), block), LoadOutcome::loaded);

    // Cut anywhere before its last byte, the default file no longer expands to the block.
    for (size_t size = 4; size < valid.size() - 1; ++size) {
        EXPECT_EQ(parse(Bytes(valid.begin(), valid.begin() + size), block), LoadOutcome::useDefaults) << size;
        EXPECT_EQ(block.windowLeft, 777);
    }
}

TEST(SaveFile, ThePayloadLimitIsExactlyTheLongestValidOne) {
    // 212 tokens of a literal each and a last empty one: 213 tokens, 719 bytes.
    std::string bits;
    auto put = [&](int value, int count) {
        for (int i = count - 1; i >= 0; --i) bits += (value >> i & 1) ? '1' : '0';
    };
    const Bytes raw = rawOf(defaultBlock());
    for (uint8_t b : raw) {
        put(0, 19);
        put(b, 8);
    }
    put(0, 27);
    while (bits.size() % 8 != 0) bits += '0';
    Bytes file{1, 0, 0, 0};
    for (size_t i = 0; i < bits.size(); i += 8) file.push_back(uint8_t(std::stoi(bits.substr(i, 8), nullptr, 2)));
    ASSERT_EQ(file.size(), 4u + 719u);
    EXPECT_EQ(kLargestSaveFile, 723u);
    PersistentBlock block;
    ASSERT_EQ(parse(file, block), LoadOutcome::loaded);
    EXPECT_EQ(rawOf(block), raw);
    // One more byte can only make it longer than the block.
    file.push_back(0);
    EXPECT_EQ(parse(file, block), LoadOutcome::useDefaults);
}

TEST(SaveFile, RandomBytesNeverLoadAnythingOutOfBounds) {
    std::mt19937 random(7);
    PersistentBlock block;
    for (int i = 0; i < 2000; ++i) {
        Bytes file(random() % 800);
        for (auto& b : file) b = uint8_t(random());
        if (i % 2 == 0 && file.size() >= 4) file[0] = 1, file[1] = file[2] = file[3] = 0;
        const LoadOutcome outcome = parse(file, block);
        ASSERT_NE(outcome, LoadOutcome::outOfMemory);
        if (outcome != LoadOutcome::loaded) {
            EXPECT_EQ(block.windowLeft, 777);
            continue;
        }
        EXPECT_GE(block.rowCount, 0);
        EXPECT_LE(block.rowCount, 5);
        for (const RankingEntry& row : block.rows) EXPECT_NE(std::memchr(row.name, 0, 16), nullptr);
    }
}

}  // namespace
