// The one persistent block of the run. The UI thread loads it at start-up and
// saves it after each new row and at the end; the game thread shows its table
// and adds rows. One lock makes every copy and every change whole, so a save
// never catches a half-moved table.
#ifndef VARLO_RECORDS_SHARED_RECORDS_H
#define VARLO_RECORDS_SHARED_RECORDS_H

#include "records/persistent_block.h"

// Start-up: the loaded block, or the defaults.
void setSharedRecords(const PersistentBlock& block);
// A whole copy, for the save and for the ranking screen.
PersistentBlock sharedRecords();
// The save: the window's last position goes into the block first.
void storeWindowPosition(int32_t left, int32_t top);
// Game thread, when a name has been entered: insertRankingEntry on the block.
int commitRankingEntry(const RankingEntry& entry);

#endif
