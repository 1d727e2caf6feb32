// The history file through the Win32 file calls.
#include "records/history_file.h"

#include <windows.h>

#include <exception>

#include "records/history_line.h"

namespace {

HANDLE appending = INVALID_HANDLE_VALUE;

// While the file is open for appending, other copies of the game may append
// to it and other programs read it; it cannot be deleted until the game ends.
// A reader of the file keeps nobody out.
constexpr DWORD kAppendSharing = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr DWORD kReadSharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool writeAll(HANDLE file, const std::string& text) {
    DWORD written = 0;
    return WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr) && written == text.size();
}

// A new file is made unshared and given its start before anybody else may open
// it, so that two copies making it at the same moment write one header: the
// second finds the file there.
bool makeNewFile(const wchar_t* path) {
    const HANDLE file = CreateFileW(path, FILE_APPEND_DATA, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_EXISTS;
    const bool started = writeAll(file, kHistoryFileStart);
    CloseHandle(file);
    if (!started) DeleteFileW(path);
    return started;
}

}  // namespace

bool appendToHistory(const wchar_t* path, const std::string& text) {
    if (appending == INVALID_HANDLE_VALUE) {
        if (!makeNewFile(path)) return false;
        // Append access alone: every write goes to the end of the file as it is then.
        appending = CreateFileW(path, FILE_APPEND_DATA, kAppendSharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (appending == INVALID_HANDLE_VALUE) return false;
    }
    if (writeAll(appending, text)) return true;
    closeHistory();
    return false;
}

void closeHistory() {
    if (appending != INVALID_HANDLE_VALUE) CloseHandle(appending);
    appending = INVALID_HANDLE_VALUE;
}

bool readHistoryFile(const wchar_t* path, std::string& text, size_t tailBytes) {
    text.clear();
    const HANDLE file = CreateFileW(path, GENERIC_READ, kReadSharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    LARGE_INTEGER size{};
    bool read = GetFileSizeEx(file, &size) != 0;
    const uint64_t whole = read ? uint64_t(size.QuadPart) : 0;
    const uint64_t wanted = whole < tailBytes ? whole : tailBytes;
    LARGE_INTEGER start{};
    start.QuadPart = LONGLONG(whole - wanted);
    read = read && wanted <= MAXDWORD && SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
    if (read) {
        try {
            text.resize(size_t(wanted));
        } catch (const std::exception&) {
            read = false;
        }
    }
    DWORD got = 0;
    read = read && (wanted == 0 || ReadFile(file, text.data(), DWORD(wanted), &got, nullptr));
    CloseHandle(file);
    text.resize(read ? got : 0);
    return read;
}
