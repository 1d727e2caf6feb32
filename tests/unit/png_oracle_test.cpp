// The PNG decoder against libpng: files of every colour type and bit depth the
// decoder shows, with every row filter and several cuts of the image data into
// IDAT chunks, decoded by both and compared pixel for pixel.
#include "picture/png_decoder.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <ostream>
#include <string>

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

// Makes a file of `format` with the given row filters and IDAT size, and
// compares what the decoder shows with what libpng reads and with what the
// samples mean.
void expectSameAsLibpng(const Format& format, const std::vector<int>& filters, size_t pieceSize) {
    const int bitsPerPixel = format.bitDepth * samplesOf(format.colourType);
    const std::vector<Bytes> rows = patternRows((kWidth * bitsPerPixel + 7) / 8, kHeight);
    const int paletteCount = format.colourType == kPalette ? 1 << format.bitDepth : 0;
    const Bytes plte = paletteData(paletteCount);

    PngFile file;
    file.add("IHDR", header(kWidth, kHeight, format.bitDepth, format.colourType));
    if (paletteCount > 0) file.add("PLTE", plte);
    const size_t bpp = size_t(bitsPerPixel + 7) / 8;
    file.addImageData(deflated(filteredImage(rows, bpp, filters)), pieceSize);
    file.end();

    const std::vector<Colour> byLibpng = libpngColours(file.bytes);
    ASSERT_EQ(byLibpng.size(), size_t(kWidth) * kHeight);
    for (uint32_t y = 0; y < kHeight; ++y) {
        for (uint32_t x = 0; x < kWidth; ++x) {
            ASSERT_EQ(byLibpng[y * kWidth + x], meantColour(format, rows[y], x, plte))
                << "libpng disagrees with the test's own file at " << x << ", " << y;
        }
    }

    DibPicture picture;
    ASSERT_TRUE(decodePng(file.bytes.data(), file.bytes.size(), picture));
    const std::vector<Colour> byDecoder = dibColours(picture);
    ASSERT_EQ(byDecoder.size(), byLibpng.size());
    for (size_t i = 0; i < byDecoder.size(); ++i) {
        ASSERT_EQ(byDecoder[i], byLibpng[i]) << "pixel " << i % kWidth << ", " << i / kWidth;
    }
}

TEST(PngOracle, EveryRowFilterDecodesAsLibpngReadsIt) {
    for (const Format& format : kShownFormats) {
        for (int filter = 0; filter <= 4; ++filter) {
            SCOPED_TRACE(describe(format) + ", every row with filter " + std::to_string(filter));
            expectSameAsLibpng(format, std::vector<int>(kHeight, filter), SIZE_MAX);
        }
        std::vector<int> mixed;
        for (uint32_t y = 0; y < kHeight; ++y) mixed.push_back(int((y * 3 + 1) % 5));
        SCOPED_TRACE(describe(format) + ", filters mixed");
        expectSameAsLibpng(format, mixed, SIZE_MAX);
    }
}

TEST(PngOracle, EveryCutOfTheImageDataDecodesAsLibpngReadsIt) {
    std::vector<int> mixed;
    for (uint32_t y = 0; y < kHeight; ++y) mixed.push_back(int(y % 5));
    for (const Format& format : kShownFormats) {
        for (size_t pieceSize : {SIZE_MAX, size_t(64), size_t(7), size_t(1)}) {
            SCOPED_TRACE(describe(format) + ", IDAT chunks of " +
                         (pieceSize == SIZE_MAX ? std::string("the whole stream") : std::to_string(pieceSize)));
            expectSameAsLibpng(format, mixed, pieceSize);
        }
    }
}

}  // namespace
