// Decoding time of the picture resources and of a large palette picture: the
// program's decoder against libpng and stb_image on the same bytes, each
// delivering a bottom-up DIB (see png_competitors.h for the forms).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "picture/png_decoder.h"
#include "tests/bench/native/png_competitors.h"
#include "tests/bench/native/synthetic_picture.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Decoder = bool (*)(const uint8_t*, size_t, DibPicture&);

constexpr uint32_t kSyntheticSide = 4096;
const char* const kResourceFiles[] = {"title.png", "keys_narrow.png", "keys_wide.png", "middle_c.png"};
const char kSyntheticName[] = "synthetic_4096x4096";
constexpr int kPictureCount = 5;

struct Picture {
    std::string name;
    Bytes file;
    std::string form;  // what the table says about it
};

[[noreturn]] void stop(const std::string& why) {
    std::fprintf(stderr, "png benchmark: %s\n", why.c_str());
    std::exit(1);
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) stop("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The colour of pixel x of a DIB row, blue, green, red.
uint32_t colourAt(const DibPicture& picture, const uint8_t* row, uint32_t x) {
    if (picture.bitCount >= 24) {
        const uint8_t* pixel = row + x * picture.bitCount / 8;
        return uint32_t(pixel[0]) | uint32_t(pixel[1]) << 8 | uint32_t(pixel[2]) << 16;
    }
    const uint32_t bit = x * picture.bitCount;
    const uint32_t index = row[bit / 8] >> (8 - picture.bitCount - bit % 8) & ((1u << picture.bitCount) - 1);
    if (index >= picture.colourCount) return 0xFFFFFFFFu;
    const uint8_t* entry = &picture.colourTable[4 * index];
    return uint32_t(entry[0]) | uint32_t(entry[1]) << 8 | uint32_t(entry[2]) << 16;
}

// libpng must give the very same DIB; stb_image, which expands, the same colours.
void checkDecodersAgree(const Picture& picture) {
    DibPicture ours, libpng, stb;
    if (!decodePng(picture.file.data(), picture.file.size(), ours)) stop(picture.name + ": our decoder refuses it");
    if (!decodeWithLibpng(picture.file.data(), picture.file.size(), libpng)) stop(picture.name + ": libpng refuses it");
    if (!decodeWithStb(picture.file.data(), picture.file.size(), stb)) stop(picture.name + ": stb_image refuses it");
    if (ours.width != libpng.width || ours.height != libpng.height || ours.bitCount != libpng.bitCount ||
        ours.stride != libpng.stride || ours.colourTable != libpng.colourTable || ours.bits != libpng.bits) {
        stop(picture.name + ": our decoder and libpng give different pictures");
    }
    if (ours.width != stb.width || ours.height != stb.height) stop(picture.name + ": stb_image gives another size");
    for (uint32_t y = 0; y < ours.height; ++y) {
        const uint8_t* ourRow = &ours.bits[size_t(y) * ours.stride];
        const uint8_t* stbRow = &stb.bits[size_t(y) * stb.stride];
        for (uint32_t x = 0; x < ours.width; ++x) {
            if (colourAt(ours, ourRow, x) != colourAt(stb, stbRow, x)) {
                stop(picture.name + ": stb_image differs at " + std::to_string(x) + ", " +
                     std::to_string(ours.height - 1 - y));
            }
        }
    }
}

std::string describe(const Bytes& file) {
    DibPicture picture;
    decodePng(file.data(), file.size(), picture);
    const char* kind = picture.colourCount > 0 ? "-bit palette" : "-bit";
    return std::to_string(picture.width) + " x " + std::to_string(picture.height) + ", " +
           std::to_string(file[24]) + kind + ", " + std::to_string(file.size()) + " bytes";
}

// The pictures, read and made at the first benchmark, and checked once.
const std::vector<Picture>& pictures() {
    static const std::vector<Picture> all = [] {
        std::vector<Picture> made;
        for (const char* name : kResourceFiles) {
            made.push_back({name, readFile(std::string(VARLO_RESOURCES_DIR) + "/" + name), ""});
        }
        made.push_back({kSyntheticName, syntheticPalettePng(kSyntheticSide, kSyntheticSide), ""});
        for (Picture& picture : made) {
            checkDecodersAgree(picture);
            picture.form = describe(picture.file);
        }
        return made;
    }();
    return all;
}

void decodeBenchmark(benchmark::State& state, int pictureIndex, Decoder decode) {
    const Picture& picture = pictures()[size_t(pictureIndex)];
    for (auto _ : state) {
        DibPicture decoded;
        const bool ok = decode(picture.file.data(), picture.file.size(), decoded);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(decoded.bits.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(picture.file.size()));
    state.SetLabel(picture.form);
}

// decode/PICTURE/DECODER for every picture and decoder.
const bool registered = [] {
    const struct {
        const char* name;
        Decoder decode;
    } decoders[] = {{"ours", decodePng}, {"libpng", decodeWithLibpng}, {"stb_image", decodeWithStb}};
    for (int p = 0; p < kPictureCount; ++p) {
        const std::string pictureName = p < 4 ? kResourceFiles[p] : kSyntheticName;
        for (const auto& decoder : decoders) {
            benchmark::RegisterBenchmark(("decode/" + pictureName + "/" + decoder.name).c_str(), decodeBenchmark, p,
                                         decoder.decode)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    return true;
}();

}  // namespace
