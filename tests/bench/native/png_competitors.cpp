// libpng and stb_image turned into the DIB form decodePng delivers.
#include "tests/bench/native/png_competitors.h"

#include <png.h>
#include <stb_image.h>

#include <csetjmp>
#include <cstring>
#include <utility>
#include <vector>

namespace {

struct MemoryReader {
    const uint8_t* data;
    size_t size;
    size_t position;
};

void readFromMemory(png_structp png, png_bytep target, size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->position) png_error(png, "read past the end of the file");
    std::memcpy(target, reader->data + reader->position, length);
    reader->position += length;
}

void ignoreWarning(png_structp, png_const_charp) {}

uint32_t dibStride(uint32_t width, int bitCount) {
    return uint32_t((uint64_t(bitCount) * width + 31) / 32 * 4);
}

// As the decoder does it: 2-bit pixels widened to 4 bits in place, from the end.
void widenTwoBitRow(uint8_t* row, uint32_t width) {
    for (size_t j = (size_t(width) + 1) / 2; j-- > 0;) {
        const uint8_t source = row[j / 2];
        const int nibble = j % 2 == 0 ? source >> 4 : source & 0x0F;
        row[j] = uint8_t((nibble >> 2) << 4 | (nibble & 0x03));
    }
}

void appendGreyRamp(int bitDepth, std::vector<uint8_t>& table) {
    const uint32_t levels = 1u << bitDepth;
    for (uint32_t n = 0; n < levels; ++n) {
        const uint8_t level = uint8_t(n * 255 / (levels - 1));
        table.insert(table.end(), {level, level, level, 0});
    }
}

// Everything between libpng's setjmp and its end: libpng leaves by longjmp on
// an error, so no object with a destructor may live in this frame.
bool readWithLibpng(png_structp png, png_infop info, DibPicture& picture, std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_info(png, info);
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0, interlace = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, &interlace, nullptr, nullptr);
    if (interlace != PNG_INTERLACE_NONE || bitDepth > 8 || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) return false;
    if (colourType == PNG_COLOR_TYPE_RGB || colourType == PNG_COLOR_TYPE_RGBA) png_set_bgr(png);
    png_read_update_info(png, info);

    const int bitsPerPixel = bitDepth * png_get_channels(png, info);
    picture.width = width;
    picture.height = height;
    picture.bitCount = uint16_t(bitsPerPixel == 2 ? 4 : bitsPerPixel);
    picture.stride = dibStride(width, picture.bitCount);
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_colorp palette = nullptr;
        int count = 0;
        if (png_get_PLTE(png, info, &palette, &count) != PNG_INFO_PLTE) return false;
        for (int i = 0; i < count; ++i) {
            picture.colourTable.insert(picture.colourTable.end(),
                                       {palette[i].blue, palette[i].green, palette[i].red, 0});
        }
    } else if (colourType == PNG_COLOR_TYPE_GRAY) {
        appendGreyRamp(bitDepth, picture.colourTable);
    }
    picture.colourCount = uint32_t(picture.colourTable.size() / 4);
    picture.bits.assign(size_t(picture.stride) * height, 0);
    rows.resize(height);
    for (uint32_t y = 0; y < height; ++y) rows[y] = &picture.bits[size_t(height - 1 - y) * picture.stride];
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    if (bitsPerPixel == 2) {
        for (png_bytep row : rows) widenTwoBitRow(row, width);
    }
    return true;
}

}  // namespace

bool decodeWithLibpng(const uint8_t* data, size_t size, DibPicture& out) {
    out = DibPicture{};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, ignoreWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    MemoryReader reader{data, size, 0};
    png_set_read_fn(png, &reader, readFromMemory);
    DibPicture picture;
    std::vector<png_bytep> rows;
    const bool read = readWithLibpng(png, info, picture, rows);
    png_destroy_read_struct(&png, &info, nullptr);
    if (read) out = std::move(picture);
    return read;
}

bool decodeWithStb(const uint8_t* data, size_t size, DibPicture& out) {
    out = DibPicture{};
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(data, int(size), &width, &height, &channels, 0);
    if (pixels == nullptr) return false;
    if (channels == 2) {
        stbi_image_free(pixels);
        return false;
    }
    DibPicture picture;
    picture.width = uint32_t(width);
    picture.height = uint32_t(height);
    picture.bitCount = uint16_t(8 * channels);
    picture.stride = dibStride(picture.width, picture.bitCount);
    picture.bits.assign(size_t(picture.stride) * picture.height, 0);
    const size_t rowBytes = size_t(width) * size_t(channels);
    for (int y = 0; y < height; ++y) {
        const stbi_uc* source = pixels + size_t(y) * rowBytes;
        uint8_t* target = &picture.bits[size_t(height - 1 - y) * picture.stride];
        if (channels == 1) {
            std::memcpy(target, source, rowBytes);
        } else {
            for (size_t x = 0; x < rowBytes; x += size_t(channels)) {
                target[x] = source[x + 2];
                target[x + 1] = source[x + 1];
                target[x + 2] = source[x];
                if (channels == 4) target[x + 3] = source[x + 3];
            }
        }
    }
    stbi_image_free(pixels);
    if (channels == 1) appendGreyRamp(8, picture.colourTable);
    picture.colourCount = uint32_t(picture.colourTable.size() / 4);
    out = std::move(picture);
    return true;
}
