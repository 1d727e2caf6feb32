// VARLO.DAT as the player meets it: written at exit, read at the next start,
// the window reopening where it was, and a damaged file replaced without fuss.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "e2e_fixture.h"
#include "records/persistent_block.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes saveFileOf(const PersistentBlock& block) {
    Bytes file;
    EXPECT_EQ(buildSaveFile(block, file), CodecResult::ok);
    return file;
}

PersistentBlock playedBlock() {
    PersistentBlock block = defaultBlock();
    block.windowLeft = 200;
    block.windowTop = 150;
    block.rowCount = 4;
    const char* names[] = {"Mika", "Jun", "Sora", "Ren"};
    for (int i = 0; i < 4; ++i) {
        block.rows[i].score = uint16_t(900 - 150 * i);
        block.rows[i].questionCount = uint16_t(40 + i);
        std::strcpy(block.rows[i].name, names[i]);
        block.rows[i].date = RankingDate{2024, 6, 3, 17, 20, 15, 9, 321};
    }
    return block;
}

POINT windowCorner(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return POINT{frame.left, frame.top};
}

using SaveFileTest = VarloTest;

TEST_F(SaveFileTest, TheFirstRunLeavesTheDefaultTableAndTheWindowsPosition) {
    const HWND window = launch();
    ASSERT_NE(window, nullptr);
    const POINT corner = windowCorner(window);
    closeAndWait();

    PersistentBlock saved{};
    ASSERT_TRUE(driver::readSavedBlock(savePath(), saved));
    EXPECT_EQ(saved.windowLeft, corner.x);
    EXPECT_EQ(saved.windowTop, corner.y);
    PersistentBlock expected = defaultBlock();
    expected.windowLeft = corner.x;
    expected.windowTop = corner.y;
    EXPECT_EQ(rawOf(saved), rawOf(expected));
    // Byte for byte what the default block at that position compresses to.
    EXPECT_EQ(savedFile(), saveFileOf(expected));
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(driver::pathIn(program, L"*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        const std::wstring name = found.cFileName;
        EXPECT_TRUE(name.find(L".tmp") == std::wstring::npos && name.find(L".lock") == std::wstring::npos)
            << "temporary or lock file left";
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// Another program holds the file, unshared, while the game starts: the game
// plays with the defaults, and its save at the close keeps the file's rows.
TEST_F(SaveFileTest, AFileHeldByAnotherProgramAtTheStartKeepsItsRows) {
    const Bytes file = saveFileOf(playedBlock());
    makeFolder();
    ASSERT_TRUE(driver::writeFile(savePath(), file));
    const HANDLE held = CreateFileW(savePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(driver::start(program));
    program.window = driver::waitForWindow(program);  // the load has given up by then
    CloseHandle(held);
    ASSERT_NE(program.window, nullptr);
    closeAndWait();
    PersistentBlock saved{};
    ASSERT_TRUE(driver::readSavedBlock(savePath(), saved));
    PersistentBlock expected = playedBlock();
    expected.windowLeft = saved.windowLeft;
    expected.windowTop = saved.windowTop;
    EXPECT_EQ(rawOf(saved), rawOf(expected));
}

TEST_F(SaveFileTest, ARankingTableSurvivesARunUnchanged) {
    const Bytes file = saveFileOf(playedBlock());
    const HWND window = launchWith(file);
    ASSERT_NE(window, nullptr);
    const POINT corner = windowCorner(window);
    EXPECT_EQ(corner.x, 200);
    EXPECT_EQ(corner.y, 150);
    closeAndWait();
    EXPECT_EQ(savedFile(), file);
}

TEST_F(SaveFileTest, AMovedWindowReopensWhereItWasClosed) {
    HWND window = launch();
    ASSERT_NE(window, nullptr);
    SetWindowPos(window, nullptr, 210, 140, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(driver::waitFor([&] {
        const POINT p = windowCorner(window);
        return p.x == 210 && p.y == 140;
    })) << "the window did not move";
    closeAndWait();

    ASSERT_TRUE(driver::start(program));
    window = driver::waitForWindow(program);
    ASSERT_NE(window, nullptr);
    const POINT corner = windowCorner(window);
    EXPECT_EQ(corner.x, 210);
    EXPECT_EQ(corner.y, 140);
    closeAndWait();
}

TEST_F(SaveFileTest, AStoredPositionOffTheDesktopOpensOnItsWorkArea) {
    RECT area{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
    PersistentBlock farOff = playedBlock();
    farOff.windowLeft = 5000;
    farOff.windowTop = -300;
    const HWND window = launchWith(saveFileOf(farOff));
    ASSERT_NE(window, nullptr);
    const POINT corner = windowCorner(window);
    EXPECT_EQ(corner.x, area.right - 630);
    EXPECT_EQ(corner.y, area.top);
    closeAndWait();
}

struct HostileFile {
    const char* name;
    Bytes (*make)();
};

class DamagedSaveFileTest : public SaveFileTest, public ::testing::WithParamInterface<HostileFile> {};

TEST_P(DamagedSaveFileTest, StartsWithoutAMessageAndIsRewrittenValidAtExit) {
    const HWND window = launchWith(GetParam().make());
    ASSERT_NE(window, nullptr);
    // The file is read before the window is made, and a message box would have
    // held the start-up until it was answered.
    EXPECT_EQ(driver::waitForMessageBox(program, 0), nullptr);
    const POINT corner = windowCorner(window);
    closeAndWait();

    PersistentBlock saved{};
    ASSERT_TRUE(driver::readSavedBlock(savePath(), saved));
    PersistentBlock expected = defaultBlock();
    expected.windowLeft = corner.x;
    expected.windowTop = corner.y;
    EXPECT_EQ(rawOf(saved), rawOf(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedSaveFileTest,
    ::testing::Values(HostileFile{"RandomBytes",
                                  [] {
                                      std::mt19937 random(5);
                                      Bytes b(500);
                                      for (auto& x : b) x = uint8_t(random());
                                      b[0] = 1, b[1] = b[2] = b[3] = 0;
                                      return b;
                                  }},
                      HostileFile{"Truncated",
                                  [] {
                                      Bytes b = saveFileOf(playedBlock());
                                      b.resize(b.size() / 2);
                                      return b;
                                  }},
                      HostileFile{"OtherVersion",
                                  [] {
                                      Bytes b = saveFileOf(playedBlock());
                                      b[0] = 2;
                                      return b;
                                  }},
                      HostileFile{"TwoBytes", [] { return Bytes{1, 0}; }}),
    [](const ::testing::TestParamInfo<HostileFile>& info) { return std::string(info.param.name); });

TEST_F(SaveFileTest, AReadOnlyFileIsKeptAndTheExitSaysItCannotBeWritten) {
    const Bytes file = saveFileOf(playedBlock());
    const HWND window = launchWith(file);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(SetFileAttributesW(savePath().c_str(), FILE_ATTRIBUTE_READONLY));
    driver::close(window);
    const HWND box = driver::waitForMessageBox(program);
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(driver::windowText(box), L"ヴァルロ");
    const auto texts = driver::childTexts(box);
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"ファイルに書き込めません。"), texts.end());
    driver::dismiss(box);
    long exitCode = -1;
    EXPECT_GE(millisecondsToExit(exitCode), 0);
    EXPECT_EQ(exitCode, 0);
    SetFileAttributesW(savePath().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(savedFile(), file);
}

}  // namespace
