// PNG files made into bitmaps by GDI: the DIB header, colour table and rows the
// decoder hands CreateDIBitmap must give back the file's own pixels.
#include <windows.h>

#include <gtest/gtest.h>
#include <zlib.h>

#include <vector>

#include "picture/picture_win.h"

namespace {

using Bytes = std::vector<uint8_t>;

void appendBigEndian32(Bytes& bytes, uint32_t value) {
    bytes.insert(bytes.end(), {uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)});
}

void addChunk(Bytes& file, const char* type, const Bytes& data) {
    appendBigEndian32(file, uint32_t(data.size()));
    const size_t typeAt = file.size();
    file.insert(file.end(), type, type + 4);
    file.insert(file.end(), data.begin(), data.end());
    appendBigEndian32(file, uint32_t(crc32(0, &file[typeAt], uInt(file.size() - typeAt))));
}

// A PNG of the given rows (each without its filter byte) and PLTE data.
Bytes makePng(uint32_t width, uint32_t height, int bitDepth, int colourType, const std::vector<Bytes>& rows,
              const Bytes& plte) {
    Bytes file{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes header;
    appendBigEndian32(header, width);
    appendBigEndian32(header, height);
    header.insert(header.end(), {uint8_t(bitDepth), uint8_t(colourType), 0, 0, 0});
    addChunk(file, "IHDR", header);
    if (!plte.empty()) addChunk(file, "PLTE", plte);
    Bytes raw;
    for (const Bytes& row : rows) {
        raw.push_back(0);
        raw.insert(raw.end(), row.begin(), row.end());
    }
    uLongf size = compressBound(uLong(raw.size()));
    Bytes stream(size);
    EXPECT_EQ(compress(stream.data(), &size, raw.data(), uLong(raw.size())), Z_OK);
    stream.resize(size);
    addChunk(file, "IDAT", stream);
    addChunk(file, "IEND", {});
    return file;
}

// The bitmap's pixels as 0x00RRGGBB, top row first.
std::vector<uint32_t> pixelsOf(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(size_t(width) * height);
    EXPECT_EQ(GetDIBits(dc, bitmap, 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS), height);
    for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
    return pixels;
}

class Picture : public ::testing::Test {
protected:
    void SetUp() override { screen = GetDC(nullptr); }
    void TearDown() override { ReleaseDC(nullptr, screen); }
    HDC screen = nullptr;
};

TEST_F(Picture, TwoBitPalettePictureShowsItsColoursTopRowFirst) {
    const Bytes plte{255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};  // red, green, blue, white
    // Pixels 1 2 3 0 1 over 3 3 0 1 2.
    const Bytes file = makePng(5, 2, 2, 3, {{0x6C, 0x40}, {0xF1, 0x80}}, plte);
    const HBITMAP bitmap = decodePicture(screen, file.data(), file.size());
    ASSERT_NE(bitmap, nullptr);
    BITMAP shape{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof shape, &shape), int(sizeof shape));
    EXPECT_EQ(shape.bmWidth, 5);
    EXPECT_EQ(shape.bmHeight, 2);
    const uint32_t red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF, white = 0xFFFFFF;
    EXPECT_EQ(pixelsOf(screen, bitmap, 5, 2),
              (std::vector<uint32_t>{green, blue, white, red, green, white, white, red, green, blue}));
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(Picture, RgbPictureKeepsEachChannel) {
    const Bytes file = makePng(2, 1, 8, 2, {{200, 10, 30, 1, 2, 250}}, {});
    const HBITMAP bitmap = decodePicture(screen, file.data(), file.size());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(pixelsOf(screen, bitmap, 2, 1), (std::vector<uint32_t>{0xC80A1E, 0x0102FA}));
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(Picture, FilesTheDecoderRefusesGiveNoBitmap) {
    const Bytes file = makePng(4, 1, 2, 3, {{0x1B}}, {0, 0, 0, 85, 85, 85, 170, 170, 170, 255, 255, 255});
    EXPECT_EQ(decodePicture(screen, file.data(), file.size() - 1), nullptr);  // IEND cut short
    const Bytes withoutPalette = makePng(4, 1, 2, 3, {{0x1B}}, {});
    EXPECT_EQ(decodePicture(screen, withoutPalette.data(), withoutPalette.size()), nullptr);
    EXPECT_EQ(decodePicture(screen, nullptr, 0), nullptr);
}

}  // namespace
