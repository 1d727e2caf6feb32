// MIDI output through the Windows multimedia functions.
#include "game/midi_out_win.h"

#include <mmsystem.h>

#include "base/error_box.h"
#include "game/note_output.h"

namespace {
HMIDIOUT midiOut = nullptr;
}

UINT openMidiOutput() {
    const UINT device = midiOutGetNumDevs() > 0 ? 0 : MIDI_MAPPER;
    const MMRESULT result = midiOutOpen(&midiOut, device, 0, 0, CALLBACK_NULL);
    if (result != MMSYSERR_NOERROR) {
        midiOut = nullptr;
        return result;
    }
    midiOutReset(midiOut);
    midiOutSetVolume(midiOut, kFullVolume);
    midiOutShortMsg(midiOut, kProgramChangePiano);
    return 0;
}

void closeMidiOutput() {
    if (midiOut != nullptr) midiOutClose(midiOut);
    midiOut = nullptr;
}

void sendMidiMessage(uint32_t message) {
    midiOutShortMsg(midiOut, message);
}

void showMidiError(HWND owner, UINT code) {
    wchar_t text[MAXERRORLENGTH] = L"";
    midiOutGetErrorTextW(code, text, MAXERRORLENGTH);
    showError(owner, text);
}
