// The save file when the disk lets it down: a write, flush or replacement that
// fails must leave the old file whole, a file that cannot be read gives the
// defaults and is never replaced unread, and a file another copy of the game
// wrote meanwhile keeps its rows.
#include "records/save_file.h"
#include "records/shared_records.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "tests/unit/file_io_double.h"

namespace {

const wchar_t kCannotRead[] = L"ファイルを読み込めません。";
const wchar_t kCannotWrite[] = L"ファイルに書き込めません。";
const wchar_t kSavePath[] = L"VARLO.DAT";
const Window kWindow = reinterpret_cast<Window>(uintptr_t(0x1230));

Bytes rawOf(const PersistentBlock& block) {
    const auto raw = encodeBlock(block);
    return Bytes(raw.begin(), raw.end());
}

std::vector<std::wstring> fileNames() {
    std::vector<std::wstring> names;
    for (const auto& file : diskFiles) names.push_back(file.first);
    return names;
}

class SaveFileFaults : public ::testing::Test {
protected:
    Bytes old;
    PersistentBlock newer = defaultBlock();  // what the saves under test write

    // An earlier run's file, written by the save itself with nothing failing.
    void SetUp() override {
        diskFiles.clear();
        fileFaults = FileFaults{};
        shownErrors.clear();
        sleptMs = 0;
        PersistentBlock earlier = defaultBlock();
        earlier.rowCount = 3;
        earlier.rows[0].score = 900;
        setSharedRecords(earlier);
        save();
        ASSERT_TRUE(shownErrors.empty());
        old = diskFiles[kSavePath];
        ASSERT_GT(old.size(), 40u);
        newer.windowLeft = 123;
        newer.windowTop = 77;
    }

    void save() { saveSharedRecords(kSavePath, kWindow); }
    // This run's table is `newer`, and a save writes it.
    void saveNewer() {
        setSharedRecords(newer);
        save();
    }

    void expectOldFileKeptAfterTheMessage() {
        ASSERT_EQ(shownErrors.size(), 1u);
        EXPECT_EQ(shownErrors[0].text, kCannotWrite);
        EXPECT_EQ(shownErrors[0].owner, kWindow);
        EXPECT_EQ(diskFiles[kSavePath], old);
        // The half-written temporary file is gone too.
        EXPECT_EQ(fileNames(), std::vector<std::wstring>{L"VARLO.DAT"});
    }
};

TEST_F(SaveFileFaults, AWriteThatFailsMidwayLeavesTheOldFileWhole) {
    fileFaults.writeFailsAfter = 40;
    saveNewer();
    expectOldFileKeptAfterTheMessage();
}

TEST_F(SaveFileFaults, AFlushThatFailsLeavesTheOldFileWhole) {
    fileFaults.flushFails = true;
    saveNewer();
    expectOldFileKeptAfterTheMessage();
}

TEST_F(SaveFileFaults, AReplacementThatFailsLeavesTheOldFileWhole) {
    fileFaults.replaceFails = true;
    saveNewer();
    expectOldFileKeptAfterTheMessage();
}

TEST_F(SaveFileFaults, AfterAFailedSaveTheNextOneSucceedsAndOnlyTheFirstFailureIsReported) {
    fileFaults.writeFailsAfter = 10;
    saveNewer();
    save();  // as when the window closes after a failed save of a name
    EXPECT_EQ(shownErrors.size(), 1u);
    fileFaults = FileFaults{};
    shownErrors.clear();
    save();
    EXPECT_TRUE(shownErrors.empty());
    PersistentBlock loaded = defaultBlock();
    readSaveFile(kSavePath, loaded);
    EXPECT_EQ(rawOf(loaded), rawOf(sharedRecords()));
    EXPECT_EQ(loaded.windowLeft, 123);
    EXPECT_EQ(loaded.rows[0].score, 900);  // the file's rows, not this run's defaults
    // After a success a new failure is reported again.
    fileFaults.flushFails = true;
    save();
    EXPECT_EQ(shownErrors.size(), 1u);
}

TEST_F(SaveFileFaults, AnUnreadableSizeOrReadGivesTheDefaultsAndTheReadMessage) {
    for (bool sizeFails : {true, false}) {
        SCOPED_TRACE(sizeFails ? "size" : "read");
        fileFaults = FileFaults{};
        fileFaults.sizeFails = sizeFails;
        fileFaults.readFails = !sizeFails;
        shownErrors.clear();
        PersistentBlock block = defaultBlock();
        EXPECT_FALSE(readSaveFile(kSavePath, block));
        ASSERT_EQ(shownErrors.size(), 1u);
        EXPECT_EQ(shownErrors[0].text, kCannotRead);
        EXPECT_EQ(shownErrors[0].owner, nullptr);  // no window exists yet at start-up
        EXPECT_EQ(block.windowLeft, kDefaultWindowPosition);
        EXPECT_EQ(rawOf(block), rawOf(defaultBlock()));
    }
    // The file itself was only read, never touched.
    EXPECT_EQ(diskFiles[kSavePath], old);
}

// A file another program holds is waited for about a second; still held, it
// gives the defaults silently and no save replaces it unread. Once readable, a
// save adds only this run's new rows to it, so another copy's rows stay.
TEST_F(SaveFileFaults, AHeldFileIsWaitedForAndAnotherCopysRowsStay) {
    fileFaults.opensInUse = 3;
    PersistentBlock block = defaultBlock();
    EXPECT_TRUE(readSaveFile(kSavePath, block));
    EXPECT_EQ(sleptMs, 3 * kFileInUsePauseMs);
    fileFaults.opensInUse = -1;
    PersistentBlock held = defaultBlock();
    EXPECT_FALSE(readSaveFile(kSavePath, held));
    EXPECT_EQ(sleptMs, (3 + kFileInUseTries - 1) * kFileInUsePauseMs);
    setSharedRecords(held);
    save();
    EXPECT_EQ(diskFiles[kSavePath], old);
    ASSERT_EQ(shownErrors.size(), 1u);
    EXPECT_EQ(shownErrors[0].text, kCannotWrite);

    fileFaults = FileFaults{};
    RankingEntry row = block.rows[0];
    for (const int score : {800, 700}) {  // the other copy's, then this one's
        setSharedRecords(block);
        row.score = uint16_t(score);
        commitRankingEntry(row);
        save();
    }
    save();  // adds the row no second time
    EXPECT_TRUE(lastReplaceLocked);
    EXPECT_EQ(locksHeld, 0);
    PersistentBlock file = defaultBlock();
    ASSERT_TRUE(readSaveFile(kSavePath, file));
    std::vector<int> scores;
    for (const RankingEntry& entry : file.rows) scores.push_back(entry.score);
    EXPECT_EQ(scores, (std::vector<int>{900, 800, 700, 40, 30}));
    EXPECT_EQ(rawOf(sharedRecords()), rawOf(file));  // the ranking screen shows both
}

}  // namespace
