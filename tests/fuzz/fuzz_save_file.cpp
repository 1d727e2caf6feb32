// Any bytes as VARLO.DAT, read as the program reads it at start-up: a loaded
// block stays inside its bounds for every reader, and saving it again gives a
// file that loads as the same block.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/placement.h"
#include "records/persistent_block.h"
#include "records/ranking_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PersistentBlock block = defaultBlock();
    if (parseSaveFile(data, size, block) != LoadOutcome::loaded) return 0;

    if (block.rowCount < 0 || block.rowCount > kRankingRows) std::abort();
    for (const RankingEntry& row : block.rows) {
        if (std::memchr(row.name, '\0', kNameBytes) == nullptr) std::abort();
        if (nameLength(row) > kNameBytes - 1) std::abort();
    }
    // What the program does with a loaded block: the ranking's rules, and the
    // window kept on a work area.
    rankPosition(block, 0);
    rankPosition(block, 65535);
    RankingEntry entry{};
    entry.score = 1000;
    std::memcpy(entry.name, "Fuzz", 5);
    PersistentBlock inserted = block;
    insertRankingEntry(inserted, entry);
    if (validRowCount(inserted) < validRowCount(block)) std::abort();
    int32_t left = block.windowLeft, top = block.windowTop;
    keepWindowOnWorkArea(ScreenRect{0, 0, 1024, 768}, left, top);

    std::vector<uint8_t> file;
    if (buildSaveFile(block, file) != CodecResult::ok) std::abort();
    PersistentBlock again{};
    if (parseSaveFile(file.data(), file.size(), again) != LoadOutcome::loaded) std::abort();
    if (encodeBlock(again) != encodeBlock(block)) std::abort();
    return 0;
}
