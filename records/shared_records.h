// The one persistent block of the run. The UI thread loads it at start-up and
// saves it after each new row and at the end; the game thread shows its table
// and adds rows. One lock makes every copy and every change whole, so a save
// never catches a half-moved table.
#ifndef VARLO_RECORDS_SHARED_RECORDS_H
#define VARLO_RECORDS_SHARED_RECORDS_H

#include <cstddef>

#include "records/persistent_block.h"

// Start-up: the loaded block, or the defaults. No row counts as new.
void setSharedRecords(const PersistentBlock& block);
// A whole copy, for the save and for the ranking screen.
PersistentBlock sharedRecords();
// The save: the window's last position goes into the block first.
void storeWindowPosition(int32_t left, int32_t top);
// Game thread, when a name has been entered: insertRankingEntry on the block.
// The row also counts as new until a save has written it.
int commitRankingEntry(const RankingEntry& entry);

// What a save writes, and how many of the new rows are in it.
struct RecordsToSave {
    PersistentBlock block;
    size_t newRows;
};
// The save, once it has read the file: with `onDisk` (the file's valid
// contents) the block becomes those rows with every new row put in by the
// ranking's rule, oldest first, and this run's window position; with null it
// is this run's block as it stands. Either way that block is the one kept.
RecordsToSave recordsToSave(const PersistentBlock* onDisk);
// The save has written `count` new rows (the oldest ones): they are new no more.
void forgetSavedRows(size_t count);

#endif
