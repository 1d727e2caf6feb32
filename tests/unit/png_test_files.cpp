// PNG files made by the tests.
#include "tests/unit/png_test_files.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

namespace pngtest {
namespace {

void appendBigEndian32(Bytes& bytes, uint32_t value) {
    bytes.insert(bytes.end(), {uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)});
}

}  // namespace

PngFile& PngFile::add(const char* type, const Bytes& data) {
    appendBigEndian32(bytes, uint32_t(data.size()));
    const size_t typeAt = bytes.size();
    bytes.insert(bytes.end(), type, type + 4);
    bytes.insert(bytes.end(), data.begin(), data.end());
    appendBigEndian32(bytes, uint32_t(crc32(0, &bytes[typeAt], uInt(bytes.size() - typeAt))));
    return *this;
}

PngFile& PngFile::addImageData(const Bytes& stream, size_t pieceSize) {
    if (pieceSize >= stream.size()) return add("IDAT", stream);
    // The last 8 bytes hold at least the end of the last code that fills the
    // rows, the end-of-block code and the Adler-32 trailer.
    const size_t tailAt = stream.size() - std::min<size_t>(kStreamTailBytes, stream.size());
    for (size_t at = 0; at < tailAt;) {
        const size_t length = std::min(pieceSize, tailAt - at);
        add("IDAT", Bytes(stream.begin() + at, stream.begin() + at + length));
        at += length;
    }
    return add("IDAT", Bytes(stream.begin() + tailAt, stream.end()));
}

Bytes header(uint32_t width, uint32_t height, int bitDepth, int colourType, int interlace) {
    Bytes data;
    appendBigEndian32(data, width);
    appendBigEndian32(data, height);
    data.insert(data.end(), {uint8_t(bitDepth), uint8_t(colourType), 0, 0, uint8_t(interlace)});
    return data;
}

Bytes deflated(const Bytes& raw) {
    uLongf size = compressBound(uLong(raw.size()));
    Bytes stream(size);
    if (compress2(stream.data(), &size, raw.data(), uLong(raw.size()), 9) != Z_OK) {
        throw std::runtime_error("compress2 failed");
    }
    stream.resize(size);
    return stream;
}

Bytes unfilteredImage(const std::vector<Bytes>& rows) {
    Bytes raw;
    for (const Bytes& row : rows) {
        raw.push_back(0);
        raw.insert(raw.end(), row.begin(), row.end());
    }
    return raw;
}

Bytes paletteData(int count) {
    Bytes data;
    for (int i = 0; i < count; ++i) data.insert(data.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7 + 3)});
    return data;
}

Bytes patternRow(size_t rowBytes, uint32_t seed) {
    Bytes row(rowBytes);
    uint32_t state = seed * 2654435761u + 12345;
    for (uint8_t& byte : row) {
        state = state * 1103515245u + 12345;
        byte = uint8_t(state >> 16);
    }
    return row;
}

std::vector<Bytes> patternRows(size_t rowBytes, uint32_t height) {
    std::vector<Bytes> rows;
    for (uint32_t y = 0; y < height; ++y) rows.push_back(patternRow(rowBytes, y));
    return rows;
}

Bytes simplePng(uint32_t width, uint32_t height, int bitDepth, int colourType, const std::vector<Bytes>& rows,
                int paletteCount, size_t pieceSize) {
    PngFile file;
    file.add("IHDR", header(width, height, bitDepth, colourType));
    if (paletteCount > 0) file.add("PLTE", paletteData(paletteCount));
    file.addImageData(deflated(unfilteredImage(rows)), pieceSize);
    return file.end().bytes;
}

}  // namespace pngtest
