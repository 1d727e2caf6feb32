// The PNG decoder against libpng: files of every colour type and bit depth the
// decoder shows, with every row filter, several cuts of the image data into
// IDAT chunks, and pictures several bands tall, decoded by both and compared
// pixel for pixel.
#include "picture/png_decoder.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <string>
#include <utility>

#include "tests/unit/png_test_files.h"

using namespace pngtest;

namespace {

struct Format {
    int colourType;
    int bitDepth;
};

const Format kShownFormats[] = {
    {kGrey, 1}, {kGrey, 2}, {kGrey, 4}, {kGrey, 8}, {kRgb, 8},
    {kPalette, 1}, {kPalette, 2}, {kPalette, 4}, {kPalette, 8}, {kRgba, 8},
};

constexpr uint32_t kWidth = 37;  // not a whole number of bytes at 1, 2 or 4 bits
constexpr uint32_t kHeight = 11;

int samplesOf(int colourType) {
    return colourType == kRgb ? 3 : colourType == kRgba ? 4 : 1;
}

std::string describe(const Format& format) {
    return "colour type " + std::to_string(format.colourType) + ", " + std::to_string(format.bitDepth) + " bits";
}

struct Colour {
    uint8_t blue, green, red, alpha;
    bool operator==(const Colour& other) const {
        return blue == other.blue && green == other.green && red == other.red && alpha == other.alpha;
    }
};

std::ostream& operator<<(std::ostream& out, const Colour& colour) {
    return out << "BGRA(" << int(colour.blue) << ", " << int(colour.green) << ", " << int(colour.red) << ", "
               << int(colour.alpha) << ")";
}

int packedSample(const uint8_t* row, uint32_t x, int bits) {
    return row[x * bits / 8] >> (8 - bits - int(x * bits % 8)) & ((1 << bits) - 1);
}

int paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

// Filters the rows as a PNG writer does: row y with filters[y], each byte
// stored as its difference from the filter's prediction.
Bytes filteredImage(const std::vector<Bytes>& rows, size_t bpp, const std::vector<int>& filters) {
    Bytes image;
    const Bytes none(rows[0].size(), 0);
    for (size_t y = 0; y < rows.size(); ++y) {
        const Bytes& row = rows[y];
        const Bytes& above = y > 0 ? rows[y - 1] : none;
        image.push_back(uint8_t(filters[y]));
        for (size_t i = 0; i < row.size(); ++i) {
            const int a = i >= bpp ? row[i - bpp] : 0;
            const int b = above[i];
            const int c = i >= bpp ? above[i - bpp] : 0;
            const int predictions[] = {0, a, b, (a + b) / 2, paeth(a, b, c)};
            image.push_back(uint8_t(row[i] - predictions[filters[y]]));
        }
    }
    return image;
}

// The colour the file means for pixel x of a row of samples.
Colour meantColour(const Format& format, const Bytes& row, uint32_t x, const Bytes& plte) {
    if (format.colourType == kRgb) return {row[3 * x + 2], row[3 * x + 1], row[3 * x], 255};
    if (format.colourType == kRgba) return {row[4 * x + 2], row[4 * x + 1], row[4 * x], row[4 * x + 3]};
    const int sample = packedSample(row.data(), x, format.bitDepth);
    if (format.colourType == kPalette) {
        return {plte[3 * sample + 2], plte[3 * sample + 1], plte[3 * sample], 255};
    }
    const uint8_t level = uint8_t(sample * 255 / ((1 << format.bitDepth) - 1));
    return {level, level, level, 255};
}

// libpng's reading of the file, as non-premultiplied 8-bit BGRA.
std::vector<Colour> libpngColours(const Bytes& file) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) {
        ADD_FAILURE() << "libpng: " << image.message;
        return {};
    }
    image.format = PNG_FORMAT_BGRA;
    Bytes buffer(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr)) {
        ADD_FAILURE() << "libpng: " << image.message;
        png_image_free(&image);
        return {};
    }
    std::vector<Colour> colours;
    for (size_t i = 0; i + 3 < buffer.size(); i += 4) {
        colours.push_back({buffer[i], buffer[i + 1], buffer[i + 2], buffer[i + 3]});
    }
    return colours;
}

