// The ranking's rules on a block.
#include "records/ranking_table.h"

int rankPosition(const PersistentBlock& block, int score) {
    const int count = validRowCount(block);
    for (int p = 0; p < count; ++p) {
        if (block.rows[p].score < score) return p;
    }
    return count;
}

int insertRankingEntry(PersistentBlock& block, const RankingEntry& entry) {
    const int place = rankPosition(block, entry.score);
    if (place >= kRankingRows) return -1;
    const int count = validRowCount(block);
    if (place < count) {
        // From the bottom up, so no row is overwritten before it has moved.
        for (int row = kRankingRows - 2; row >= place; --row) block.rows[row + 1] = block.rows[row];
    }
    RankingEntry& slot = block.rows[place];
    slot.score = entry.score;
    slot.questionCount = entry.questionCount;
    slot.missTotal = entry.missTotal;
    slot.date = entry.date;
    const int length = nameLength(entry);
    for (int i = 0; i < length; ++i) slot.name[i] = entry.name[i];
    slot.name[length] = '\0';
    block.rowCount = count < kRankingRows ? count + 1 : kRankingRows;
    return place;
}
