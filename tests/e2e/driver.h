// The end-to-end driver: starts VARLO.EXE in a scratch folder under Wine, finds
// its window, sends it commands, clicks, keys and characters, reads its client
// pixels, its MIDI log and its message boxes, and checks what it leaves behind.
// Every wait polls with a generous timeout; nothing sleeps a fixed time.
#ifndef VARLO_TESTS_E2E_DRIVER_H
#define VARLO_TESTS_E2E_DRIVER_H

#include <windows.h>

#include "log_clock.h"

#include <cstdint>
#include <string>
#include <vector>

struct PersistentBlock;

namespace driver {

// Timeouts are generous: a shared CI machine may be slow, a correct program is fast.
constexpr DWORD kWindowTimeoutMs = 20000;
constexpr DWORD kDefaultTimeoutMs = 10000;

struct MidiSettings {
    int deviceCount = 1;          // what midiOutGetNumDevs reports
    unsigned openError = 0;       // non-zero: midiOutOpen fails with this code
    std::wstring errorText;       // what midiOutGetErrorTextW gives for it
    int inputCount = 0;           // what midiInGetNumDevs reports: no keyboard unless asked for
    unsigned inputOpenError = 0;  // non-zero: midiInOpen fails with this code
    int sendsFailFrom = 0;        // > 0: this midiOutShortMsg (from 1) and later ones fail until a midiOutOpen
};

// One call recorded by the MIDI double.
struct MidiCall {
    double ms = 0;                // QueryPerformanceCounter time in milliseconds
    std::string function;         // "midiOutShortMsg", "midiOutOpen", ...
    std::string args;             // the rest of the line, e.g. "0x007F3C90 -> 0", or "-> 1" without arguments
    uint32_t value = 0;           // the first argument parsed as a number (message, device, volume)
    uint32_t result = 0;          // what the call returned (MMRESULT, or the device count)
};

// One call recorded by the HTML Help double (HH_PRETRANSLATEMESSAGE is not recorded).
struct HelpCall {
    double ms = 0;
    std::string function;         // "HtmlHelpW", or "HtmlHelpA" if the program used the ANSI entry
    bool hasWindow = false;
    std::wstring file;            // file name part of the path, with any "::/topic" after it; empty when none
    unsigned command = 0;
    uintptr_t data = 0;           // for HH_INITIALIZE the cookie the double handed out (0x5A5A)
    bool callerHasImeContext = false;  // the calling window has an input method context
};

struct Program {
    std::wstring folder;          // scratch folder holding VARLO.EXE, the doubles and VARLO.DAT
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

// The built VARLO.EXE (from VARLO_EXE), as a Windows path.
std::wstring varloExePath();
// A fresh scratch folder named after the test, with VARLO.EXE (and VARLO.CHM when it
// lies beside it) and the doubles copied in; empty when that fails.
std::wstring makeScratchFolder(const std::wstring& testName);

// Starts VARLO.EXE from the folder; the MIDI double logs to folder\midi.log and
// the help double to folder\help.log. Both logs are emptied first, so after a
// restart they hold the new process's calls only; an earlier process of the
// same Program is ended first. Does not wait for the window. Call terminate()
// when done, also after a failed check, so nothing outlives the test.
bool start(Program& program, const MidiSettings& midi = {});
// Waits for the main window (class "VarloEarGame") of the program's process to
// be visible; nullptr on timeout or when the process ends first.
HWND waitForWindow(Program& program, DWORD timeoutMs = kWindowTimeoutMs);
// Waits for the process to end; returns its exit code, or -1 on timeout.
long waitForExit(Program& program, DWORD timeoutMs = kDefaultTimeoutMs);
// Ends the process if it still runs and closes its handles.
void terminate(Program& program);
// The first visible top-level window of the class that belongs to the process; nullptr when none.
HWND findWindow(DWORD processId, const wchar_t* className);

// Input, posted to the window as the system would deliver it.
void command(HWND window, int id);                     // WM_COMMAND from a menu
void leftClick(HWND window, int x, int y);
void rightClick(HWND window, int x, int y);
void key(HWND window, UINT virtualKey);                // WM_KEYDOWN + WM_KEYUP; F1 also brings WM_HELP
void keyDownUp(HWND window, UINT virtualKey);          // WM_KEYDOWN + WM_KEYUP only, as a menu's loop reads them
void sysKey(HWND window, UINT virtualKey);             // WM_SYSKEYDOWN + WM_SYSKEYUP (Alt held)
void typeChar(HWND window, wchar_t ch);                // WM_CHAR
// WM_KEYDOWN + WM_KEYUP of the key at a position, by its scan code (set 1),
// with the virtual key the keyboard layout gives it there.
void pressKey(HWND window, UINT scanCode);
void close(HWND window);                               // WM_CLOSE, as the close box
// Plays short MIDI messages on the keyboard of the MIDI double, in order.
void playMidi(const Program& program, const std::vector<uint32_t>& messages);
// Makes the MIDI double report `count` keyboards from now on and tells the
// window that devices have changed, as Windows does when one comes or goes.
void changeMidiKeyboards(const Program& program, int count);
constexpr uint32_t midiMessage(int status, int first, int second) {
    return uint32_t(status) | uint32_t(first) << 8 | uint32_t(second) << 16;
}
// The caret of the window's thread, when the window has one: its rectangle in client coordinates.
bool caretOf(HWND window, RECT& rect);

// Pixels of the client area, read through the screen (GetDC + BitBlt).
struct Capture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;                      // 0x00RRGGBB, top-down rows
    uint32_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};
bool capture(HWND window, Capture& out);
// Polls until pred(capture) holds; returns false on timeout.
template <class Pred> bool waitForPixels(HWND window, Pred pred, DWORD timeoutMs = kDefaultTimeoutMs);
// waitForPixels that keeps the last capture taken in `last`.
template <class Pred>
bool waitForScreen(HWND window, Capture& last, Pred pred, DWORD timeoutMs = kDefaultTimeoutMs);
constexpr uint32_t rgb(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }
// A colour of the game's palette (a COLORREF, 0x00BBGGRR) as a captured pixel.
constexpr uint32_t pixelOf(uint32_t colour) { return rgb(colour & 0xFF, colour >> 8 & 0xFF, colour >> 16 & 0xFF); }

// Logs of the doubles. The winmm.dll double's log holds the MIDI calls and the
// timer resolution requests; readMidiLog gives only the MIDI calls.
std::vector<MidiCall> readWinmmLog(const Program& program);
std::vector<MidiCall> readMidiLog(const Program& program);
std::vector<HelpCall> readHelpLog(const Program& program);
// Polls the MIDI log until pred(calls) holds.
template <class Pred> bool waitForMidi(const Program& program, Pred pred, DWORD timeoutMs = kDefaultTimeoutMs);

// Notes sounded together: a run of note-ons (status 0x90) and the note-offs
// (0x80) that follow it, up to the next note-on.
struct Sounding {
    std::vector<int> notes;       // in the order of their note-ons
    size_t firstOn = 0;           // index in the log of the first note-on
    size_t firstOff = 0;          // index of the first note-off; 0 while none came
    double onMs = 0, lastOnMs = 0;
    double offMs = 0, lastOffMs = 0;
    size_t offCount = 0;
    bool ended() const { return !notes.empty() && offCount == notes.size(); }
};
// The soundings of a MIDI log, in order.
std::vector<Sounding> soundings(const std::vector<MidiCall>& calls);
// The soundings of the program's MIDI log so far.
std::vector<Sounding> soundingsOf(const Program& program);
// Waits until sounding `index` (counted from 0) has ended; false on timeout.
bool waitForSoundingEnd(const Program& program, size_t index, DWORD timeoutMs);
// Right-clicks the window until sounding `index` begins. The game takes a
// right click only while it waits for the answer, so one may go unheard.
bool rightClickUntilSounding(const Program& program, size_t index, DWORD timeoutMs);
// The same with the sustain pedal of the MIDI keyboard, pressed and released.
bool pedalUntilSounding(const Program& program, size_t index, DWORD timeoutMs);
// Where a click marks the note's key at the stage: a black key in its middle,
// a white key below the black keys, where it is whole.
POINT keyPoint(int stageIndex, int note);
// Waits until sounding `question` (a question) has ended, marks its notes'
// keys (or, for a wrong answer, the key beside its first note) and confirms;
// true once the judging sound, the next sounding, has begun.
bool answerQuestion(const Program& program, size_t question, int stageIndex, bool right, DWORD timeoutMs);

// Message boxes (class "#32770") of the program's process.
// nullptr on timeout or when the process ends first.
HWND waitForMessageBox(const Program& program, DWORD timeoutMs = kDefaultTimeoutMs);
std::wstring windowText(HWND window);
// Non-empty texts of its children of the class: the message with "Static",
// the buttons with "Button".
std::vector<std::wstring> childTexts(HWND dialog, const wchar_t* childClass = L"Static");
void answer(HWND dialog, int buttonId);                // IDOK, IDCANCEL, IDYES, IDNO, ...
void dismiss(HWND dialog);                             // IDOK

// Files in the scratch folder.
std::wstring pathIn(const Program& program, const std::wstring& name);
bool readFile(const std::wstring& path, std::vector<uint8_t>& bytes);
bool writeFile(const std::wstring& path, const std::vector<uint8_t>& bytes);
// Reads the save file into `block`; false when it cannot be read or does not load whole.
bool readSavedBlock(const std::wstring& path, PersistentBlock& block);

// Waits, polling every few milliseconds, until pred() holds or the timeout passes.
template <class Pred> bool waitFor(Pred pred, DWORD timeoutMs = kDefaultTimeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (pred()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(5);
    }
}

template <class Pred> bool waitForPixels(HWND window, Pred pred, DWORD timeoutMs) {
    Capture c;
    return waitFor([&] { return capture(window, c) && pred(c); }, timeoutMs);
}

template <class Pred> bool waitForScreen(HWND window, Capture& last, Pred pred, DWORD timeoutMs) {
    return waitFor([&] { return capture(window, last) && pred(last); }, timeoutMs);
}

template <class Pred> bool waitForMidi(const Program& program, Pred pred, DWORD timeoutMs) {
    return waitFor([&] { return pred(readMidiLog(program)); }, timeoutMs);
}

using ::nowMs;                                         // QueryPerformanceCounter in milliseconds

}  // namespace driver

#endif
