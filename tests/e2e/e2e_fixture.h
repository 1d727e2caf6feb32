// A test that runs VARLO.EXE in a scratch folder of its own and ends it afterwards.
#ifndef VARLO_TESTS_E2E_E2E_FIXTURE_H
#define VARLO_TESTS_E2E_E2E_FIXTURE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "driver.h"
#include "records/block_codec.h"
#include "records/persistent_block.h"

// The rounds `make fuzz` asks the stress tests for (VARLO_STRESS_ROUNDS); 0 in `make test`.
inline int stressRounds() {
    const char* text = std::getenv("VARLO_STRESS_ROUNDS");
    const int rounds = text != nullptr ? std::atoi(text) : 0;
    return std::max(rounds, 0);
}

// The block's 212 bytes as the file stores them before compression.
inline std::vector<uint8_t> rawOf(const PersistentBlock& block) {
    const auto raw = encodeBlock(block);
    return std::vector<uint8_t>(raw.begin(), raw.end());
}

class VarloTest : public ::testing::Test {
protected:
    driver::Program program;

    void TearDown() override { driver::terminate(program); }

    // Starts the program and waits for its main window.
    HWND launch(const driver::MidiSettings& midi = {}) {
        startOnly(midi);
        program.window = driver::waitForWindow(program);
        EXPECT_NE(program.window, nullptr) << "no main window";
        return program.window;
    }

    void startOnly(const driver::MidiSettings& midi = {}) {
        makeFolder();
        ASSERT_TRUE(driver::start(program, midi));
    }

    // Starts the program in a fresh folder that already holds `saveFile` as VARLO.DAT.
    HWND launchWith(const std::vector<uint8_t>& saveFile) {
        makeFolder();
        EXPECT_TRUE(driver::writeFile(savePath(), saveFile));
        EXPECT_TRUE(driver::start(program));
        program.window = driver::waitForWindow(program);
        EXPECT_NE(program.window, nullptr) << "no main window";
        return program.window;
    }

    // Closes the window and waits for the process to end with code 0.
    void closeAndWait() {
        driver::close(program.window);
        long exitCode = -1;
        EXPECT_GE(millisecondsToExit(exitCode), 0) << "the process did not end";
        EXPECT_EQ(exitCode, 0);
    }

    std::wstring savePath() const { return driver::pathIn(program, L"VARLO.DAT"); }

    std::vector<uint8_t> savedFile() const {
        std::vector<uint8_t> file;
        EXPECT_TRUE(driver::readFile(savePath(), file)) << "no VARLO.DAT";
        return file;
    }

    // The saved block as stored, whatever was read: it expands to its 212
    // bytes, its row count is 0..5 and every name ends within its 16 bytes.
    void expectWholeTable(const std::vector<uint8_t>& file) {
        ASSERT_GT(file.size(), kVersionBytes);
        std::vector<uint8_t> block;
        ASSERT_EQ(expandBlock(file.data() + kVersionBytes, file.size() - kVersionBytes, block), CodecResult::ok);
        ASSERT_EQ(block.size(), kBlockBytes);
        const int32_t rowCount = int32_t(block[8] | block[9] << 8 | block[10] << 16 | uint32_t(block[11]) << 24);
        EXPECT_GE(rowCount, 0);
        EXPECT_LE(rowCount, kRankingRows);
        for (int row = 0; row < kRankingRows; ++row) {
            const uint8_t* name = &block[kBlockHeaderBytes + row * kEntryBytes + kEntryBytes - kNameBytes];
            EXPECT_NE(std::find(name, name + kNameBytes, 0), name + kNameBytes) << "row " << row;
        }
    }

    // A scratch folder named after the test.
    void makeFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = std::string(info->test_suite_name()) + "." + info->name();
        program.folder = driver::makeScratchFolder(std::wstring(name.begin(), name.end()));
        EXPECT_FALSE(program.folder.empty());
    }

    // Milliseconds from now until the process has ended, or -1 when it did not
    // end within the timeout; its exit code goes to `exitCode`.
    long millisecondsToExit(long& exitCode, DWORD timeoutMs = driver::kDefaultTimeoutMs) {
        const double begin = driver::nowMs();
        exitCode = driver::waitForExit(program, timeoutMs);
        if (exitCode == -1) return -1;
        return static_cast<long>(driver::nowMs() - begin);
    }
};

#endif
