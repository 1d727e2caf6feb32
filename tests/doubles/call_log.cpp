#include "call_log.h"

#include "log_clock.h"

#include <cstdio>
#include <cwchar>

namespace {

CRITICAL_SECTION logLock;  // the program's UI thread and game thread both call in
wchar_t logPath[MAX_PATH * 2];

}  // namespace

void callLogDllMain(HMODULE self, DWORD reason, const wchar_t* setting, const wchar_t* defaultName) {
    if (reason == DLL_PROCESS_DETACH) DeleteCriticalSection(&logLock);
    if (reason != DLL_PROCESS_ATTACH) return;
    DisableThreadLibraryCalls(self);
    InitializeCriticalSection(&logLock);
    const DWORD length = GetEnvironmentVariableW(setting, logPath, MAX_PATH * 2);
    if (length > 0 && length < MAX_PATH * 2) return;
    const DWORD moduleLength = GetModuleFileNameW(self, logPath, MAX_PATH);
    wchar_t* slash = std::wcsrchr(logPath, L'\\');
    if (moduleLength == 0 || slash == nullptr) {
        std::wcscpy(logPath, defaultName);
    } else {
        std::wcscpy(slash + 1, defaultName);
    }
}

void logCall(const std::string& text) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%.3f ", nowMs());
    const std::string line = stamp + text + "\n";
    EnterCriticalSection(&logLock);
    const HANDLE file = CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, line.data(), DWORD(line.size()), &written, nullptr);
        CloseHandle(file);
    }
    LeaveCriticalSection(&logLock);
}
