// The PNG decoder on files made here: the DIB's layout and colour tables, what
// the chunk walk tolerates and refuses, and cut-off or damaged files.
#include "picture/png_decoder.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/png_test_files.h"

using namespace pngtest;

namespace {

DibPicture decoded(const Bytes& file) {
    DibPicture picture;
    EXPECT_TRUE(decodePng(file.data(), file.size(), picture));
    return picture;
}

bool isEmpty(const DibPicture& picture) {
    return picture.width == 0 && picture.height == 0 && picture.bitCount == 0 && picture.colourCount == 0 &&
           picture.colourTable.empty() && picture.stride == 0 && picture.bits.empty();
}

// True when the file is refused and the result left empty, even if it held a
// picture before.
bool refused(const Bytes& file) {
    DibPicture picture;
    picture.width = 5;
    picture.bits.assign(20, 0xAA);
    picture.colourTable.assign(4, 0xAA);
    return !decodePng(file.data(), file.size(), picture) && isEmpty(picture);
}

// A result that claims a picture must be whole.
void expectConsistent(const DibPicture& picture) {
    EXPECT_EQ(picture.bits.size(), size_t(picture.stride) * picture.height);
    EXPECT_EQ(picture.colourTable.size(), size_t(picture.colourCount) * 4);
    EXPECT_EQ(picture.stride % 4, 0u);
    EXPECT_GE(uint64_t(picture.stride) * 8, uint64_t(picture.width) * picture.bitCount);
}

const uint8_t* dibRow(const DibPicture& picture, uint32_t pictureRow) {
    return &picture.bits[size_t(picture.height - 1 - pictureRow) * picture.stride];
}

// The shapes of the program's own pictures.
struct PictureShape {
    uint32_t width, height;
    int bitDepth, paletteCount;
    uint16_t dibBitCount;
    uint32_t stride;
};

TEST(PngDecoder, PalettePicturesBecomeBottomUpDibsWithPaddedRows) {
    const PictureShape shapes[] = {
        {630, 250, 8, 256, 8, 632},  // title picture
        {106, 76, 2, 4, 4, 56},      // keyboard octaves, widened to 4 bits
        {211, 76, 2, 4, 4, 108},
        {60, 60, 4, 16, 4, 32},      // clef
    };
    for (const PictureShape& shape : shapes) {
        SCOPED_TRACE(std::to_string(shape.width) + "x" + std::to_string(shape.height));
        const size_t rowBytes = (shape.width * shape.bitDepth + 7) / 8;
        const std::vector<Bytes> rows = patternRows(rowBytes, shape.height);
        PngFile file;
        file.add("IHDR", header(shape.width, shape.height, shape.bitDepth, kPalette));
        file.add("PLTE", paletteData(shape.paletteCount));
        file.addImageData(deflated(unfilteredImage(rows)), 8192);
        const DibPicture picture = decoded(file.end().bytes);

        expectConsistent(picture);
        EXPECT_EQ(picture.width, shape.width);
        EXPECT_EQ(picture.height, shape.height);
        EXPECT_EQ(picture.bitCount, shape.dibBitCount);
        EXPECT_EQ(picture.stride, shape.stride);
        ASSERT_EQ(picture.colourCount, uint32_t(shape.paletteCount));
        const Bytes plte = paletteData(shape.paletteCount);
        for (int i = 0; i < shape.paletteCount; ++i) {
            const Bytes entry(picture.colourTable.begin() + 4 * i, picture.colourTable.begin() + 4 * i + 4);
            EXPECT_EQ(entry, (Bytes{plte[3 * i + 2], plte[3 * i + 1], plte[3 * i], 0})) << "entry " << i;
        }
        for (uint32_t y = 0; y < shape.height; ++y) {
            const uint8_t* target = dibRow(picture, y);
            for (uint32_t x = 0; x < shape.width; ++x) {
                const int shift = 8 - shape.bitDepth - int(x * shape.bitDepth % 8);
                const int stored = rows[y][x * shape.bitDepth / 8] >> shift & ((1 << shape.bitDepth) - 1);
                const int dibShift = 8 - shape.dibBitCount - int(x * shape.dibBitCount % 8);
                const int shown = target[x * shape.dibBitCount / 8] >> dibShift & ((1 << shape.dibBitCount) - 1);
                ASSERT_EQ(shown, stored) << "pixel " << x << ", " << y;
            }
            const size_t used = (size_t(shape.width) * shape.dibBitCount + 7) / 8;
            for (size_t i = used + 1; i < shape.stride; ++i) ASSERT_EQ(target[i], 0) << "padding of row " << y;
        }
    }
}

TEST(PngDecoder, TwoBitRowsAreWidenedFromTheirEnd) {
    // Pixels 1 2 3 0 | 0 1 2 3, and an odd width whose last nibble is padding.
    const DibPicture even = decoded(simplePng(8, 1, 2, kPalette, {{0x6C, 0x1B}}, 4));
    EXPECT_EQ(even.bitCount, 4);
    EXPECT_EQ(even.stride, 4u);
    EXPECT_EQ(even.bits, (Bytes{0x12, 0x30, 0x01, 0x23}));

    const DibPicture odd = decoded(simplePng(5, 2, 2, kPalette, {{0x6C, 0x40}, {0xFF, 0xC0}}, 4));
    EXPECT_EQ(odd.stride, 4u);
    EXPECT_EQ(odd.bits, (Bytes{0x33, 0x33, 0x30, 0, 0x12, 0x30, 0x10, 0}));
}

TEST(PngDecoder, TruecolourPixelsAreStoredBlueFirst) {
    const std::vector<Bytes> rows{{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 11, 12, 13, 14, 15, 16, 17, 18}};
    const DibPicture rgb = decoded(simplePng(3, 2, 8, kRgb, rows));
    EXPECT_EQ(rgb.bitCount, 24);
    EXPECT_EQ(rgb.stride, 12u);
    EXPECT_EQ(rgb.colourCount, 0u);
    EXPECT_TRUE(rgb.colourTable.empty());
    EXPECT_EQ(rgb.bits, (Bytes{12, 11, 10, 15, 14, 13, 18, 17, 16, 0, 0, 0, 3, 2, 1, 6, 5, 4, 9, 8, 7, 0, 0, 0}));

    const DibPicture rgba = decoded(simplePng(2, 1, 8, kRgba, {{1, 2, 3, 4, 5, 6, 7, 8}}));
    EXPECT_EQ(rgba.bitCount, 32);
    EXPECT_EQ(rgba.stride, 8u);
    EXPECT_EQ(rgba.colourCount, 0u);
    EXPECT_EQ(rgba.bits, (Bytes{3, 2, 1, 4, 7, 6, 5, 8}));
}

TEST(PngDecoder, GreyPicturesGetAGreyLevelPerSampleValue) {
    const DibPicture eight = decoded(simplePng(3, 1, 8, kGrey, {{0, 128, 255}}));
    EXPECT_EQ(eight.bitCount, 8);
    ASSERT_EQ(eight.colourCount, 256u);
    for (int n = 0; n < 256; ++n) {
        EXPECT_EQ(Bytes(eight.colourTable.begin() + 4 * n, eight.colourTable.begin() + 4 * n + 4),
                  (Bytes{uint8_t(n), uint8_t(n), uint8_t(n), 0}));
    }
    EXPECT_EQ(eight.bits, (Bytes{0, 128, 255, 0}));

    // Below 8 bits the levels spread over black to white.
    const DibPicture two = decoded(simplePng(4, 1, 2, kGrey, {{0x1B}}));
    EXPECT_EQ(two.bitCount, 4);
    EXPECT_EQ(two.colourTable, (Bytes{0, 0, 0, 0, 85, 85, 85, 0, 170, 170, 170, 0, 255, 255, 255, 0}));
    EXPECT_EQ(two.bits, (Bytes{0x01, 0x23, 0, 0}));
    const DibPicture one = decoded(simplePng(33, 1, 1, kGrey, {{0x80, 0, 0, 0, 0x80}}));
    EXPECT_EQ(one.bitCount, 1);
    EXPECT_EQ(one.stride, 8u);
    EXPECT_EQ(one.colourTable, (Bytes{0, 0, 0, 0, 255, 255, 255, 0}));
    const DibPicture four = decoded(simplePng(2, 1, 4, kGrey, {{0x0F}}));
    ASSERT_EQ(four.colourCount, 16u);
    EXPECT_EQ(four.colourTable[4 * 1], 17);
    EXPECT_EQ(four.colourTable[4 * 15], 255);
}

TEST(PngDecoder, ToleratesBadCrcsUnknownChunksAndUnknownFilters) {
    const std::vector<Bytes> rows{{10, 20, 30}, {1, 1, 1}};
    const Bytes good = simplePng(3, 2, 8, kPalette, rows, 256);
    const DibPicture expected = decoded(good);

    Bytes badCrcs = good;
    badCrcs[8 + 8 + 13] ^= 0xFF;  // IHDR's CRC
    badCrcs[badCrcs.size() - 1] ^= 0xFF;  // IEND's CRC
    EXPECT_EQ(decoded(badCrcs).bits, expected.bits);

    PngFile withExtras;
    withExtras.add("IHDR", header(3, 2, 8, kPalette));
    withExtras.add("tIME", {7, 0xE8, 1, 1, 0, 0, 0});
    withExtras.add("tEXt", {'T', 'i', 't', 'l', 'e', 0, 'x'});
    withExtras.add("PLTE", paletteData(256));
    withExtras.add("vpAg", Bytes(9, 0));
    withExtras.addImageData(deflated(unfilteredImage(rows)));
    withExtras.add("zzZz", {1, 2, 3});
    EXPECT_EQ(decoded(withExtras.end().bytes).bits, expected.bits);

    // Filter byte 7 keeps the row as stored; the next row adds it back (Up).
    const Bytes raw{7, 10, 20, 30, 2, 1, 1, 1};
    PngFile unknownFilter;
    unknownFilter.add("IHDR", header(3, 2, 8, kPalette)).add("PLTE", paletteData(256));
    const DibPicture unfiltered = decoded(unknownFilter.addImageData(deflated(raw)).end().bytes);
    EXPECT_EQ(unfiltered.bits, (Bytes{11, 21, 31, 0, 10, 20, 30, 0}));
}

TEST(PngDecoder, RefusesHeadersItCannotShow) {
    const std::vector<Bytes> row{{0}};
    auto withHeader = [&](const Bytes& ihdr) {
        PngFile file;
        file.add("IHDR", ihdr).add("PLTE", paletteData(2));
        return file.addImageData(deflated(unfilteredImage(row))).end().bytes;
    };
    EXPECT_FALSE(refused(withHeader(header(1, 1, 8, kPalette))));  // the control case
    EXPECT_TRUE(refused(withHeader(header(1, 1, 8, kPalette, 1))));  // interlaced
    Bytes compressed = header(1, 1, 8, kPalette);
    compressed[10] = 1;
    EXPECT_TRUE(refused(withHeader(compressed)));
    Bytes filtered = header(1, 1, 8, kPalette);
    filtered[11] = 1;
    EXPECT_TRUE(refused(withHeader(filtered)));
    Bytes tooLong = header(1, 1, 8, kPalette);
    tooLong.push_back(0);
    EXPECT_TRUE(refused(withHeader(tooLong)));
    for (int type : {1, 5, 7, 8}) EXPECT_TRUE(refused(withHeader(header(1, 1, 8, type)))) << "type " << type;
    EXPECT_TRUE(refused(withHeader(header(1, 1, 3, kGrey))));
    EXPECT_TRUE(refused(withHeader(header(1, 1, 4, kRgb))));
    EXPECT_TRUE(refused(withHeader(header(1, 1, 16, kPalette))));
    // Valid PNG, but a DIB cannot show it as it is.
    for (int type : {kGrey, kRgb, kRgba, kGreyAlpha}) {
        EXPECT_TRUE(refused(withHeader(header(1, 1, 16, type)))) << "16-bit type " << type;
    }
    EXPECT_TRUE(refused(withHeader(header(1, 1, 8, kGreyAlpha))));
    // Nothing to show, or larger than PNG allows.
    EXPECT_TRUE(refused(withHeader(header(0, 1, 8, kPalette))));
    EXPECT_TRUE(refused(withHeader(header(1, 0, 8, kPalette))));
    EXPECT_TRUE(refused(withHeader(header(0x80000000u, 1, 1, kPalette))));
    EXPECT_TRUE(refused(withHeader(header(1, 0x80000000u, 1, kPalette))));
}

TEST(PngDecoder, RefusesSizesWhoseBuffersWouldOverflowOrExceedTheLimit) {
    auto sized = [](uint32_t width, uint32_t height, int colourType) {
        PngFile file;
        file.add("IHDR", header(width, height, 8, colourType));
        return file.addImageData(deflated(Bytes(64, 0))).end().bytes;
    };
    EXPECT_TRUE(refused(sized(0x7FFFFFFF, 0x7FFFFFFF, kRgba)));
    // 4 bytes x 0x40000001 pixels is 4 once it wraps at 32 bits.
    EXPECT_TRUE(refused(sized(0x40000001, 1, kRgba)));
    // Rows of 1 + 262144 bytes: 1024 of them are just over 256 MiB.
    static_assert(kMaxPictureBufferBytes == 256u << 20, "the sizes below straddle this limit");
    EXPECT_TRUE(refused(sized(65536, 1024, kRgba)));
    EXPECT_TRUE(refused(sized(1 << 20, 1 << 20, kGrey)));
    // Within the limit, a stream that ends early leaves the rows zero.
    const DibPicture wide = decoded(sized(65536, 2, kRgba));
    EXPECT_EQ(wide.stride, 262144u);
    expectConsistent(wide);
}

TEST(PngDecoder, RefusesChunksOutOfOrder) {
    const Bytes ihdr = header(2, 1, 8, kPalette);
    const Bytes plte = paletteData(2);
    const Bytes stream = deflated(unfilteredImage({{1, 0}}));
    auto build = [&](const std::string& order) {
        PngFile file;
        for (char kind : order) {
            if (kind == 'H') file.add("IHDR", ihdr);
            if (kind == 'P') file.add("PLTE", plte);
            if (kind == 'D') file.addImageData(stream);
            if (kind == 't') file.add("tEXt", {'a', 0, 'b'});
            if (kind == 'E') file.end();
        }
        return file.bytes;
    };
    EXPECT_FALSE(refused(build("HPDE")));
    EXPECT_FALSE(refused(build("HtPtDtE")));
    EXPECT_TRUE(refused(build("HHPDE"))) << "second IHDR";
    EXPECT_TRUE(refused(build("PHPDE"))) << "PLTE before IHDR";
    EXPECT_TRUE(refused(build("DHPDE"))) << "IDAT before IHDR";
    EXPECT_TRUE(refused(build("HPPDE"))) << "second PLTE";
    EXPECT_TRUE(refused(build("HPDPE"))) << "PLTE after IDAT";
    EXPECT_TRUE(refused(build("HPDtDE"))) << "second run of IDAT";
    EXPECT_TRUE(refused(build("HPDHE"))) << "IHDR after IDAT";
    EXPECT_TRUE(refused(build("E"))) << "IEND before IHDR";
    EXPECT_TRUE(refused(build("HPE"))) << "IEND before IDAT";
    EXPECT_TRUE(refused(build("HDE"))) << "palette picture without PLTE";
    EXPECT_TRUE(refused(build("HPD"))) << "no IEND";
    EXPECT_TRUE(refused(build(""))) << "signature only";

    Bytes wrongSignature = build("HPDE");
    wrongSignature[1] = 'p';
    EXPECT_TRUE(refused(wrongSignature));
}

TEST(PngDecoder, RefusesPalettesThatDoNotFit) {
    auto withPalette = [](const Bytes& plte) {
        PngFile file;
        file.add("IHDR", header(4, 1, 2, kPalette)).add("PLTE", plte);
        return file.addImageData(deflated(unfilteredImage({{0x1B}}))).end().bytes;
    };
    EXPECT_FALSE(refused(withPalette(paletteData(4))));
    EXPECT_TRUE(refused(withPalette(paletteData(16)))) << "more entries than 2 bits can pick";
    EXPECT_TRUE(refused(withPalette(Bytes(10, 0)))) << "not whole entries";
    EXPECT_TRUE(refused(withPalette({}))) << "empty";
}

TEST(PngDecoder, IgnoresThePaletteOfATruecolourPicture) {
    PngFile file;
    file.add("IHDR", header(1, 1, 8, kRgb)).add("PLTE", paletteData(3));
    const DibPicture picture = decoded(file.addImageData(deflated(unfilteredImage({{1, 2, 3}}))).end().bytes);
    EXPECT_EQ(picture.colourCount, 0u);
    EXPECT_TRUE(picture.colourTable.empty());
    EXPECT_EQ(picture.bits, (Bytes{3, 2, 1, 0}));
    // Any whole number of entries is read there, none included.
    PngFile empty;
    empty.add("IHDR", header(1, 1, 8, kRgb)).add("PLTE", {});
    EXPECT_EQ(decoded(empty.addImageData(deflated(unfilteredImage({{1, 2, 3}}))).end().bytes).bits, picture.bits);
}

TEST(PngDecoder, TakesImageDataOnlyAsTheRowsNeedIt) {
    const std::vector<Bytes> rows = patternRows(4, 6);
    const Bytes stream = deflated(unfilteredImage(rows));
    auto file = [](const std::vector<Bytes>& idats) {
        PngFile png;
        png.add("IHDR", header(4, 6, 8, kPalette)).add("PLTE", paletteData(256));
        for (const Bytes& idat : idats) png.add("IDAT", idat);
        return png.end().bytes;
    };
    const size_t half = stream.size() / 2;
    EXPECT_FALSE(refused(file({stream})));
    EXPECT_FALSE(refused(file({Bytes(stream.begin(), stream.begin() + half),
                               Bytes(stream.begin() + half, stream.end())})));
    // Once the rows are full no more input is asked for: the walk then meets
    // the IDAT that holds the trailer, or a further empty one.
    EXPECT_TRUE(refused(file({Bytes(stream.begin(), stream.end() - 4), Bytes(stream.end() - 4, stream.end())})));
    EXPECT_TRUE(refused(file({stream, {}})));

    // Image data that runs out, or is damaged, is refused.
    EXPECT_TRUE(refused(file({Bytes(stream.begin(), stream.begin() + stream.size() / 2)})));
    Bytes damaged = stream;
    damaged[0] = 0x79;  // not a zlib header
    EXPECT_TRUE(refused(file({damaged})));

    // A stream that ends after two rows leaves the rest in palette entry 0.
    const DibPicture early = decoded(file({deflated(unfilteredImage({rows[0], rows[1]}))}));
    EXPECT_EQ(Bytes(early.bits.end() - 4, early.bits.end()), rows[0]);
    EXPECT_EQ(Bytes(early.bits.end() - 8, early.bits.end() - 4), rows[1]);
    EXPECT_EQ(Bytes(early.bits.begin(), early.bits.end() - 8), Bytes(16, 0));
}

// A small file with every kind of chunk the decoder reads or skips.
Bytes smallPng() {
    PngFile file;
    file.add("IHDR", header(7, 3, 2, kPalette)).add("tEXt", {'a', 0, 'b'}).add("PLTE", paletteData(4));
    file.addImageData(deflated(unfilteredImage(patternRows(2, 3))), 5);
    return file.end().bytes;
}

TEST(PngDecoder, NeverReadsPastTheEndOfACutOffFile) {
    const Bytes whole = smallPng();
    for (size_t size = 0; size < whole.size(); ++size) {
        // Copied to a buffer of exactly `size` bytes, so a read past it is caught.
        const Bytes cut(whole.begin(), whole.begin() + size);
        EXPECT_TRUE(refused(cut)) << "cut at " << size;
    }
    EXPECT_FALSE(refused(whole));

    PngFile hugeChunk;
    hugeChunk.add("IHDR", header(7, 3, 2, kPalette));
    hugeChunk.bytes.insert(hugeChunk.bytes.end(), {0xFF, 0xFF, 0xFF, 0xF0, 't', 'E', 'X', 't', 0, 0, 0, 0});
    EXPECT_TRUE(refused(hugeChunk.bytes)) << "chunk length past the end";
}

TEST(PngDecoder, DamagedBytesGiveAWholePictureOrNone) {
    const Bytes whole = smallPng();
    for (size_t at = 0; at < whole.size(); ++at) {
        for (int change : {0x00, 0xFF, whole[at] ^ 0x01, whole[at] ^ 0x80}) {
            Bytes damaged = whole;
            damaged[at] = uint8_t(change);
            DibPicture picture;
            if (decodePng(damaged.data(), damaged.size(), picture)) {
                expectConsistent(picture);
            } else {
                EXPECT_TRUE(isEmpty(picture));
            }
        }
    }
}

}  // namespace
