// The save file's codec: known streams byte for byte, and a naive model encoder
// that every input must agree with.
#include "records/block_codec.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "records/persistent_block.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Token {
    int offset, length, literal;
};

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// Packs tokens the slow way: a string of '0' and '1', cut into bytes, zero-padded.
Bytes packTokens(const std::vector<Token>& tokens) {
    std::string bits;
    auto put = [&](int value, int count) {
        for (int i = count - 1; i >= 0; --i) bits += (value >> i & 1) ? '1' : '0';
    };
    for (const Token& t : tokens) {
        put(t.offset, 12);
        put(t.length, 7);
        put(t.literal, 8);
    }
    while (bits.size() % 8 != 0) bits += '0';
    Bytes out;
    for (size_t i = 0; i < bits.size(); i += 8) out.push_back(uint8_t(std::stoi(bits.substr(i, 8), nullptr, 2)));
    return out;
}

// The model: the data literally preceded by 4096 zeros, every offset tried from
// 0 up, a later offset taking over on an equal length.
std::vector<Token> modelTokens(const Bytes& data) {
    Bytes sequence(4096, 0);
    sequence.insert(sequence.end(), data.begin(), data.end());
    const size_t n = data.size();
    std::vector<Token> tokens;
    for (size_t p = 0; p <= n;) {
        int bestOffset = 0, bestLength = 0;
        for (int offset = 0; offset < 4096; ++offset) {
            const size_t distance = 4096 - offset;
            int length = 0;
            while (length < 127 && p + length < n && sequence[4096 + p + length] == sequence[4096 + p + length - distance])
                ++length;
            if (length > 0 && length >= bestLength) {
                bestLength = length;
                bestOffset = offset;
            }
        }
        const size_t next = p + bestLength;
        tokens.push_back({bestOffset, bestLength, next < n ? data[next] : 0});
        p = next + 1;
    }
    return tokens;
}

Bytes compressed(const Bytes& data) {
    Bytes out{0xEE};  // a stale buffer is replaced, not appended to
    EXPECT_EQ(compressBlock(data.data(), data.size(), out), CodecResult::ok);
    return out;
}

Bytes expanded(const Bytes& stream) {
    Bytes out{0xEE};
    EXPECT_EQ(expandBlock(stream.data(), stream.size(), out), CodecResult::ok);
    return out;
}

