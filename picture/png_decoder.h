// The program's own PNG decoder: turns a PNG picture resource into the rows and
// colour table of a bottom-up device-independent bitmap.
#ifndef VARLO_PICTURE_PNG_DECODER_H
#define VARLO_PICTURE_PNG_DECODER_H

#include <cstddef>
#include <cstdint>
#include <vector>

// A decoded picture in the form a bottom-up device-independent bitmap takes.
struct DibPicture {
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t bitCount = 0;            // bits per pixel of the DIB: 1, 4, 8, 24 or 32
    uint32_t colourCount = 0;         // biClrUsed: palette entries, 0 for truecolour
    std::vector<uint8_t> colourTable; // RGBQUADs (blue, green, red, 0), 4 bytes each
    uint32_t stride = 0;              // bytes per DIB row, a multiple of 4
    std::vector<uint8_t> bits;        // stride * height bytes, bottom row first
};

// The largest row or bitmap buffer the decoder allocates; pictures that would
// need more are refused. The title picture needs about 158 KB. The fuzz build
// sets a smaller limit, so that headers asking for huge pictures cost it little.
#ifndef VARLO_MAX_PICTURE_BUFFER_BYTES
#define VARLO_MAX_PICTURE_BUFFER_BYTES (256u << 20)
#endif
constexpr uint64_t kMaxPictureBufferBytes = VARLO_MAX_PICTURE_BUFFER_BYTES;

// Decodes the PNG file of `size` bytes at `data`. Never reads outside them.
// Returns false, with `out` left empty, for anything it cannot show.
//
// Shown: non-interlaced greyscale at 1, 2, 4 or 8 bits (a 2^depth-level grey
// table), palette pictures at 1, 2, 4 or 8 bits, and 8-bit RGB and RGBA.
// 2-bit pictures become 4-bit DIBs. CRCs are not checked and chunks the
// decoder does not need are skipped. decodePicture calls it for every picture
// resource.
bool decodePng(const uint8_t* data, size_t size, DibPicture& out);

#endif
