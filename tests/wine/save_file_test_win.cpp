// Loading and saving VARLO.DAT through the real Win32 file calls, in a scratch
// folder: what is kept, what is refused silently, and what the player is told.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>

#include "app/app_win.h"
#include "app/history_win.h"
#include "game/history_record.h"
#include "records/history_file.h"
#include "app/placement.h"
#include "records/shared_records.h"
#include "tests/wine/records_test_support_win.h"

namespace {

using SaveFileWin32 = RecordsTest;

const wchar_t kCannotWrite[] = L"ファイルに書き込めません。";

Bytes rawOf(const PersistentBlock& block) {
    const auto raw = encodeBlock(block);
    return Bytes(raw.begin(), raw.end());
}

ScreenRect workArea() {
    RECT area{};
    EXPECT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
    return ScreenRect{area.left, area.top, area.right, area.bottom};
}

TEST_F(SaveFileWin32, WithoutAFileTheDefaultsStandAndNothingIsShown) {
    setSharedRecords(playedBlock());
    loadRecords();
    EXPECT_EQ(windowLeft, CW_USEDEFAULT);
    EXPECT_EQ(windowTop, CW_USEDEFAULT);
    EXPECT_EQ(rawOf(sharedRecords()), rawOf(defaultBlock()));
    EXPECT_TRUE(shownErrors.empty());
}

TEST_F(SaveFileWin32, ASavedTableAndPositionComeBackAtTheNextStart) {
    setSharedRecords(playedBlock());
    saveRecords(window);
    EXPECT_TRUE(shownErrors.empty());
    // Only the file itself is left: the temporary one took its place.
    EXPECT_EQ(folderContents(), std::vector<std::wstring>{L"VARLO.DAT"});
    PersistentBlock expected = playedBlock();
    expected.windowLeft = 123;  // where the window stands, not what the block held
    expected.windowTop = 77;
    Bytes file;
    ASSERT_TRUE(readWholeFile(savePath, file));
    EXPECT_EQ(file, saveFileOf(expected));

    setSharedRecords(defaultBlock());
    loadRecords();
    EXPECT_TRUE(shownErrors.empty());
    EXPECT_EQ(windowLeft, 123);
    EXPECT_EQ(windowTop, 77);
    EXPECT_EQ(rawOf(sharedRecords()), rawOf(expected));
}

TEST_F(SaveFileWin32, ASaveReplacesAnOlderFileWhole) {
    Bytes old(700, 0xAB);  // longer than any save: nothing of it may remain
    ASSERT_TRUE(writeWholeFile(savePath, old));
    setSharedRecords(defaultBlock());
    saveRecords(window);
    EXPECT_TRUE(shownErrors.empty());
    PersistentBlock expected = defaultBlock();
    expected.windowLeft = 123;
    expected.windowTop = 77;
    Bytes file;
    ASSERT_TRUE(readWholeFile(savePath, file));
    EXPECT_EQ(file, saveFileOf(expected));
}

TEST_F(SaveFileWin32, ALoadedPositionIsKeptOnTheWorkArea) {
    const ScreenRect area = workArea();
    PersistentBlock farOff = playedBlock();
    farOff.windowLeft = -5000;
    farOff.windowTop = 99999;
    ASSERT_TRUE(writeWholeFile(savePath, saveFileOf(farOff)));
    loadRecords();
    EXPECT_EQ(windowLeft, area.left);
    EXPECT_EQ(windowTop, area.bottom - 250);
    EXPECT_EQ(sharedRecords().windowLeft, area.left);

    farOff.windowLeft = INT32_MAX;
    farOff.windowTop = INT32_MIN;
    ASSERT_TRUE(writeWholeFile(savePath, saveFileOf(farOff)));
    loadRecords();
    EXPECT_EQ(windowLeft, area.right - 630);
    EXPECT_EQ(windowTop, area.top);
    EXPECT_TRUE(shownErrors.empty());
}

TEST_F(SaveFileWin32, HostileFilesLoadTheDefaultsWithoutAMessage) {
    const Bytes valid = saveFileOf(playedBlock());
    std::mt19937 random(99);
    Bytes noise(300);
    for (auto& b : noise) b = uint8_t(random());
    Bytes noiseVersion1 = noise;
    noiseVersion1[0] = 1, noiseVersion1[1] = noiseVersion1[2] = noiseVersion1[3] = 0;
    Bytes version2 = valid;
    version2[0] = 2;
    Bytes huge(3 * 1024 * 1024, 0);
    huge[0] = 1;
    const Bytes files[] = {
        {},     {1},     {1, 0},   {1, 0, 0}, {1, 0, 0, 0}, noise, noiseVersion1, version2,
        Bytes(valid.begin(), valid.begin() + 40), huge,
    };
    for (const Bytes& file : files) {
        SCOPED_TRACE(std::to_string(file.size()) + " bytes");
        ASSERT_TRUE(writeWholeFile(savePath, file));
        setSharedRecords(playedBlock());
        loadRecords();
        EXPECT_EQ(windowLeft, CW_USEDEFAULT);
        EXPECT_EQ(rawOf(sharedRecords()), rawOf(defaultBlock()));
        EXPECT_TRUE(shownErrors.empty());
    }
}

// Held by another program, the file gives the defaults silently; a program
// that only reads it, sharing it, shuts nobody out.
TEST_F(SaveFileWin32, AFileInUseIsPassedOverSilently) {
    ASSERT_TRUE(writeWholeFile(savePath, saveFileOf(playedBlock())));
    for (const DWORD share : {DWORD(0), DWORD(FILE_SHARE_READ)}) {
        const HANDLE held = CreateFileW(savePath.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        loadRecords();
        CloseHandle(held);
        EXPECT_EQ(rawOf(sharedRecords()), rawOf(share == 0 ? defaultBlock() : playedBlock()));
    }
    EXPECT_TRUE(shownErrors.empty());
}

TEST_F(SaveFileWin32, AFolderThatCannotBeWrittenShowsTheMessageOwnedByTheWindow) {
    const std::wstring missing = pathIn(L"gone\\VARLO.DAT");
    std::wcscpy(saveFilePath, missing.c_str());
    setSharedRecords(playedBlock());
    saveRecords(window);
    ASSERT_EQ(shownErrors.size(), 1u);
    EXPECT_EQ(shownErrors[0].text, kCannotWrite);
    EXPECT_EQ(shownErrors[0].owner, window);
    EXPECT_TRUE(folderContents().empty());
}

TEST_F(SaveFileWin32, WhenTheNewFileCannotBeMadeTheOldOneStays) {
    const Bytes old = saveFileOf(playedBlock());
    ASSERT_TRUE(writeWholeFile(savePath, old));
    // Something else already holds this copy's temporary file name.
    const std::wstring temporary = L"VARLO.DAT." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    ASSERT_TRUE(CreateDirectoryW(pathIn(temporary.c_str()).c_str(), nullptr));
    setSharedRecords(defaultBlock());
    saveRecords(window);
    ASSERT_EQ(shownErrors.size(), 1u);
    EXPECT_EQ(shownErrors[0].text, kCannotWrite);
    Bytes file;
    ASSERT_TRUE(readWholeFile(savePath, file));
    EXPECT_EQ(file, old);
}

TEST_F(SaveFileWin32, AReadOnlyFileIsNotReplacedAndTheNewOneIsRemoved) {
    const Bytes old = saveFileOf(playedBlock());
    ASSERT_TRUE(writeWholeFile(savePath, old));
    ASSERT_TRUE(SetFileAttributesW(savePath.c_str(), FILE_ATTRIBUTE_READONLY));
    setSharedRecords(defaultBlock());
    saveRecords(window);
    SetFileAttributesW(savePath.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(shownErrors.size(), 1u);
    EXPECT_EQ(shownErrors[0].text, kCannotWrite);
    Bytes file;
    ASSERT_TRUE(readWholeFile(savePath, file));
    EXPECT_EQ(file, old);
    EXPECT_EQ(folderContents(), std::vector<std::wstring>{L"VARLO.DAT"});
}

// The practice history beside it: a new file gets its header once, each order
// a line, each game a number after the file's highest; a file that cannot be
// written is told of once in the run, and its lines are written once it can be.
TEST_F(SaveFileWin32, TheHistoryGetsALineAnOrderAndItsFailureIsShownOnce) {
    const std::wstring historyPath = pathIn(L"VARLO-HISTORY.csv");
    std::wcscpy(historyFilePath, historyPath.c_str());
    ASSERT_TRUE(CreateDirectoryW(historyPath.c_str(), nullptr));  // in the history's way
    JudgedOrder order{};
    order.line.time = RankingDate{2026, 12, 3, 9, 18, 5, 30, 0};
    order.line.firstStage = order.line.stage = order.line.order = 1;
    order.line.asked.set(60);
    std::string lines;
    for (int game = 1; game <= 3; ++game) {
        if (game == 3) {
            ASSERT_TRUE(RemoveDirectoryW(historyPath.c_str()));
        }
        order.line.game = 40 + game;  // the run's numbers are not the file's
        order.line.time.second = uint16_t(30 + game);
        takeJudgedOrder(window, reinterpret_cast<LPARAM>(new JudgedOrder(order)));
        HistoryLine written = order.line;
        written.game = game;
        lines += formatHistoryLine(written);
    }
    ASSERT_EQ(shownErrors.size(), 1u);
    EXPECT_EQ(shownErrors[0].text, L"履歴ファイルに書き込めません。");
    EXPECT_EQ(shownErrors[0].owner, window);
    closeHistory();
    Bytes file;
    ASSERT_TRUE(readWholeFile(historyPath, file));
    std::string text = std::string(file.begin(), file.end());
    EXPECT_EQ(text, kHistoryFileStart + lines);
}

}  // namespace
