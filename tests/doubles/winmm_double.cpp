// A recording MIDI output, and timer resolution requests that are only
// recorded, standing in for winmm.dll under Wine. Every call
// the program makes is appended to a log as one line
//     <ms> <function> <args> -> <result>
// where <ms> is QueryPerformanceCounter time in milliseconds: one clock for all
// processes of the same Wine, so a test can compare it with its own times.
// Settings, read from the environment when the DLL loads:
//     VARLO_MIDI_LOG         log path (default midi.log beside this DLL)
//     VARLO_MIDI_DEVICES     what midiOutGetNumDevs reports (default 1)
//     VARLO_MIDI_OPEN_ERROR  non-zero: midiOutOpen fails with this code
//     VARLO_MIDI_ERROR_TEXT  what midiOutGetErrorText gives
#define _WINMM_  // these definitions are the exports, not imports
#include <windows.h>
#include <mmsystem.h>

#include "call_log.h"

#include <cstdio>
#include <cwchar>

namespace {

CRITICAL_SECTION stateLock;  // the window thread and the game thread both call in
UINT deviceCount = 1;
MMRESULT openError = MMSYSERR_NOERROR;
wchar_t errorText[512] = L"MIDI output cannot be opened (test double)";

// Handles given out by midiOutOpen and not yet closed. A call on any other
// handle fails as the system's would, so use after close shows in the log.
constexpr uintptr_t kHandleBase = 0x4D490000;
constexpr int kMaxOpen = 16;
uintptr_t openHandles[kMaxOpen];
uintptr_t handlesGiven = 0;

bool readSetting(const wchar_t* name, wchar_t* value, DWORD capacity) {
    const DWORD length = GetEnvironmentVariableW(name, value, capacity);
    return length > 0 && length < capacity;
}

long readNumber(const wchar_t* name, long fallback) {
    wchar_t text[32];
    if (!readSetting(name, text, 32)) return fallback;
    wchar_t* end = nullptr;
    const long value = std::wcstol(text, &end, 0);
    return end != text && *end == L'\0' ? value : fallback;
}

void loadSettings() {
    const long devices = readNumber(L"VARLO_MIDI_DEVICES", 1);
    deviceCount = devices < 0 ? 0 : UINT(devices);
    openError = MMRESULT(readNumber(L"VARLO_MIDI_OPEN_ERROR", 0));
    wchar_t text[512];
    if (readSetting(L"VARLO_MIDI_ERROR_TEXT", text, 512)) std::wcscpy(errorText, text);
}

// Call with stateLock held.
bool isOpen(HMIDIOUT handle) {
    for (uintptr_t h : openHandles)
        if (h != 0 && h == uintptr_t(handle)) return true;
    return false;
}

// The functions that take only a handle: a valid handle succeeds.
MMRESULT handleCall(const char* function, HMIDIOUT handle, bool closes) {
    EnterCriticalSection(&stateLock);
    MMRESULT result = MMSYSERR_INVALHANDLE;
    for (uintptr_t& h : openHandles) {
        if (h != 0 && h == uintptr_t(handle)) {
            if (closes) h = 0;
            result = MMSYSERR_NOERROR;
            break;
        }
    }
    char text[96];
    std::snprintf(text, sizeof text, "%s -> %u", function, unsigned(result));
    logCall(text);
    LeaveCriticalSection(&stateLock);
    return result;
}

MMRESULT valueCall(const char* function, HMIDIOUT handle, DWORD value) {
    EnterCriticalSection(&stateLock);
    const MMRESULT result = isOpen(handle) ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
    char text[96];
    std::snprintf(text, sizeof text, "%s 0x%08lX -> %u", function, static_cast<unsigned long>(value), unsigned(result));
    logCall(text);
    LeaveCriticalSection(&stateLock);
    return result;
}

MMRESULT periodCall(const char* function, UINT period) {
    const MMRESULT result = period == 0 ? TIMERR_NOCANDO : TIMERR_NOERROR;
    char text[96];
    std::snprintf(text, sizeof text, "%s %u -> %u", function, period, unsigned(result));
    logCall(text);
    return result;
}

MMRESULT errorTextCall(const char* function, MMRESULT error, bool writable) {
    const MMRESULT result = writable ? MMSYSERR_NOERROR : MMSYSERR_INVALPARAM;
    char text[96];
    std::snprintf(text, sizeof text, "%s %u -> %u", function, unsigned(error), unsigned(result));
    logCall(text);
    return result;
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    callLogDllMain(self, reason, L"VARLO_MIDI_LOG", L"midi.log");
    if (reason == DLL_PROCESS_ATTACH) {
        InitializeCriticalSection(&stateLock);
        loadSettings();
    } else if (reason == DLL_PROCESS_DETACH) {
        DeleteCriticalSection(&stateLock);
    }
    return TRUE;
}

UINT WINAPI midiOutGetNumDevs(void) {
    char text[64];
    std::snprintf(text, sizeof text, "midiOutGetNumDevs -> %u", deviceCount);
    logCall(text);
    return deviceCount;
}

MMRESULT WINAPI midiOutOpen(LPHMIDIOUT handle, UINT device, DWORD_PTR, DWORD_PTR, DWORD) {
    EnterCriticalSection(&stateLock);
    MMRESULT result = openError;
    if (handle == nullptr) {
        result = MMSYSERR_INVALPARAM;
    } else if (result == MMSYSERR_NOERROR) {
        result = MMSYSERR_NOMEM;
        for (uintptr_t& h : openHandles) {
            if (h == 0) {
                h = kHandleBase + ++handlesGiven;
                *handle = HMIDIOUT(h);
                result = MMSYSERR_NOERROR;
                break;
            }
        }
    }
    char text[96];
    std::snprintf(text, sizeof text, "midiOutOpen %d -> %u", int(device), unsigned(result));
    logCall(text);
    LeaveCriticalSection(&stateLock);
    return result;
}

MMRESULT WINAPI midiOutReset(HMIDIOUT handle) { return handleCall("midiOutReset", handle, false); }

MMRESULT WINAPI midiOutClose(HMIDIOUT handle) { return handleCall("midiOutClose", handle, true); }

MMRESULT WINAPI midiOutSetVolume(HMIDIOUT handle, DWORD volume) {
    return valueCall("midiOutSetVolume", handle, volume);
}

MMRESULT WINAPI midiOutShortMsg(HMIDIOUT handle, DWORD message) {
    return valueCall("midiOutShortMsg", handle, message);
}

MMRESULT WINAPI midiOutGetErrorTextW(MMRESULT error, LPWSTR buffer, UINT capacity) {
    const bool writable = buffer != nullptr && capacity > 0;
    if (writable) lstrcpynW(buffer, errorText, int(capacity));
    return errorTextCall("midiOutGetErrorTextW", error, writable);
}

MMRESULT WINAPI midiOutGetErrorTextA(MMRESULT error, LPSTR buffer, UINT capacity) {
    const bool writable = buffer != nullptr && capacity > 0;
    if (writable) {
        char text[1024];
        if (WideCharToMultiByte(CP_ACP, 0, errorText, -1, text, sizeof text, nullptr, nullptr) == 0) text[0] = '\0';
        lstrcpynA(buffer, text, int(capacity));
    }
    return errorTextCall("midiOutGetErrorTextA", error, writable);
}

MMRESULT WINAPI timeBeginPeriod(UINT period) { return periodCall("timeBeginPeriod", period); }

MMRESULT WINAPI timeEndPeriod(UINT period) { return periodCall("timeEndPeriod", period); }

}  // extern "C"