// The decoded DIB's pixels, top row first, palette indices looked up.
std::vector<Colour> dibColours(const DibPicture& picture) {
    std::vector<Colour> colours;
    for (uint32_t y = 0; y < picture.height; ++y) {
        const uint8_t* row = &picture.bits[size_t(picture.height - 1 - y) * picture.stride];
        for (uint32_t x = 0; x < picture.width; ++x) {
            if (picture.bitCount == 24) {
                colours.push_back({row[3 * x], row[3 * x + 1], row[3 * x + 2], 255});
            } else if (picture.bitCount == 32) {
                colours.push_back({row[4 * x], row[4 * x + 1], row[4 * x + 2], row[4 * x + 3]});
            } else {
                const uint32_t index = uint32_t(packedSample(row, x, picture.bitCount));
                if (index >= picture.colourCount) {
                    colours.push_back({0, 0, 0, 0});  // outside the table: matches nothing opaque
                    continue;
                }
                const uint8_t* entry = &picture.colourTable[4 * index];
                colours.push_back({entry[0], entry[1], entry[2], 255});
            }
        }
    }
    return colours;
}

size_t rowBytesOf(const Format& format, uint32_t width) {
    return (size_t(width) * format.bitDepth * samplesOf(format.colourType) + 7) / 8;
}

// Distance to the same byte of the pixel to the left, as the filters count it.
size_t bppOf(const Format& format) {
    return size_t(format.bitDepth * samplesOf(format.colourType) + 7) / 8;
}

// A file of `format` whose IDAT chunks of `pieceSize` bytes hold `image`
// (filtered rows, perhaps fewer than `height`) as one zlib stream.
Bytes pictureFile(const Format& format, uint32_t width, uint32_t height, const Bytes& image, size_t pieceSize) {
    PngFile file;
    file.add("IHDR", header(width, height, format.bitDepth, format.colourType));
    if (format.colourType == kPalette) file.add("PLTE", paletteData(1 << format.bitDepth));
    file.addImageData(deflated(image), pieceSize);
    return file.end().bytes;
}

// Pixels `from` to `to` of two pictures `width` pixels wide agree; otherwise
// names the first that does not.
::testing::AssertionResult samePixels(const std::vector<Colour>& shown, const std::vector<Colour>& expected,
                                      size_t from, size_t to, uint32_t width) {
    for (size_t i = from; i < to; ++i) {
        if (!(shown[i] == expected[i])) {
            return ::testing::AssertionFailure() << "pixel " << i % width << ", " << i / width << " is " << shown[i]
                                                 << ", expected " << expected[i];
        }
    }
    return ::testing::AssertionSuccess();
}

// Makes a file of `format` with the given row filters and IDAT size, and
// compares what the decoder shows with what libpng reads and with what the
// samples mean.
void expectSameAsLibpng(const Format& format, uint32_t width, uint32_t height, const std::vector<int>& filters,
                        size_t pieceSize) {
    const std::vector<Bytes> rows = patternRows(rowBytesOf(format, width), height);
    const Bytes plte = paletteData(format.colourType == kPalette ? 1 << format.bitDepth : 0);
    const Bytes file = pictureFile(format, width, height, filteredImage(rows, bppOf(format), filters), pieceSize);

    const std::vector<Colour> byLibpng = libpngColours(file);
    ASSERT_EQ(byLibpng.size(), size_t(width) * height);
    std::vector<Colour> meant;
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) meant.push_back(meantColour(format, rows[y], x, plte));
    }
    ASSERT_TRUE(samePixels(byLibpng, meant, 0, meant.size(), width)) << "libpng disagrees with the test's own file";

    DibPicture picture;
    ASSERT_TRUE(decodePng(file.data(), file.size(), picture));
    const std::vector<Colour> byDecoder = dibColours(picture);
    ASSERT_EQ(byDecoder.size(), byLibpng.size());
    EXPECT_TRUE(samePixels(byDecoder, byLibpng, 0, byLibpng.size(), width));
}

