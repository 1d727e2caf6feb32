// Any bytes compressed and expanded again come back unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "records/block_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> compressed, expanded;
    if (compressBlock(data, size, compressed) != CodecResult::ok) std::abort();
    if (expandBlock(compressed.data(), compressed.size(), expanded) != CodecResult::ok) std::abort();
    if (expanded.size() != size || (size > 0 && std::memcmp(expanded.data(), data, size) != 0)) std::abort();
    return 0;
}
