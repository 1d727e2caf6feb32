// The save file when the disk lets it down: a write, flush or replacement that
// fails must leave the old file whole, and a file that cannot be read gives
// the defaults and the read message.
#include <windows.h>

#include <gtest/gtest.h>

#include "records/save_file.h"
#include "records/shared_records.h"
#include "tests/wine/file_io_double.h"
#include "tests/wine/records_test_support_win.h"

namespace {

const wchar_t kCannotRead[] = L"ファイルを読み込めません。";
const wchar_t kCannotWrite[] = L"ファイルに書き込めません。";

Bytes rawOf(const PersistentBlock& block) {
    const auto raw = encodeBlock(block);
    return Bytes(raw.begin(), raw.end());
}

class SaveFileFaults : public RecordsTest {
protected:
    Bytes old;

    // An earlier run's file, written by the save itself with nothing failing.
    void SetUp() override {
        RecordsTest::SetUp();
        fileFaults = FileFaults{};
        setSharedRecords(playedBlock());
        saveRecords(window);
        ASSERT_TRUE(shownErrors.empty());
        ASSERT_TRUE(readWholeFile(savePath, old));
        ASSERT_GT(old.size(), 40u);
        setSharedRecords(defaultBlock());
    }
    void TearDown() override {
        fileFaults = FileFaults{};
        RecordsTest::TearDown();
    }

    void expectOldFileKeptAfterTheMessage() {
        ASSERT_EQ(shownErrors.size(), 1u);
        EXPECT_EQ(shownErrors[0].text, kCannotWrite);
        EXPECT_EQ(shownErrors[0].owner, window);
        Bytes file;
        ASSERT_TRUE(readWholeFile(savePath, file));
        EXPECT_EQ(file, old);
        // The half-written temporary file is gone too.
        EXPECT_EQ(folderContents(), std::vector<std::wstring>{L"VARLO.DAT"});
    }
};

TEST_F(SaveFileFaults, AWriteThatFailsMidwayLeavesTheOldFileWhole) {
    fileFaults.writeFailsAfter = 40;
    saveRecords(window);
    expectOldFileKeptAfterTheMessage();
}

TEST_F(SaveFileFaults, AFlushThatFailsLeavesTheOldFileWhole) {
    fileFaults.flushFails = true;
    saveRecords(window);
    expectOldFileKeptAfterTheMessage();
}

TEST_F(SaveFileFaults, AReplacementThatFailsLeavesTheOldFileWhole) {
    fileFaults.replaceFails = true;
    saveRecords(window);
    expectOldFileKeptAfterTheMessage();
}

TEST_F(SaveFileFaults, AfterAFailedSaveTheNextOneSucceedsAndOnlyTheFirstFailureIsReported) {
    fileFaults.writeFailsAfter = 10;
    saveRecords(window);
    saveRecords(window);  // as when the window closes after a failed save of a name
    EXPECT_EQ(shownErrors.size(), 1u);
    fileFaults = FileFaults{};
    shownErrors.clear();
    saveRecords(window);
    EXPECT_TRUE(shownErrors.empty());
    loadRecords();
    PersistentBlock expected = defaultBlock();
    expected.windowLeft = 123;
    expected.windowTop = 77;
    EXPECT_EQ(rawOf(sharedRecords()), rawOf(expected));
    // After a success a new failure is reported again.
    fileFaults.flushFails = true;
    saveRecords(window);
    EXPECT_EQ(shownErrors.size(), 1u);
}

TEST_F(SaveFileFaults, AnUnreadableSizeOrReadGivesTheDefaultsAndTheReadMessage) {
    for (bool sizeFails : {true, false}) {
        SCOPED_TRACE(sizeFails ? "size" : "read");
        fileFaults = FileFaults{};
        fileFaults.sizeFails = sizeFails;
        fileFaults.readFails = !sizeFails;
        shownErrors.clear();
        setSharedRecords(playedBlock());
        loadRecords();
        ASSERT_EQ(shownErrors.size(), 1u);
        EXPECT_EQ(shownErrors[0].text, kCannotRead);
        EXPECT_EQ(shownErrors[0].owner, nullptr);  // no window exists yet at start-up
        EXPECT_EQ(windowLeft, CW_USEDEFAULT);
        EXPECT_EQ(rawOf(sharedRecords()), rawOf(defaultBlock()));
    }
    // The file itself was only read, never touched.
    Bytes file;
    ASSERT_TRUE(readWholeFile(savePath, file));
    EXPECT_EQ(file, old);
}

}  // namespace
