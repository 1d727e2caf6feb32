// The program's picture resources, read from resources/ and decoded with the
// program's own decoder: the keyboard octaves pixel by pixel, the fixed parts of
// the middle-C picture, and the title picture's shape and chunking.
#include "picture/png_decoder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <array>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct Rgb {
    int red, green, blue;
    bool operator==(const Rgb& other) const {
        return red == other.red && green == other.green && blue == other.blue;
    }
};

std::ostream& operator<<(std::ostream& out, const Rgb& colour) {
    return out << "RGB(" << colour.red << ", " << colour.green << ", " << colour.blue << ")";
}

const Rgb kBlack{0, 0, 0};
const Rgb kGrey{192, 192, 192};
const Rgb kWhite{255, 255, 255};
const Rgb kStaff{24, 165, 181};
const Rgb kNote{255, 140, 132};

Bytes readResource(const char* name) {
    const std::string path = std::string(VARLO_RESOURCES_DIR) + "/" + name;
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "cannot open " << path;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

DibPicture decodeResource(const char* name) {
    const Bytes file = readResource(name);
    DibPicture picture;
    EXPECT_TRUE(decodePng(file.data(), file.size(), picture)) << name;
    return picture;
}

// Colour of the pixel in column x, row y (row 0 at the top) of a 4- or 8-bit DIB.
Rgb pixel(const DibPicture& picture, uint32_t x, uint32_t y) {
    const uint8_t* row = &picture.bits[size_t(picture.height - 1 - y) * picture.stride];
    unsigned index = 0;
    if (picture.bitCount == 8) {
        index = row[x];
    } else {
        const uint8_t pair = row[x / 2];
        index = (x % 2 == 0) ? pair >> 4 : pair & 0x0F;
    }
    if (index >= picture.colourCount) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") names colour " << index << " of "
                      << picture.colourCount;
        return kBlack;
    }
    const uint8_t* quad = &picture.colourTable[index * 4];
    return Rgb{quad[2], quad[1], quad[0]};
}

// One octave of keys as the keyboard view expects it, in the picture's own terms.
struct OctaveLayout {
    const char* file;
    uint32_t width;
    uint32_t stride;
    std::array<uint32_t, 3> upperLines;                 // lines that run the whole height
    std::array<std::pair<uint32_t, uint32_t>, 5> blackKeys;  // first and last column
    std::array<uint32_t, 8> lowerLines;                 // lines between the white keys
};

const OctaveLayout kNarrow{"keys_narrow.png", 106, 56, {0, 45, 105},
                           {{{11, 19}, {26, 34}, {56, 64}, {71, 79}, {86, 94}}},
                           {0, 15, 30, 45, 60, 75, 90, 105}};
const OctaveLayout kWide{"keys_wide.png", 211, 108, {0, 90, 210},
                         {{{21, 38}, {51, 68}, {111, 128}, {141, 158}, {171, 188}}},
                         {0, 30, 60, 90, 120, 150, 180, 210}};

bool among(uint32_t x, const std::array<uint32_t, 3>& lines) {
    return x == lines[0] || x == lines[1] || x == lines[2];
}

Rgb expectedKeyPixel(const OctaveLayout& layout, uint32_t x, uint32_t y) {
    if (y == 0 || y == 75) return kBlack;
    if (y >= 50) {
        for (uint32_t line : layout.lowerLines) {
            if (x == line) return kBlack;
        }
        return kWhite;
    }
    for (const auto& key : layout.blackKeys) {
        if (x < key.first || x > key.second) continue;
        if (y == 49 && (x == key.first || x == key.second)) return kGrey;
        return kBlack;
    }
    return among(x, layout.upperLines) ? kBlack : kWhite;
}

