// The top-five ranking's rules: where a score enters, and how its row goes in.
// Pure functions on a block; whatever row count a block holds, they stay
// inside its five rows.
#ifndef VARLO_RECORDS_RANKING_TABLE_H
#define VARLO_RECORDS_RANKING_TABLE_H

#include "records/persistent_block.h"

// Index of the first valid row scoring strictly lower than `score`, or the
// number of valid rows when none does; the score enters when this is below 5.
// An equal score ranks below the older row.
int rankPosition(const PersistentBlock& block, int score);

// Puts `entry` (score, counters, date and name) in at its rank and returns the
// place, or -1 when the score does not enter. The rows from that place down
// move one place as whole rows and the last drops out; the place keeps its own
// spare word; the name is copied up to its zero over what the slot held. The
// row count grows by one up to 5.
int insertRankingEntry(PersistentBlock& block, const RankingEntry& entry);

#endif
