// Shared parts of the save file's Win32 tests.
#include "tests/wine/records_test_support_win.h"

#include <algorithm>
#include <cstring>

#include "app/app_win.h"
#include "records/shared_records.h"

// The program's globals the save file uses, owned here by the tests.
wchar_t saveFilePath[MAX_PATH] = L"VARLO.DAT";
std::vector<ShownError> shownErrors;

void showError(HWND owner, const wchar_t* text) {
    if (text != nullptr) shownErrors.push_back({owner, text});
}

namespace {

constexpr wchar_t kWindowClass[] = L"RecordsTestWindow";

void removeTree(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(path.c_str());
        return;
    }
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (std::wcscmp(found.cFileName, L".") != 0 && std::wcscmp(found.cFileName, L"..") != 0)
                removeTree(path + L"\\" + found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace

bool readWholeFile(const std::wstring& path, Bytes& bytes) {
    bytes.clear();
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    uint8_t buffer[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    CloseHandle(file);
    return ok;
}

bool writeWholeFile(const std::wstring& path, const Bytes& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = bytes.empty() || (WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                                      written == bytes.size());
    return CloseHandle(file) && ok;
}

bool fileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

Bytes saveFileOf(const PersistentBlock& block) {
    Bytes file;
    EXPECT_EQ(buildSaveFile(block, file), CodecResult::ok);
    return file;
}

PersistentBlock playedBlock() {
    PersistentBlock block = defaultBlock();
    block.windowLeft = 200;
    block.windowTop = 150;
    block.rowCount = 3;
    const char* names[] = {"Mika", "Jun", "Sora"};
    for (int i = 0; i < 3; ++i) {
        block.rows[i].score = uint16_t(900 - 100 * i);
        std::strcpy(block.rows[i].name, names[i]);
        block.rows[i].date = RankingDate{2024, 6, 3, 17, 20, 15, 9, 321};
    }
    return block;
}

void RecordsTest::SetUp() {
    wchar_t temp[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(info->test_suite_name()) + "." + info->name();
    folder = std::wstring(temp) + L"varlo-records-" + std::wstring(name.begin(), name.end());
    removeTree(folder);
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    savePath = pathIn(L"VARLO.DAT");
    ASSERT_LT(savePath.size(), size_t(MAX_PATH));
    std::wcscpy(saveFilePath, savePath.c_str());
    shownErrors.clear();

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassW(&windowClass);  // fails harmlessly from the second test on
    window = CreateWindowW(kWindowClass, L"", WS_CAPTION | WS_SYSMENU, 123, 77, 300, 200, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    // A failed write is reported once until a save succeeds: one that succeeds
    // here forgets the failure an earlier test of this process left reported.
    setSharedRecords(defaultBlock());
    saveRecords(window);
    ASSERT_TRUE(DeleteFileW(savePath.c_str()));
}

void RecordsTest::TearDown() {
    if (window != nullptr) DestroyWindow(window);
    removeTree(folder);
}

std::vector<std::wstring> RecordsTest::folderContents() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (std::wcscmp(found.cFileName, L".") != 0 && std::wcscmp(found.cFileName, L"..") != 0)
            names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}
