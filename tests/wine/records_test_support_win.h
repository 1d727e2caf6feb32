// What the save file's Win32 tests share: the error boxes recorded instead of
// shown, a scratch folder per test, and small file helpers.
#ifndef VARLO_TESTS_WINE_RECORDS_TEST_SUPPORT_WIN_H
#define VARLO_TESTS_WINE_RECORDS_TEST_SUPPORT_WIN_H

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "records/persistent_block.h"

// One error box the code under test asked for.
struct ShownError {
    HWND owner;
    std::wstring text;
};
// Every showError call since the fixture's set-up, in order.
extern std::vector<ShownError> shownErrors;

using Bytes = std::vector<uint8_t>;

bool readWholeFile(const std::wstring& path, Bytes& bytes);
bool writeWholeFile(const std::wstring& path, const Bytes& bytes);
bool fileExists(const std::wstring& path);
Bytes saveFileOf(const PersistentBlock& block);
// The default table with other scores and names, so it cannot pass for the defaults.
PersistentBlock playedBlock();

// Each test gets an empty folder of its own, saveFilePath inside it, no errors
// recorded nor a failed write left reported, and a hidden window to save from.
class RecordsTest : public ::testing::Test {
protected:
    std::wstring folder;
    std::wstring savePath;
    HWND window = nullptr;

    void SetUp() override;
    void TearDown() override;
    std::wstring pathIn(const wchar_t* name) const { return folder + L"\\" + name; }
    // The folder's file names, sorted.
    std::vector<std::wstring> folderContents() const;
};

#endif
