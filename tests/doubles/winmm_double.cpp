// A recording MIDI output, a scripted MIDI keyboard, and timer resolution
// requests that are only recorded, standing in for winmm.dll under Wine. Every call
// the program makes is appended to a log as one line
//     <ms> <function> <args> -> <result>
// where <ms> is QueryPerformanceCounter time in milliseconds: one clock for all
// processes of the same Wine, so a test can compare it with its own times.
// Settings, read from the environment when the DLL loads:
//     VARLO_MIDI_LOG         log path (default midi.log beside this DLL)
//     VARLO_MIDI_DEVICES     what midiOutGetNumDevs reports (default 1)
//     VARLO_MIDI_OPEN_ERROR  non-zero: midiOutOpen fails with this code
//     VARLO_MIDI_ERROR_TEXT  what midiOutGetErrorText gives
//     VARLO_MIDI_SENDS_FAIL_FROM  N > 0: the Nth midiOutShortMsg (from 1) and every
//                            later one fail with MMSYSERR_NODRIVER, as after an
//                            unplug, until the next midiOutOpen
//     VARLO_MIDI_IN_DEVICES  what midiInGetNumDevs reports (default 0)
//     VARLO_MIDI_IN_DEVICES_FILE  while this file exists, the number in it
//                            instead, read at every call: keyboards that come and go
//     VARLO_MIDI_IN_OPEN_ERROR  non-zero: midiInOpen fails with this code
//     VARLO_MIDI_INPUT       the keyboard's script: each line appended to it, a
//                            packed short message in hex, comes as MM_MIM_DATA
#define _WINMM_  // these definitions are the exports, not imports
#include <windows.h>
#include <mmsystem.h>

#include "call_log.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {

CRITICAL_SECTION stateLock;  // the window thread and the game thread both call in
UINT deviceCount = 1;
MMRESULT openError = MMSYSERR_NOERROR;
wchar_t errorText[512] = L"MIDI output cannot be opened (test double)";
long sendsFailFrom = 0;
long sends = 0;
bool sendsFail = false;
UINT inputCount = 0;
wchar_t inputCountFile[MAX_PATH * 2] = L"";
MMRESULT inputOpenError = MMSYSERR_NOERROR;
wchar_t inputScript[MAX_PATH * 2] = L"";

// The open input, one at a time, used by the thread that opened it alone.
HMIDIIN input = nullptr;
HWND inputWindow = nullptr;
UINT_PTR inputTimer = 0;
bool inputStarted = false;
long scriptRead = 0;

// Handles given out by midiOutOpen and midiInOpen and not yet closed. A call on any other
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
    const long inputs = readNumber(L"VARLO_MIDI_IN_DEVICES", 0);
    inputCount = inputs < 0 ? 0 : UINT(inputs);
    sendsFailFrom = readNumber(L"VARLO_MIDI_SENDS_FAIL_FROM", 0);
    readSetting(L"VARLO_MIDI_IN_DEVICES_FILE", inputCountFile, MAX_PATH * 2);
    inputOpenError = MMRESULT(readNumber(L"VARLO_MIDI_IN_OPEN_ERROR", 0));
    readSetting(L"VARLO_MIDI_INPUT", inputScript, MAX_PATH * 2);
}

// Hands out a new handle; 0 when too many are open. Call with stateLock held.
uintptr_t newHandle() {
    for (uintptr_t& h : openHandles) {
        if (h == 0) return h = kHandleBase + ++handlesGiven;
    }
    return 0;
}

// The keyboard, every 5 ms on the opening thread: the lines added to the
// script since, posted to the window while the input is started, dropped while stopped.
void CALLBACK playScript(HWND, UINT, UINT_PTR, DWORD) {
    FILE* script = _wfopen(inputScript, L"rb");
    if (script == nullptr) return;
    std::fseek(script, scriptRead, SEEK_SET);
    char line[32];
    while (std::fgets(line, sizeof line, script) != nullptr && std::strchr(line, '\n') != nullptr) {
        scriptRead = std::ftell(script);
        if (!inputStarted) continue;
        const DWORD message = std::strtoul(line, nullptr, 16);
        char text[64];
        std::snprintf(text, sizeof text, "MM_MIM_DATA 0x%08lX", static_cast<unsigned long>(message));
        logCall(text);
        PostMessageW(inputWindow, MM_MIM_DATA, WPARAM(input), LPARAM(message));
    }
    std::fclose(script);
}

