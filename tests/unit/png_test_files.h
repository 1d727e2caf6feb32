// PNG files made by the tests: chunks with real CRCs, zlib streams, palettes.
#ifndef VARLO_TESTS_UNIT_PNG_TEST_FILES_H
#define VARLO_TESTS_UNIT_PNG_TEST_FILES_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pngtest {

using Bytes = std::vector<uint8_t>;

enum : int { kGrey = 0, kRgb = 2, kPalette = 3, kGreyAlpha = 4, kRgba = 6 };

constexpr size_t kStreamTailBytes = 8;

// A PNG file under construction, starting with the signature.
struct PngFile {
    Bytes bytes{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    // Appends a chunk: length, type, data and its correct CRC.
    PngFile& add(const char* type, const Bytes& data);
    // Appends `stream` as IDAT chunks of `pieceSize` bytes, but with its last
    // kStreamTailBytes in one last chunk: the decoder asks for no more data once
    // the rows are full, so the stream's end must come with the last row.
    PngFile& addImageData(const Bytes& stream, size_t pieceSize = SIZE_MAX);
    PngFile& end() { return add("IEND", {}); }
};

// IHDR data: compression and filter method 0.
Bytes header(uint32_t width, uint32_t height, int bitDepth, int colourType, int interlace = 0);
// A zlib stream of `raw`, with its header and Adler-32 trailer.
Bytes deflated(const Bytes& raw);
// Image data of rows that all carry filter byte 0.
Bytes unfilteredImage(const std::vector<Bytes>& rows);
// PLTE data of `count` distinct entries (red, green, blue).
Bytes paletteData(int count);
// Bytes of `rowBytes` pseudo-random values, different for each `seed`.
Bytes patternRow(size_t rowBytes, uint32_t seed);
// Height rows of `rowBytes` pattern bytes.
std::vector<Bytes> patternRows(size_t rowBytes, uint32_t height);

// A whole file: IHDR, a PLTE of `paletteCount` entries if not 0, the rows
// unfiltered in IDAT chunks of at most `pieceSize` bytes, IEND.
Bytes simplePng(uint32_t width, uint32_t height, int bitDepth, int colourType, const std::vector<Bytes>& rows,
                int paletteCount = 0, size_t pieceSize = SIZE_MAX);

}  // namespace pngtest

#endif
