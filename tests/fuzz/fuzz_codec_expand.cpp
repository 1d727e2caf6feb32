// Any bytes given to the codec's expansion, as a damaged save file's payload
// would be: it ends, and what it gives is whole or nothing.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "records/block_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> out{1, 2, 3};
    const CodecResult result = expandBlock(data, size, out);
    if (result != CodecResult::ok && !out.empty()) std::abort();
    // Each 27-bit token gives at most a match of 127 bytes and a literal.
    if (out.size() > (size * 8 / kTokenBits + 1) * (kLongestMatch + 1)) std::abort();
    return 0;
}
