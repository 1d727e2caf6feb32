// Decoding a PNG file: the chunk walk, the header, palette and image data, the
// row filters, and the conversion to a bottom-up DIB.
#include "picture/png_decoder.h"

#define ZLIB_CONST
#include <zlib.h>

#include <cstring>
#include <new>
#include <utility>

namespace {

// The decoder's working record, fresh for every decode.
struct PngImage {
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t bitDepth = 0;
    uint16_t colourType = 0;
    uint16_t paletteCount = 0;
    uint16_t bitsPerPixel = 0;
    std::vector<uint8_t> palette;  // paletteCount RGBQUADs: blue, green, red, 0
    size_t rowBytes = 0;           // pixel bytes of one row, without its filter byte
};

enum ColourType : uint16_t { kGrey = 0, kRgb = 2, kPalette = 3, kGreyAlpha = 4, kRgba = 6 };

const uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr uint32_t kMaxDimension = 0x7FFFFFFF;  // PNG's own limit for width and height

// One chunk, lying wholly inside the file.
struct Chunk {
    const uint8_t* type = nullptr;  // 4 bytes
    const uint8_t* data = nullptr;  // `length` bytes, followed by the (unchecked) CRC
    uint32_t length = 0;
};

// The walk through the file: the next chunk starts at `position`.
struct ChunkWalk {
    const uint8_t* file = nullptr;
    size_t size = 0;
    size_t position = 0;
};

uint32_t readBigEndian32(const uint8_t* bytes) {
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
}

// The chunk at the walk's position. False when its length, type, data and CRC
// do not all lie inside the file: a cut-off file, a damaged length, or the end
// of the file reached without IEND.
bool chunkAt(const ChunkWalk& walk, Chunk& chunk) {
    const size_t remaining = walk.size - walk.position;
    if (remaining < 12) return false;
    const uint8_t* start = walk.file + walk.position;
    const uint32_t length = readBigEndian32(start);
    if (length > remaining - 12) return false;
    chunk.type = start + 4;
    chunk.data = start + 8;
    chunk.length = length;
    return true;
}

void stepPast(ChunkWalk& walk, const Chunk& chunk) {
    walk.position += size_t(chunk.length) + 12;
}

bool isType(const Chunk& chunk, const char* type) {
    return std::memcmp(chunk.type, type, 4) == 0;
}

int samplesPerPixel(uint16_t colourType) {
    switch (colourType) {
    case kGrey:
    case kPalette: return 1;
    case kGreyAlpha: return 2;
    case kRgb: return 3;
    case kRgba: return 4;
    default: return 0;
    }
}

// The pairs of colour type and bit depth that PNG defines.
bool isPngFormat(uint16_t colourType, uint16_t bitDepth) {
    switch (colourType) {
    case kGrey: return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
    case kPalette: return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
    case kRgb:
    case kGreyAlpha:
    case kRgba: return bitDepth == 8 || bitDepth == 16;
    default: return false;
    }
}

// The ones a DIB shows as they are. 16-bit samples would need 16, 48 or 64
// bits per pixel, and grey with alpha has no DIB form; no picture uses them.
bool isShownFormat(uint16_t colourType, uint16_t bitDepth) {
    return bitDepth <= 8 && colourType != kGreyAlpha;
}

// A DIB has no 2-bit format: 2-bit pictures are widened to 4 bits.
uint16_t dibBitCount(uint16_t bitsPerPixel) {
    return bitsPerPixel == 2 ? 4 : bitsPerPixel;
}

// DIB rows are padded to a multiple of 4 bytes.
uint64_t dibStride(uint32_t width, uint16_t bitCount) {
    return (uint64_t(bitCount) * width + 31) / 32 * 4;
}

// IHDR. Refuses what PNG does not define, interlaced pictures, what a DIB
// cannot show, and pictures whose row buffer or DIB would be larger than
// kMaxPictureBufferBytes (which also keeps every size sum below overflow).
bool readHeader(const Chunk& chunk, PngImage& image) {
    if (chunk.length != 13) return false;
    const uint8_t* data = chunk.data;
    const uint32_t width = readBigEndian32(data);
    const uint32_t height = readBigEndian32(data + 4);
    const uint16_t bitDepth = data[8];
    const uint16_t colourType = data[9];
    if (data[10] != 0 || data[11] != 0 || data[12] != 0) return false;  // compression, filter, interlace
    if (!isPngFormat(colourType, bitDepth) || !isShownFormat(colourType, bitDepth)) return false;
    if (width == 0 || height == 0 || width > kMaxDimension || height > kMaxDimension) return false;

    const uint16_t bitsPerPixel = uint16_t(bitDepth * samplesPerPixel(colourType));
    const uint64_t rowBytes = (uint64_t(width) * bitsPerPixel + 7) / 8;
    const uint64_t stride = dibStride(width, dibBitCount(bitsPerPixel));
    if (rowBytes + 1 > kMaxPictureBufferBytes / height || stride > kMaxPictureBufferBytes / height) return false;

    image.width = width;
    image.height = height;
    image.bitDepth = bitDepth;
    image.colourType = colourType;
    image.bitsPerPixel = bitsPerPixel;
    image.rowBytes = size_t(rowBytes);
    return true;
}

// PLTE: up to 2^bitDepth entries of red, green, blue, kept as RGBQUADs. A
// palette picture's empty palette is refused: biClrUsed 0 would make the DIB
// claim a full table. A truecolour picture's palette is only read: its DIB
// has no table, so an empty one does no harm.
bool readPalette(const Chunk& chunk, PngImage& image) {
    if (chunk.length % 3 != 0) return false;
    const uint32_t count = chunk.length / 3;
    if ((count == 0 && image.colourType == kPalette) || count > (1u << image.bitDepth)) return false;
    image.palette.resize(size_t(count) * 4);
    for (uint32_t i = 0; i < count; ++i) {
        image.palette[4 * i] = chunk.data[3 * i + 2];
        image.palette[4 * i + 1] = chunk.data[3 * i + 1];
        image.palette[4 * i + 2] = chunk.data[3 * i];
        image.palette[4 * i + 3] = 0;
    }
    image.paletteCount = uint16_t(count);
    return true;
}

// The PNG standard's Paeth predictor: whichever of left, above and upper left
// is closest to left + above - upper left, preferring them in that order.
int paethPredictor(int left, int above, int upperLeft) {
    const int estimate = left + above - upperLeft;
    const int toLeft = estimate > left ? estimate - left : left - estimate;
    const int toAbove = estimate > above ? estimate - above : above - estimate;
    const int toUpperLeft = estimate > upperLeft ? estimate - upperLeft : upperLeft - estimate;
    if (toLeft <= toAbove && toLeft <= toUpperLeft) return left;
    if (toAbove <= toUpperLeft) return above;
    return upperLeft;
}

// Undoes the filter of a row whose pixels take at most a byte (palette and grey
// pictures) as unfilterRow does, with the byte to the left carried in a register.
void unfilterBytePixelRow(uint8_t filter, uint8_t* pixels, const uint8_t* above, size_t rowBytes) {
    int left = 0;
    int upperLeft = 0;
    switch (filter) {
    case 1:
        for (size_t i = 0; i < rowBytes; ++i) left = pixels[i] = uint8_t(pixels[i] + left);
        break;
    case 2:
        for (size_t i = 0; i < rowBytes; ++i) pixels[i] = uint8_t(pixels[i] + above[i]);
        break;
    case 3:
        for (size_t i = 0; i < rowBytes; ++i) left = pixels[i] = uint8_t(pixels[i] + (left + above[i]) / 2);
        break;
    case 4:
        for (size_t i = 0; i < rowBytes; ++i) {
            const int up = above[i];
            left = pixels[i] = uint8_t(pixels[i] + paethPredictor(left, up, upperLeft));
            upperLeft = up;
        }
        break;
    default: break;
    }
}

// Undoes the filter of one row in place: `row` is its filter byte and rowBytes
// bytes, `above` the unfiltered pixel bytes of the row above (zeros above the
// first row). Bytes left of the first pixel count as 0, so the first bpp bytes
// of a row see only the row above; an unknown filter byte leaves the row as
// stored. The filter byte ends up 0.
void unfilterRow(uint8_t* row, const uint8_t* above, size_t rowBytes, size_t bpp) {
    uint8_t* pixels = row + 1;
    const size_t lead = bpp < rowBytes ? bpp : rowBytes;
    if (bpp == 1) {
        unfilterBytePixelRow(row[0], pixels, above, rowBytes);
        row[0] = 0;
        return;
    }
    switch (row[0]) {
    case 1:
        for (size_t i = bpp; i < rowBytes; ++i) pixels[i] = uint8_t(pixels[i] + pixels[i - bpp]);
        break;
    case 2:
        for (size_t i = 0; i < rowBytes; ++i) pixels[i] = uint8_t(pixels[i] + above[i]);
        break;
    case 3:
        for (size_t i = 0; i < lead; ++i) pixels[i] = uint8_t(pixels[i] + above[i] / 2);
        for (size_t i = bpp; i < rowBytes; ++i) pixels[i] = uint8_t(pixels[i] + (pixels[i - bpp] + above[i]) / 2);
        break;
    case 4:
        // With left and upper left 0, the predictor picks the byte above.
        for (size_t i = 0; i < lead; ++i) pixels[i] = uint8_t(pixels[i] + above[i]);
        for (size_t i = bpp; i < rowBytes; ++i) {
            pixels[i] = uint8_t(pixels[i] + paethPredictor(pixels[i - bpp], above[i], above[i - bpp]));
        }
        break;
    default: break;
    }
    row[0] = 0;
}

// Widens a DIB row of 2-bit pixels to 4 bits in place: pixel values keep their
// order, two to a byte. Works from the end of the row, so the source bytes not
// yet read stay intact.
void widenTwoBitRow(uint8_t* row, uint32_t width) {
    for (size_t j = (size_t(width) + 1) / 2; j-- > 0;) {
        const uint8_t source = row[j / 2];
        const int nibble = j % 2 == 0 ? source >> 4 : source & 0x0F;
        row[j] = uint8_t((nibble >> 2) << 4 | (nibble & 0x03));
    }
}

// One unfiltered row into its DIB row: RGB becomes BGR and RGBA BGRA; packed
// pixels are copied, 2-bit ones widened to 4 bits.
void convertRow(const PngImage& image, const uint8_t* source, uint8_t* target) {
    if (image.colourType == kRgb) {
        for (size_t x = 0; x < image.width; ++x) {
            target[3 * x] = source[3 * x + 2];
            target[3 * x + 1] = source[3 * x + 1];
            target[3 * x + 2] = source[3 * x];
        }
    } else if (image.colourType == kRgba) {
        for (size_t x = 0; x < image.width; ++x) {
            target[4 * x] = source[4 * x + 2];
            target[4 * x + 1] = source[4 * x + 1];
            target[4 * x + 2] = source[4 * x];
            target[4 * x + 3] = source[4 * x + 3];
        }
    } else {
        std::memcpy(target, source, image.rowBytes);
        if (image.bitsPerPixel == 2) widenTwoBitRow(target, image.width);
    }
}

// The image data is inflated a band of rows at a time, each row a filter byte
// and rowBytes bytes, and every band goes straight into the DIB: the picture is
// never held twice. A band holds as many rows as fit in this many bytes, at least one.
constexpr size_t kBandBytes = 64 * 1024;

// IDAT: inflates the chunk at the walk's position and the IDAT chunks directly
// after it, band by band, unfilters each band and puts its rows into the
// bottom-up DIB (the top row of the picture is the last row in memory). It
// takes the next chunk only when the last one is used up and none once the
// rows are full; the walk goes on after the last chunk taken. A stream that
// ends early leaves the bytes it did not reach 0 before the filters are undone
// (whole rows after it stay 0; a row it cut keeps its own filter); input that
// runs out first, or damaged data, is a failure.
bool readImageData(ChunkWalk& walk, const PngImage& image, DibPicture& picture) {
    picture.width = image.width;
    picture.height = image.height;
    picture.bitCount = dibBitCount(image.bitsPerPixel);
    picture.stride = uint32_t(dibStride(image.width, picture.bitCount));
    picture.bits.assign(size_t(picture.stride) * image.height, 0);

    const size_t rowSize = image.rowBytes + 1;
    const size_t fitting = kBandBytes / rowSize;
    const size_t bandRows = fitting < 1 ? 1 : fitting < image.height ? fitting : image.height;
    // The band's rows follow a row that holds the row above the band (zeros at first).
    std::vector<uint8_t> band((bandRows + 1) * rowSize, 0);
    const size_t bpp = (image.bitsPerPixel + 7) / 8;  // distance to the same byte of the pixel to the left

    z_stream stream{};  // default allocator, no input yet
    if (inflateInit(&stream) != Z_OK) return false;
    int result = Z_OK;
    // True when the last inflate call stopped only because its band was full:
    // zlib may still hold output for the next band, so that band first resumes
    // the call without new input, as if the rows were one buffer. Input is
    // taken only when zlib stops for want of it; once the rows are full no
    // further chunk is taken, whatever the band size.
    bool resuming = false;
    for (uint32_t y = 0; y < image.height && result == Z_OK;) {
        const size_t rows = bandRows < image.height - y ? bandRows : image.height - y;
        uint8_t* first = &band[rowSize];
        stream.next_out = first;
        stream.avail_out = uInt(rows * rowSize);
        while (stream.avail_out > 0) {
            Chunk chunk;
            if (!resuming && stream.avail_in == 0 && chunkAt(walk, chunk) && isType(chunk, "IDAT")) {
                stream.next_in = chunk.data;
                stream.avail_in = chunk.length;
                stepPast(walk, chunk);
            }
            const bool resumed = resuming;
            resuming = false;
            result = inflate(&stream, Z_NO_FLUSH);
            // A resumed call with nothing left to give needs the next chunk.
            if (result == Z_BUF_ERROR && resumed) result = Z_OK;
            if (result != Z_OK) break;
        }
        resuming = result == Z_OK;
        if (result != Z_OK && result != Z_STREAM_END) break;
        // The stream's end: what it did not reach is zeros, and so are the rows after this band.
        std::memset(stream.next_out, 0, stream.avail_out);
        for (size_t r = 0; r < rows; ++r, ++y) {
            uint8_t* row = first + r * rowSize;
            unfilterRow(row, row - rowSize + 1, image.rowBytes, bpp);
            convertRow(image, row + 1, &picture.bits[size_t(image.height - 1 - y) * picture.stride]);
        }
        std::memcpy(band.data(), first + (rows - 1) * rowSize, rowSize);
    }
    inflateEnd(&stream);
    return result == Z_OK || result == Z_STREAM_END;
}

// The walk from the signature to IEND. Besides the order PNG prescribes, it
// needs image data before IEND, and a palette before the image data of a
// palette picture.
bool readChunks(const uint8_t* data, size_t size, PngImage& image, DibPicture& picture) {
    if (size < sizeof kSignature || std::memcmp(data, kSignature, sizeof kSignature) != 0) return false;
    ChunkWalk walk{data, size, sizeof kSignature};
    bool headerSeen = false;
    bool paletteSeen = false;
    bool imageDataSeen = false;
    for (;;) {
        Chunk chunk;
        if (!chunkAt(walk, chunk)) return false;
        if (isType(chunk, "IEND")) return imageDataSeen;
        if (isType(chunk, "IHDR")) {
            if (headerSeen || !readHeader(chunk, image)) return false;
            headerSeen = true;
            stepPast(walk, chunk);
        } else if (isType(chunk, "PLTE")) {
            if (!headerSeen || paletteSeen || imageDataSeen || !readPalette(chunk, image)) return false;
            paletteSeen = true;
            stepPast(walk, chunk);
        } else if (isType(chunk, "IDAT")) {
            if (!headerSeen || imageDataSeen) return false;
            if (image.colourType == kPalette && !paletteSeen) return false;
            if (!readImageData(walk, image, picture)) return false;
            imageDataSeen = true;
        } else {
            stepPast(walk, chunk);
        }
    }
}

// Evenly spaced grey levels from black to white, one per sample value.
void appendGreyRamp(uint16_t bitDepth, std::vector<uint8_t>& table) {
    const uint32_t levels = 1u << bitDepth;
    for (uint32_t n = 0; n < levels; ++n) {
        const uint8_t level = uint8_t(n * 255 / (levels - 1));
        table.insert(table.end(), {level, level, level, 0});
    }
}

// The DIB's colour table, once its rows are in place.
void addColourTable(const PngImage& image, DibPicture& picture) {
    // A PLTE in a truecolour picture is only a suggestion: the DIB gets no table.
    if (image.colourType == kPalette) picture.colourTable = image.palette;
    if (image.colourType == kGrey) appendGreyRamp(image.bitDepth, picture.colourTable);
    picture.colourCount = uint32_t(picture.colourTable.size() / 4);
}

}  // namespace

bool decodePng(const uint8_t* data, size_t size, DibPicture& out) {
    out = DibPicture{};
    if (data == nullptr) return false;
    try {
        PngImage image;
        DibPicture picture;
        if (!readChunks(data, size, image, picture)) return false;
        addColourTable(image, picture);
        out = std::move(picture);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