// Call with stateLock held.
bool isOpen(const void* handle) {
    for (uintptr_t h : openHandles)
        if (h != 0 && h == uintptr_t(handle)) return true;
    return false;
}

// The functions that take only a handle: a valid handle succeeds.
MMRESULT handleCall(const char* function, const void* handle, bool closes) {
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

// Start, stop and reset: whether the keyboard's messages come or are dropped.
MMRESULT inputCall(const char* function, HMIDIIN handle, bool started) {
    if (handle == input) inputStarted = started;
    return handleCall(function, handle, false);
}

// An open handle gets `failure`.
MMRESULT valueCall(const char* function, HMIDIOUT handle, DWORD value, MMRESULT failure = MMSYSERR_NOERROR) {
    EnterCriticalSection(&stateLock);
    const MMRESULT result = isOpen(handle) ? failure : MMSYSERR_INVALHANDLE;
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
    sendsFail = false;
    MMRESULT result = openError;
    if (handle == nullptr) {
        result = MMSYSERR_INVALPARAM;
    } else if (result == MMSYSERR_NOERROR) {
        *handle = HMIDIOUT(newHandle());
        if (*handle == nullptr) result = MMSYSERR_NOMEM;
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
    EnterCriticalSection(&stateLock);
    if (++sends == sendsFailFrom) sendsFail = true;
    const MMRESULT failure = sendsFail ? MMSYSERR_NODRIVER : MMSYSERR_NOERROR;
    LeaveCriticalSection(&stateLock);
    return valueCall("midiOutShortMsg", handle, message, failure);
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

UINT WINAPI midiInGetNumDevs(void) {
    UINT count = inputCount;
    if (FILE* file = inputCountFile[0] != L'\0' ? _wfopen(inputCountFile, L"rb") : nullptr) {
        if (std::fscanf(file, "%u", &count) != 1) count = inputCount;
        std::fclose(file);
    }
    char text[64];
    std::snprintf(text, sizeof text, "midiInGetNumDevs -> %u", count);
    logCall(text);
    return count;
}

MMRESULT WINAPI midiInOpen(LPHMIDIIN handle, UINT device, DWORD_PTR callback, DWORD_PTR, DWORD flags) {
    const MMRESULT result = inputOpenError;
    if (result == MMSYSERR_NOERROR) {
        EnterCriticalSection(&stateLock);
        input = *handle = HMIDIIN(newHandle());
        LeaveCriticalSection(&stateLock);
        inputWindow = HWND(callback);  // the log shows that flags say CALLBACK_WINDOW
        inputTimer = SetTimer(nullptr, 0, 5, playScript);
    }
    char text[96];
    std::snprintf(text, sizeof text, "midiInOpen %d 0x%08lX -> %u", int(device), static_cast<unsigned long>(flags),
                  unsigned(result));
    logCall(text);
    return result;
}

MMRESULT WINAPI midiInStart(HMIDIIN handle) { return inputCall("midiInStart", handle, true); }
MMRESULT WINAPI midiInStop(HMIDIIN handle) { return inputCall("midiInStop", handle, false); }
MMRESULT WINAPI midiInReset(HMIDIIN handle) { return inputCall("midiInReset", handle, false); }

MMRESULT WINAPI midiInClose(HMIDIIN handle) {
    if (handle == input && input != nullptr) {
        KillTimer(nullptr, inputTimer);
        input = nullptr;
    }
    return handleCall("midiInClose", handle, true);
}

MMRESULT WINAPI timeBeginPeriod(UINT period) { return periodCall("timeBeginPeriod", period); }

MMRESULT WINAPI timeEndPeriod(UINT period) { return periodCall("timeEndPeriod", period); }

}  // extern "C"
