// The MIDI output device, open for the whole run and opened again when it fails.
#ifndef VARLO_GAME_MIDI_OUT_WIN_H
#define VARLO_GAME_MIDI_OUT_WIN_H

#include <windows.h>

// Opens device 0, or the MIDI mapper when there is no device, and prepares
// channel 1 for the piano. Returns the MIDI system's result code; 0 is success.
UINT openMidiOutput();
// Closes whatever is open; called after the game thread has ended.
void closeMidiOutput();
// Where kMidiFailureMessage goes: the main window, once it is made.
void reportMidiFailuresTo(HWND window);
// The MIDI system's own text for `code` in an error box.
void showMidiError(HWND owner, UINT code);

#endif
