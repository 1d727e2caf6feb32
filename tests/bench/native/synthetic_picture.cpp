// The benchmark's large palette picture, written with zlib.
#include "tests/bench/native/synthetic_picture.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tests/bench/native/noise.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr size_t kChunkBytes = 8192;  // libpng's own IDAT size
constexpr size_t kStreamTailBytes = 8;

void appendBigEndian32(Bytes& bytes, uint32_t value) {
    bytes.insert(bytes.end(), {uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)});
}

void addChunk(Bytes& file, const char* type, const uint8_t* data, size_t length) {
    appendBigEndian32(file, uint32_t(length));
    const size_t typeAt = file.size();
    file.insert(file.end(), type, type + 4);
    file.insert(file.end(), data, data + length);
    appendBigEndian32(file, uint32_t(crc32(0, &file[typeAt], uInt(file.size() - typeAt))));
}

// The picture's palette index at (x, y): regions of 512 x 512 pixels, each of
// one kind, like the parts of a drawn illustration.
uint8_t pixelAt(uint32_t x, uint32_t y, Noise& noise) {
    const uint32_t region = (x / 512 * 3 + y / 512 * 5) % 6;
    const uint32_t u = x % 512, v = y % 512;
    switch (region) {
    case 0: return uint8_t(v / 64);                                      // flat bands
    case 1: return uint8_t(16 + (u + v) / 32);                           // a diagonal gradient
    case 2: {                                                            // rings
        const int dx = int(u) - 256, dy = int(v) - 256;
        return uint8_t(64 + (dx * dx + dy * dy) / 1024 % 48);
    }
    case 3: return uint8_t(112 + ((u / 16 + v / 16) % 2) * 8 + (u / 128));  // a checked pattern
    case 4: return uint8_t(144 + (noise.next() >> 28));                 // texture: 16 shades of noise
    default: return uint8_t(u * 64 / 512 + 176 + ((noise.next() & 0xFF) < 24 ? 8 : 0));  // gradient with specks
    }
}

int paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

}  // namespace

std::vector<uint8_t> syntheticPalettePng(uint32_t width, uint32_t height) {
    Noise noise(0x9E3779B9u);
    Bytes raw;
    raw.reserve((size_t(width) + 1) * height);
    Bytes row(width), above(width, 0);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) row[x] = pixelAt(x, y, noise);
        const int filter = int(y % 5);
        raw.push_back(uint8_t(filter));
        for (uint32_t x = 0; x < width; ++x) {
            const int a = x > 0 ? row[x - 1] : 0;
            const int b = above[x];
            const int c = x > 0 ? above[x - 1] : 0;
            const int predictions[] = {0, a, b, (a + b) / 2, paeth(a, b, c)};
            raw.push_back(uint8_t(row[x] - predictions[filter]));
        }
        row.swap(above);
    }

    uLongf streamSize = compressBound(uLong(raw.size()));
    Bytes stream(streamSize);
    if (compress2(stream.data(), &streamSize, raw.data(), uLong(raw.size()), Z_DEFAULT_COMPRESSION) != Z_OK) {
        std::fprintf(stderr, "synthetic picture: zlib failed\n");
        std::abort();
    }
    stream.resize(streamSize);

    Bytes file{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes header;
    appendBigEndian32(header, width);
    appendBigEndian32(header, height);
    header.insert(header.end(), {8, 3, 0, 0, 0});
    addChunk(file, "IHDR", header.data(), header.size());
    Bytes palette;
    for (int i = 0; i < 256; ++i) {
        palette.insert(palette.end(), {uint8_t(i * 7 % 256), uint8_t(255 - i), uint8_t(i * 3 / 2 % 256)});
    }
    addChunk(file, "PLTE", palette.data(), palette.size());
    // The last chunk keeps at least the stream's last 8 bytes (the end of the
    // code that fills the last row, the end-of-block code and the Adler-32),
    // so every chunk carries picture data.
    const size_t tailAt = stream.size() - std::min(kStreamTailBytes, stream.size());
    size_t at = 0;
    while (stream.size() - at > kChunkBytes && at + kChunkBytes <= tailAt) {
        addChunk(file, "IDAT", &stream[at], kChunkBytes);
        at += kChunkBytes;
    }
    addChunk(file, "IDAT", &stream[at], stream.size() - at);
    addChunk(file, "IEND", nullptr, 0);
    return file;
}