TEST(BlockCodec, KnownStreamsByteForByte) {
    const Bytes abc = bytesOf("abcabcabc");
    const Bytes abcStream{0x00, 0x00, 0x0C, 0x20, 0x00, 0x01, 0x88, 0x00, 0x00, 0x31, 0xFF, 0xE8, 0x60, 0x00};
    EXPECT_EQ(packTokens({{0, 0, 0x61}, {0, 0, 0x62}, {0, 0, 0x63}, {4093, 6, 0}}), abcStream);
    EXPECT_EQ(compressed(abc), abcStream);
    EXPECT_EQ(expanded(abcStream), abc);

    const Bytes abStream{0x00, 0x00, 0x0C, 0x20, 0x00, 0x01, 0x88, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(compressed(bytesOf("ab")), abStream);
    EXPECT_EQ(expanded(abStream), bytesOf("ab"));

    const Bytes emptyStream{0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(compressed({}), emptyStream);
    EXPECT_EQ(expanded(emptyStream), Bytes{});
}

TEST(BlockCodec, AMatchStopsAtOneHundredTwentySevenBytes) {
    const Bytes run(200, 0x61);
    const Bytes stream = packTokens({{0, 0, 0x61}, {4095, 127, 0x61}, {4095, 71, 0}});
    EXPECT_EQ(stream.size(), 11u);
    EXPECT_EQ(compressed(run), stream);
    EXPECT_EQ(expanded(stream), run);
}

TEST(BlockCodec, TheDefaultBlockGivesItsNinetyTwoBytesAndComesBackWhole) {
    const Bytes expected{
        0xFF, 0xF0, 0x70, 0x1F, 0xF8, 0x10, 0x17, 0xFE, 0xC1, 0x99, 0x7F, 0xF0, 0x10, 0xAF, 0xFA, 0x06, 0x0B, 0xFF, 0xC0,
        0x74, 0x40, 0x00, 0x00, 0x38, 0x00, 0x00, 0x01, 0xFF, 0xC0, 0x20, 0x3F, 0xFC, 0x0C, 0x03, 0xFF, 0xC3, 0xA7, 0x00,
        0x00, 0x06, 0xF0, 0x00, 0x00, 0x41, 0xFF, 0xA0, 0x58, 0x40, 0x00, 0x03, 0x68, 0x00, 0x00, 0x65, 0xFF, 0x01, 0x25,
        0x1F, 0xB0, 0x14, 0x13, 0xF6, 0x10, 0x8F, 0x7E, 0xC0, 0x30, 0x1F, 0xFE, 0x02, 0x07, 0xFB, 0x08, 0x45, 0x3F, 0x60,
        0x28, 0x17, 0xEC, 0x21, 0x0A, 0xFF, 0xE0, 0x60, 0x7F, 0xC0, 0x0F, 0x47, 0xF6, 0x0F, 0x80, 0x00};
    const auto raw = encodeBlock(defaultBlock());
    const Bytes block(raw.begin(), raw.end());
    const std::vector<Token> tokens = modelTokens(block);
    ASSERT_EQ(tokens.size(), 27u);
    const Token first[] = {{4095, 3, 0x80}, {4092, 4, 0x05}, {4091, 3, 0x32}, {4094, 1, 0x0A}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(tokens[i].offset, first[i].offset) << i;
        EXPECT_EQ(tokens[i].length, first[i].length) << i;
        EXPECT_EQ(tokens[i].literal, first[i].literal) << i;
    }
    EXPECT_EQ(compressed(block), expected);
    EXPECT_EQ(expanded(expected), block);
}

TEST(BlockCodec, StreamsThatStopShortFailWithoutOutput) {
    Bytes out{1, 2, 3};
    const Bytes twoBytes{0x00, 0x00};
    EXPECT_EQ(expandBlock(twoBytes.data(), twoBytes.size(), out), CodecResult::truncated);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(expandBlock(nullptr, 0, out), CodecResult::truncated);
    // Seven whole tokens, then 19 bits: one short of an eighth token's offset and length.
    Bytes cut = packTokens(std::vector<Token>(8, Token{0, 0, 0x41}));
    cut.resize(26);  // 208 bits = 7 * 27 + 19
    EXPECT_EQ(expandBlock(cut.data(), cut.size(), out), CodecResult::truncated);
}

TEST(BlockCodec, SourcesBeforeTheStartCopyZeros) {
    // Offset 5 lies 4091 bytes back: nothing has been written there yet.
    EXPECT_EQ(expanded(packTokens({{5, 3, 0x41}, {0, 0, 0}})), (Bytes{0, 0, 0, 0x41}));
    // Offset 0 reaches exactly 4096 back, the oldest byte of the history.
    Bytes data(4096, 0);
    data[0] = 0x5A;
    std::vector<Token> tokens{{0, 0, 0x5A}};
    for (int i = 1; i < 4096; ++i) tokens.push_back({0, 0, 0});
    tokens.push_back({0, 1, 0});
    Bytes expect = data;
    expect.push_back(0x5A);
    EXPECT_EQ(expanded(packTokens(tokens)), expect);
}

TEST(BlockCodec, ALiteralPastTheEndIsTheLastAndIsDropped) {
    // 20 bits of the last token are there; its literal is not.
    Bytes stream = packTokens({{0, 0, 0x41}, {4095, 4, 0x7F}});
    stream.resize(6);  // 48 bits: 27 + 21
    EXPECT_EQ(expanded(stream), (Bytes{0x41, 0x41, 0x41, 0x41, 0x41}));
}

// Inputs of every kind the encoder meets: noise, few symbols, long runs,
// repeats near and at the edge of the history, and lengths that make the
// output buffers grow past their first kilobyte.
std::vector<Bytes> modelInputs() {
    std::mt19937 random(20240601);
    auto noise = [&](size_t n, int symbols) {
        Bytes b(n);
        for (auto& x : b) x = uint8_t(random() % symbols);
        return b;
    };
    std::vector<Bytes> inputs;
    for (size_t n : {0u, 1u, 2u, 3u, 127u, 128u, 129u, 212u}) inputs.push_back(noise(n, 256));
    inputs.push_back(noise(1500, 256));
    inputs.push_back(noise(5000, 256));
    inputs.push_back(noise(3000, 2));
    inputs.push_back(noise(2000, 4));
    inputs.push_back(Bytes(4500, 0));
    inputs.push_back(Bytes(1000, 0xFF));
    // A chunk again exactly 4096 and 4097 bytes after it: reachable, then just out of reach.
    for (size_t gap : {4096u, 4097u}) {
        Bytes b = noise(100, 256);
        const Bytes filler = noise(gap - 100, 256);
        Bytes again(b.begin(), b.end());
        b.insert(b.end(), filler.begin(), filler.end());
        b.insert(b.end(), again.begin(), again.end());
        inputs.push_back(b);
    }
    // A short pattern repeated: copies that overlap what they write.
    for (int period : {1, 3, 7, 130}) {
        const Bytes pattern = noise(size_t(period), 256);
        Bytes b;
        while (b.size() < 2500) b.insert(b.end(), pattern.begin(), pattern.end());
        inputs.push_back(b);
    }
    // Text-like blocks and blocks like the save's.
    for (int i = 0; i < 20; ++i) {
        Bytes b;
        const size_t n = random() % 3000;
        while (b.size() < n) {
            if (!b.empty() && random() % 2 == 0) {
                const size_t from = random() % b.size();
                const size_t count = 1 + random() % 200;
                for (size_t k = 0; k < count; ++k) b.push_back(b[from + k % (b.size() - from)]);
            } else {
                const Bytes fresh = noise(1 + random() % 20, 1 + int(random() % 256));
                b.insert(b.end(), fresh.begin(), fresh.end());
            }
        }
        inputs.push_back(b);
    }
    return inputs;
}

TEST(BlockCodec, AgreesWithTheModelAndExpandsBackExactly) {
    for (const Bytes& data : modelInputs()) {
        SCOPED_TRACE("input of " + std::to_string(data.size()) + " bytes");
        const std::vector<Token> tokens = modelTokens(data);
        const Bytes stream = compressed(data);
        EXPECT_EQ(stream.size(), (tokens.size() * 27 + 7) / 8);
        EXPECT_EQ(stream, packTokens(tokens));
        EXPECT_EQ(expanded(stream), data);
    }
}

}  // namespace