TEST(PngOracle, EveryRowFilterDecodesAsLibpngReadsIt) {
    for (const Format& format : kShownFormats) {
        for (int filter = 0; filter <= 4; ++filter) {
            SCOPED_TRACE(describe(format) + ", every row with filter " + std::to_string(filter));
            expectSameAsLibpng(format, kWidth, kHeight, std::vector<int>(kHeight, filter), SIZE_MAX);
        }
        std::vector<int> mixed;
        for (uint32_t y = 0; y < kHeight; ++y) mixed.push_back(int((y * 3 + 1) % 5));
        SCOPED_TRACE(describe(format) + ", filters mixed");
        expectSameAsLibpng(format, kWidth, kHeight, mixed, SIZE_MAX);
    }
}

TEST(PngOracle, EveryCutOfTheImageDataDecodesAsLibpngReadsIt) {
    std::vector<int> mixed;
    for (uint32_t y = 0; y < kHeight; ++y) mixed.push_back(int(y % 5));
    for (const Format& format : kShownFormats) {
        for (size_t pieceSize : {SIZE_MAX, size_t(64), size_t(7), size_t(1)}) {
            SCOPED_TRACE(describe(format) + ", IDAT chunks of " +
                         (pieceSize == SIZE_MAX ? std::string("the whole stream") : std::to_string(pieceSize)));
            expectSameAsLibpng(format, kWidth, kHeight, mixed, pieceSize);
        }
    }
}

// The decoder inflates the image data a band of rows at a time: as many rows
// (filter byte and pixel bytes) as fit in 64 KB, at least one. The pictures
// below are sized from it so that band boundaries fall inside them.
constexpr size_t kBandBytes = 64 * 1024;

size_t bandRowsOf(const Format& format, uint32_t width) {
    return std::max<size_t>(1, kBandBytes / (rowBytesOf(format, width) + 1));
}

// Filters that change from row to row, with Up, Average and Paeth taking turns
// on the first row of each band after the first: the rows that read the last
// row of the band before.
std::vector<int> bandFilters(uint32_t height, size_t bandRows) {
    std::vector<int> filters;
    for (uint32_t y = 0; y < height; ++y) filters.push_back(int((y * 3 + 1) % 5));
    for (size_t band = 1; band * bandRows < height; ++band) filters[band * bandRows] = int(2 + (band - 1) % 3);
    return filters;
}

struct TallPicture {
    const char* name;
    Format format;
    uint32_t width, height;
    size_t pieceSize;  // IDAT chunk size
};

// Each at least three bands tall, so that Up, Average and Paeth each start a band.
const TallPicture kTallPictures[] = {
    {"Palette8Rows301", {kPalette, 8}, 300, 700, SIZE_MAX},  // 217 rows a band, 219 bytes of it unused
    {"Palette8Rows256", {kPalette, 8}, 255, 769, 4096},      // 256 rows fill a band; the last band is one row
    {"Grey1Rows127", {kGrey, 1}, 1001, 1600, 1021},          // 516 rows a band, a part byte at each row's end
    {"Rgb8Rows1000", {kRgb, 8}, 333, 220, 7777},             // 65 rows a band
    {"Rgba8Rows1001", {kRgba, 8}, 250, 200, SIZE_MAX},       // 65 rows a band
    {"Rgba8Rows65601", {kRgba, 8}, 16400, 4, 30000},         // a row longer than a band: one row a band
};

void PrintTo(const TallPicture& tall, std::ostream* out) {
    *out << tall.name;
}

class PngOracleBands : public ::testing::TestWithParam<TallPicture> {};

TEST_P(PngOracleBands, DecodeAsLibpngReadsThem) {
    const TallPicture& tall = GetParam();
    const size_t bandRows = bandRowsOf(tall.format, tall.width);
    ASSERT_GT(tall.height, 3 * bandRows);
    expectSameAsLibpng(tall.format, tall.width, tall.height, bandFilters(tall.height, bandRows), tall.pieceSize);
}

INSTANTIATE_TEST_SUITE_P(TallPictures, PngOracleBands, ::testing::ValuesIn(kTallPictures),
                         [](const ::testing::TestParamInfo<TallPicture>& info) { return info.param.name; });

