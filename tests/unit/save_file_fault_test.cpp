// The save file when the disk lets it down: a write, flush or replacement that
// fails must leave the old file whole, and a file that cannot be read gives
// the defaults and the read message.
#include "records/save_file.h"

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
        PersistentBlock earlier = defaultBlock();
        earlier.rowCount = 3;
        earlier.rows[0].score = 900;
        writeSaveFile(kSavePath, earlier, kWindow);
        ASSERT_TRUE(shownErrors.empty());
        old = diskFiles[kSavePath];
        ASSERT_GT(old.size(), 40u);
        newer.windowLeft = 123;
        newer.windowTop = 77;
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
    writeSaveFile(kSavePath, newer, kWindow);
    expectOldFileKeptAfterTheMessage();
}

TEST_F(SaveFileFaults, AFlushThatFailsLeavesTheOldFileWhole) {
    fileFaults.flushFails = true;
    writeSaveFile(kSavePath, newer, kWindow);
    expectOldFileKeptAfterTheMessage();
}

TEST_F(SaveFileFaults, AReplacementThatFailsLeavesTheOldFileWhole) {
    fileFaults.replaceFails = true;
    writeSaveFile(kSavePath, newer, kWindow);
    expectOldFileKeptAfterTheMessage();
}

TEST_F(SaveFileFaults, AfterAFailedSaveTheNextOneSucceedsAndOnlyTheFirstFailureIsReported) {
    fileFaults.writeFailsAfter = 10;
    writeSaveFile(kSavePath, newer, kWindow);
    writeSaveFile(kSavePath, newer, kWindow);  // as when the window closes after a failed save of a name
    EXPECT_EQ(shownErrors.size(), 1u);
    fileFaults = FileFaults{};
    shownErrors.clear();
    writeSaveFile(kSavePath, newer, kWindow);
    EXPECT_TRUE(shownErrors.empty());
    PersistentBlock loaded = defaultBlock();
    readSaveFile(kSavePath, loaded);
    EXPECT_EQ(rawOf(loaded), rawOf(newer));
    // After a success a new failure is reported again.
    fileFaults.flushFails = true;
    writeSaveFile(kSavePath, newer, kWindow);
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

}  // namespace
