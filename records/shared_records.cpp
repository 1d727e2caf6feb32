// The run's persistent block behind its lock.
#include "records/shared_records.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "records/ranking_table.h"

namespace {

std::mutex recordsLock;
PersistentBlock records{};
// The rows entered in this run that the file may not hold yet, oldest first.
// Another copy of the game may have written the file since it was read, so a
// save puts these into the file as it finds it instead of writing the whole table.
std::vector<RankingEntry> newRows;

}  // namespace

void setSharedRecords(const PersistentBlock& block) {
    const std::lock_guard<std::mutex> hold(recordsLock);
    records = block;
    newRows.clear();
}

PersistentBlock sharedRecords() {
    const std::lock_guard<std::mutex> hold(recordsLock);
    return records;
}

void storeWindowPosition(int32_t left, int32_t top) {
    const std::lock_guard<std::mutex> hold(recordsLock);
    records.windowLeft = left;
    records.windowTop = top;
}

int commitRankingEntry(const RankingEntry& entry) {
    const std::lock_guard<std::mutex> hold(recordsLock);
    newRows.push_back(entry);
    return insertRankingEntry(records, entry);
}

RecordsToSave recordsToSave(const PersistentBlock* onDisk) {
    const std::lock_guard<std::mutex> hold(recordsLock);
    if (onDisk != nullptr) {
        PersistentBlock merged = *onDisk;
        for (const RankingEntry& row : newRows) insertRankingEntry(merged, row);
        merged.windowLeft = records.windowLeft;
        merged.windowTop = records.windowTop;
        records = merged;
    }
    return RecordsToSave{records, newRows.size()};
}

void forgetSavedRows(size_t count) {
    const std::lock_guard<std::mutex> hold(recordsLock);
    newRows.erase(newRows.begin(), newRows.begin() + std::min(count, newRows.size()));
}
