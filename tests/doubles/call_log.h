// The log both recording doubles write: one line per call, stamped with
// QueryPerformanceCounter time in milliseconds (one clock for every process of
// the same Wine, so a test can compare it with its own times).
#ifndef VARLO_TESTS_DOUBLES_CALL_LOG_H
#define VARLO_TESTS_DOUBLES_CALL_LOG_H

#include <windows.h>

#include <string>

// The log's part of a double's DllMain. At DLL attach: no thread notifications,
// and the log opened, its path from the environment variable `setting` or
// `defaultName` beside the DLL. At DLL detach: the log closed.
void callLogDllMain(HMODULE self, DWORD reason, const wchar_t* setting, const wchar_t* defaultName);
// Appends "<ms> <text>\n". The file is opened and closed for every line, so the
// log is complete even when the program is killed. Safe from any thread.
void logCall(const std::string& text);

#endif
