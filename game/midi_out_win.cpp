// MIDI output through the Windows multimedia functions.
#include "game/midi_out_win.h"

#include <mmsystem.h>

#include <atomic>

#include "base/error_box.h"
#include "base/window_messages.h"
#include "game/note_output.h"

namespace {

// Both threads send and may reopen, never at the same time (see playQuestion);
// the close at the end runs after the game thread has ended.
std::atomic<HMIDIOUT> midiOut{nullptr};
std::atomic<HWND> failureWindow{nullptr};

}  // namespace

UINT openMidiOutput() {
    const UINT device = midiOutGetNumDevs() > 0 ? 0 : MIDI_MAPPER;
    HMIDIOUT opened = nullptr;
    const MMRESULT result = midiOutOpen(&opened, device, 0, 0, CALLBACK_NULL);
    if (result != MMSYSERR_NOERROR) return result;
    midiOutReset(opened);
    midiOutSetVolume(opened, kFullVolume);
    midiOutShortMsg(opened, kProgramChangePiano);
    // Stored only where none is: a second opening never leaves a handle unclosed.
    HMIDIOUT none = nullptr;
    if (!midiOut.compare_exchange_strong(none, opened)) midiOutClose(opened);
    return MMSYSERR_NOERROR;
}

void closeMidiOutput() {
    if (const HMIDIOUT out = midiOut.exchange(nullptr)) midiOutClose(out);
}

unsigned reopenMidiOutput() {
    closeMidiOutput();  // the device may be gone: its result says nothing
    return openMidiOutput();
}

unsigned sendMidiMessage(uint32_t message) {
    const HMIDIOUT out = midiOut.load();
    return out != nullptr ? midiOutShortMsg(out, message) : MMSYSERR_INVALHANDLE;
}

void reportMidiFailuresTo(HWND window) {
    failureWindow = window;
}

// The box is the UI thread's: a failing game thread goes on at once, and a
// session's end or a close never waits on a box that thread would hold.
void reportMidiFailure(unsigned code) {
    if (const HWND window = failureWindow.load()) PostMessageW(window, kMidiFailureMessage, code, 0);
}

void showMidiError(HWND owner, UINT code) {
    wchar_t text[MAXERRORLENGTH] = L"";
    midiOutGetErrorTextW(code, text, MAXERRORLENGTH);
    showError(owner, text);
}