void expectOctave(const OctaveLayout& layout) {
    SCOPED_TRACE(layout.file);
    const DibPicture picture = decodeResource(layout.file);
    ASSERT_EQ(picture.width, layout.width);
    ASSERT_EQ(picture.height, 76u);
    EXPECT_EQ(picture.bitCount, 4);  // 2-bit pictures are widened
    ASSERT_EQ(picture.colourCount, 4u);
    ASSERT_EQ(picture.stride, layout.stride);
    ASSERT_EQ(picture.bits.size(), size_t(layout.stride) * 76);
    int wrong = 0;
    for (uint32_t y = 0; y < 76; ++y) {
        for (uint32_t x = 0; x < layout.width; ++x) {
            const Rgb expected = expectedKeyPixel(layout, x, y);
            const Rgb actual = pixel(picture, x, y);
            if (!(actual == expected) && ++wrong <= 10) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << actual << ", expected " << expected;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(Pictures, NarrowOctaveMatchesTheKeyboardLayoutPixelForPixel) { expectOctave(kNarrow); }

TEST(Pictures, WideOctaveMatchesTheKeyboardLayoutPixelForPixel) { expectOctave(kWide); }

bool isStaffShade(const Rgb& c) { return c.green > c.red && c.blue > c.red; }
bool isNoteShade(const Rgb& c) { return c.red > c.green && c.red > c.blue; }

TEST(Pictures, MiddleCHasItsStaffNoteAndClefWhereTheKeyboardPutsThem) {
    const DibPicture picture = decodeResource("middle_c.png");
    ASSERT_EQ(picture.width, 60u);
    ASSERT_EQ(picture.height, 60u);
    EXPECT_EQ(picture.bitCount, 4);
    ASSERT_EQ(picture.colourCount, 16u);
    ASSERT_EQ(picture.stride, 32u);

    const uint32_t staffRows[] = {16, 23, 30, 37, 44};
    for (uint32_t y : staffRows) {
        for (uint32_t x = 0; x < 60; ++x) {
            // The stem crosses the three lower lines.
            const Rgb expected = (x == 43 && y >= 25) ? kNote : kStaff;
            EXPECT_EQ(pixel(picture, x, y), expected) << "staff row " << y << ", column " << x;
        }
    }
    for (uint32_t y = 25; y <= 47; ++y) EXPECT_EQ(pixel(picture, 43, y), kNote) << "stem row " << y;
    for (uint32_t x = 33; x <= 45; ++x) EXPECT_EQ(pixel(picture, x, 51), kNote) << "ledger column " << x;
    // The head is solid at its middle, over the ledger line and the two rows around it.
    for (uint32_t y = 50; y <= 53; ++y) {
        for (uint32_t x = 37; x <= 41; ++x) EXPECT_EQ(pixel(picture, x, y), kNote) << x << ", " << y;
    }

    int clefPixels = 0;
    for (uint32_t y = 0; y < 60; ++y) {
        for (uint32_t x = 0; x < 60; ++x) {
            const Rgb c = pixel(picture, x, y);
            const bool inHead = x >= 35 && x <= 43 && y >= 48 && y <= 55;
            const bool onStem = x == 43 && y >= 25 && y <= 47;
            const bool onLedger = y == 51 && x >= 33 && x <= 45;
            const bool onStaff = y == 16 || y == 23 || y == 30 || y == 37 || y == 44;
            if (isNoteShade(c)) {
                EXPECT_TRUE(inHead || onStem || onLedger) << "note colour at " << x << ", " << y;
            } else if (isStaffShade(c) && !onStaff) {
                EXPECT_TRUE(x >= 4 && x <= 42 && y >= 3 && y <= 57) << "clef colour at " << x << ", " << y;
                ++clefPixels;
            } else if (!onStaff) {
                EXPECT_EQ(c, kBlack) << x << ", " << y;
            }
        }
    }
    // A treble clef reaching above and below the staff, not a stray pixel or two.
    EXPECT_GT(clefPixels, 150);
    bool above = false, below = false;
    for (uint32_t x = 4; x <= 42; ++x) {
        above = above || isStaffShade(pixel(picture, x, 8));
        below = below || isStaffShade(pixel(picture, x, 52));
    }
    EXPECT_TRUE(above);
    EXPECT_TRUE(below);
}

uint32_t bigEndian(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

struct Chunk {
    std::string type;
    const uint8_t* data;
    uint32_t length;
};

std::vector<Chunk> chunksOf(const Bytes& file) {
    std::vector<Chunk> chunks;
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (file.size() < 8 || std::memcmp(file.data(), kSignature, 8) != 0) {
        ADD_FAILURE() << "no PNG signature";
        return chunks;
    }
    size_t at = 8;
    while (at + 12 <= file.size()) {
        const uint32_t length = bigEndian(&file[at]);
        if (length > file.size() - at - 12) break;
        chunks.push_back({std::string(reinterpret_cast<const char*>(&file[at + 4]), 4), &file[at + 8], length});
        at += size_t(length) + 12;
    }
    EXPECT_EQ(at, file.size()) << "chunks do not fill the file";
    return chunks;
}

TEST(Pictures, TitleIsAWholeCanvasOf256ColoursWithTheNameInRedAbove) {
    const DibPicture picture = decodeResource("title.png");
    ASSERT_EQ(picture.width, 630u);
    ASSERT_EQ(picture.height, 250u);
    EXPECT_EQ(picture.bitCount, 8);
    ASSERT_EQ(picture.colourCount, 256u);
    ASSERT_EQ(picture.stride, 632u);
    // Entry 0 is what rows the image data never reached would show: the black background.
    EXPECT_EQ(pixel(picture, 0, 0), kBlack);
    EXPECT_EQ(picture.colourTable[0] | picture.colourTable[1] | picture.colourTable[2], 0);

    // Large red letters across the upper half, none of that red below.
    int redAbove = 0, redBelow = 0;
    for (uint32_t y = 0; y < 250; ++y) {
        for (uint32_t x = 0; x < 630; ++x) {
            const Rgb c = pixel(picture, x, y);
            if (c.red >= 180 && c.green < 90 && c.blue < 90) ++(y < 125 ? redAbove : redBelow);
        }
    }
    EXPECT_GT(redAbove, 630 * 125 / 20);
    EXPECT_LT(redBelow, 100);
}

TEST(Pictures, TitleDataLiesInIdatChunksOfAtMost8192BytesThatAreAllNeeded) {
    const Bytes file = readResource("title.png");
    const std::vector<Chunk> chunks = chunksOf(file);
    ASSERT_GE(chunks.size(), 4u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    ASSERT_EQ(chunks[0].length, 13u);
    EXPECT_EQ(chunks[0].data[8], 8);  // bit depth
    EXPECT_EQ(chunks[0].data[9], 3);  // palette colour
    EXPECT_EQ(chunks[1].type, "PLTE");
    EXPECT_EQ(chunks[1].length, 256u * 3);
    EXPECT_EQ(chunks.back().type, "IEND");

    std::vector<const Chunk*> idat;
    for (size_t i = 2; i + 1 < chunks.size(); ++i) {
        EXPECT_EQ(chunks[i].type, "IDAT") << "chunk " << i;
        if (chunks[i].type == "IDAT") idat.push_back(&chunks[i]);
    }
    ASSERT_GE(idat.size(), 2u);
    for (const Chunk* c : idat) EXPECT_LE(c->length, 8192u);

    // Inflate as the decoder does: the next chunk only when the last one is used
    // up and rows are still missing. Every chunk must be taken, and the stream
    // must end in the last one, or a decoder reading no further than it needs
    // would find a chunk left over.
    Bytes rows(size_t(630 + 1) * 250);
    z_stream stream{};
    ASSERT_EQ(inflateInit(&stream), Z_OK);
    stream.next_out = rows.data();
    stream.avail_out = static_cast<uInt>(rows.size());
    size_t taken = 0;
    int result = Z_OK;
    while (stream.avail_out > 0 && result == Z_OK) {
        if (stream.avail_in == 0 && taken < idat.size()) {
            stream.next_in = const_cast<Bytef*>(idat[taken]->data);
            stream.avail_in = idat[taken]->length;
            ++taken;
        }
        result = inflate(&stream, Z_NO_FLUSH);
    }
    EXPECT_EQ(stream.avail_out, 0u);
    EXPECT_EQ(taken, idat.size());
    if (result == Z_OK) result = inflate(&stream, Z_FINISH);
    EXPECT_EQ(result, Z_STREAM_END);
    EXPECT_EQ(stream.avail_in, 0u);
    inflateEnd(&stream);
}

}  // namespace
