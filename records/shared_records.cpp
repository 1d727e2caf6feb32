// The run's persistent block behind its lock.
#include "records/shared_records.h"

#include <mutex>

#include "records/ranking_table.h"

namespace {

std::mutex recordsLock;
PersistentBlock records{};

}  // namespace

void setSharedRecords(const PersistentBlock& block) {
    const std::lock_guard<std::mutex> hold(recordsLock);
    records = block;
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
    return insertRankingEntry(records, entry);
}
