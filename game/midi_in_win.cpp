// MIDI input through the Windows multimedia functions.
#include "game/midi_in_win.h"

#include <mmsystem.h>

#include "game/midi_input.h"

namespace {
HMIDIIN midiIn = nullptr;  // the UI thread's alone
}

void openMidiInput(HWND window) {
    if (midiIn != nullptr || midiInGetNumDevs() == 0) return;
    HMIDIIN input = nullptr;
    if (midiInOpen(&input, 0, reinterpret_cast<DWORD_PTR>(window), 0, CALLBACK_WINDOW) != MMSYSERR_NOERROR) return;
    if (midiInStart(input) != MMSYSERR_NOERROR) {
        midiInClose(input);
        return;
    }
    forgetMidiPedal();
    midiIn = input;
}

void closeMidiInput() {
    if (midiIn == nullptr) return;
    midiInStop(midiIn);
    midiInReset(midiIn);
    midiInClose(midiIn);
    midiIn = nullptr;
}