// A stream that ends in the second band, with the first band full, after the
// first row of the second, and one row before the second is full: the rows it
// holds are shown as libpng shows the whole file, and the rows after it, in
// that band and the next, stay 0.
TEST(PngOracle, AStreamEndingInTheSecondBandLeavesTheRowsAfterItZero) {
    const std::pair<Format, uint32_t> pictures[] = {{{kPalette, 8}, 300}, {{kGrey, 1}, 1001}, {{kRgb, 8}, 333}};
    for (const auto& [format, width] : pictures) {
        const size_t rowBytes = rowBytesOf(format, width);
        const size_t bandRows = bandRowsOf(format, width);
        const uint32_t height = uint32_t(2 * bandRows + bandRows / 2);
        const Bytes image = filteredImage(patternRows(rowBytes, height), bppOf(format), bandFilters(height, bandRows));
        const std::vector<Colour> byLibpng = libpngColours(pictureFile(format, width, height, image, SIZE_MAX));
        ASSERT_EQ(byLibpng.size(), size_t(width) * height);

        for (size_t endRow : {bandRows, bandRows + 1, 2 * bandRows - 1}) {
            SCOPED_TRACE(describe(format) + ", " + std::to_string(bandRows) + " rows a band, stream ending before row " +
                         std::to_string(endRow));
            const Bytes cut(image.begin(), image.begin() + endRow * (rowBytes + 1));
            const Bytes file = pictureFile(format, width, height, cut, 4096);
            DibPicture picture;
            ASSERT_TRUE(decodePng(file.data(), file.size(), picture));
            const std::vector<Colour> byDecoder = dibColours(picture);
            ASSERT_EQ(byDecoder.size(), byLibpng.size());
            EXPECT_TRUE(samePixels(byDecoder, byLibpng, 0, endRow * width, width));
            // Bottom-up: the rows from endRow down are the DIB's first ones.
            const auto unreached = picture.bits.begin() + (height - endRow) * picture.stride;
            const auto nonZero = std::find_if(picture.bits.begin(), unreached, [](uint8_t byte) { return byte != 0; });
            EXPECT_TRUE(nonZero == unreached) << "picture row "
                                              << height - 1 - size_t(nonZero - picture.bits.begin()) / picture.stride
                                              << " is not zero";
        }
    }
}

}  // namespace

// Once the rows are full the decoder takes no further input, however the band
// boundaries fall: a stream whose Adler-32 trailer lies in an IDAT of its own is
// refused, and the same stream in one IDAT decodes. Blank rows make zlib read
// all its input before a band is full, while it still holds output for the next.
TEST(PngOracle, ATrailerPastTheLastRowIsRefusedWhereverTheBandsEnd) {
    const std::pair<Format, uint32_t> pictures[] = {{{kPalette, 1}, 8}, {{kGrey, 8}, 255}, {{kRgb, 8}, 100}};
    for (const auto& [format, width] : pictures) {
        const size_t bandRows = bandRowsOf(format, width);
        for (size_t height : {2 * bandRows - 1, 2 * bandRows, 2 * bandRows + 1, 2 * bandRows + 2}) {
            SCOPED_TRACE(describe(format) + ", " + std::to_string(bandRows) + " rows a band, " +
                         std::to_string(height) + " rows");
            const Bytes stream = deflated(Bytes(height * (rowBytesOf(format, width) + 1), 0));
            auto file = [&](const std::vector<Bytes>& idats) {
                PngFile png;
                png.add("IHDR", header(width, uint32_t(height), format.bitDepth, format.colourType));
                if (format.colourType == kPalette) png.add("PLTE", paletteData(2));
                for (const Bytes& idat : idats) png.add("IDAT", idat);
                return png.end().bytes;
            };
            DibPicture picture;
            const Bytes whole = file({stream});
            EXPECT_TRUE(decodePng(whole.data(), whole.size(), picture));
            const Bytes split = file({Bytes(stream.begin(), stream.end() - 4), Bytes(stream.end() - 4, stream.end())});
            EXPECT_FALSE(decodePng(split.data(), split.size(), picture));
        }
    }
}
