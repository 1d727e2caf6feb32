// A recording HTML Help control that stands in for hhctrl.ocx under Wine. Each
// call is appended to a log as one line
//     <ms> HtmlHelpW window=<0|1> file=<name> command=<decimal> data=<decimal> imc=<0|1>
// <ms> is QueryPerformanceCounter time in milliseconds; <name> is the file name
// part of the path (with any "::/topic" or ">window" that follows it), or "-";
// imc tells whether the calling window has an input method context.
// HH_PRETRANSLATEMESSAGE comes for every message and is not logged.
// Setting, read from the environment when the DLL loads:
//     VARLO_HELP_LOG  log path (default help.log beside this DLL)
#include <windows.h>
#include <htmlhelp.h>
#include <imm.h>

#include "call_log.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// Stands for the help window the real control would open; never a real window.
const HWND kHelpWindow = reinterpret_cast<HWND>(uintptr_t(0x48480000));
constexpr DWORD_PTR kCookie = 0x5A5A;

std::string toUtf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), &out[0], size, nullptr, nullptr);
    return out;
}

// "C:\dir\VARLO.CHM::/topic.htm" -> "VARLO.CHM::/topic.htm"; none -> "-".
std::string fileNamePart(const wchar_t* path) {
    if (path == nullptr || *path == L'\0') return "-";
    const std::wstring whole(path);
    const size_t pathEnd = whole.find(L"::");
    const size_t slash = whole.find_last_of(L"\\/", pathEnd == std::wstring::npos ? std::wstring::npos : pathEnd);
    const std::wstring name = slash == std::wstring::npos ? whole : whole.substr(slash + 1);
    return name.empty() ? "-" : toUtf8(name);
}

HWND help(const char* function, HWND caller, const wchar_t* file, UINT command, DWORD_PTR data) {
    if (command == HH_PRETRANSLATEMESSAGE) return nullptr;
    HWND result = nullptr;
    DWORD_PTR logged = data;
    switch (command) {
    case HH_INITIALIZE:
        // The data points to where the cookie goes.
        if (data != 0) {
            *reinterpret_cast<DWORD_PTR*>(data) = kCookie;
            logged = kCookie;
            result = reinterpret_cast<HWND>(uintptr_t(1));
        }
        break;
    case HH_DISPLAY_TOPIC:
    case HH_DISPLAY_TOC:
    case HH_DISPLAY_INDEX:
    case HH_DISPLAY_SEARCH:
    case HH_HELP_CONTEXT:
        result = kHelpWindow;
        break;
    default:
        break;
    }
    // The help is called on the window's own thread, where its input context can be asked for.
    const HIMC context = caller != nullptr ? ImmGetContext(caller) : nullptr;
    if (context != nullptr) ImmReleaseContext(caller, context);
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, " command=%u data=%llu imc=%d", command,
                  static_cast<unsigned long long>(logged), context != nullptr ? 1 : 0);
    logCall(std::string(function) + " window=" + (caller != nullptr ? "1" : "0") + " file=" + fileNamePart(file) +
            numbers);
    return result;
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    callLogDllMain(self, reason, L"VARLO_HELP_LOG", L"help.log");
    return TRUE;
}

HWND WINAPI HtmlHelpW(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data) {
    return help("HtmlHelpW", caller, file, command, data);
}

HWND WINAPI HtmlHelpA(HWND caller, LPCSTR file, UINT command, DWORD_PTR data) {
    std::wstring wide;
    if (file != nullptr && *file != '\0') {
        const int size = MultiByteToWideChar(CP_ACP, 0, file, -1, nullptr, 0);
        if (size > 1) {
            wide.resize(size_t(size));
            MultiByteToWideChar(CP_ACP, 0, file, -1, &wide[0], size);
            wide.resize(size_t(size - 1));
        }
    }
    return help("HtmlHelpA", caller, file != nullptr ? wide.c_str() : nullptr, command, data);
}

}  // extern "C"
