// Any bytes given to the PNG decoder as a picture resource: it never reads
// outside them, and what it accepts is a bitmap whose parts agree.
#include <cstdint>
#include <cstdlib>

#include "picture/png_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DibPicture picture;
    if (!decodePng(data, size, picture)) {
        if (!picture.bits.empty() || !picture.colourTable.empty()) std::abort();  // a refusal leaves nothing
        return 0;
    }
    const uint16_t depth = picture.bitCount;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24 && depth != 32) std::abort();
    if (picture.width == 0 || picture.height == 0) std::abort();
    if (picture.stride % 4 != 0 || uint64_t(picture.stride) * 8 < uint64_t(picture.width) * depth) std::abort();
    if (picture.bits.size() != size_t(picture.stride) * picture.height) std::abort();
    if (picture.colourTable.size() != size_t(picture.colourCount) * 4) std::abort();
    if (depth <= 8 && (picture.colourCount == 0 || picture.colourCount > (1u << depth))) std::abort();
    return 0;
}
