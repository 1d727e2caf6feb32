// The MIDI keyboard: input device 0, when there is one, open for the whole run.
#ifndef VARLO_GAME_MIDI_IN_WIN_H
#define VARLO_GAME_MIDI_IN_WIN_H

#include <windows.h>

// Opens input device 0, if the system has one, and starts it: its short
// messages come to `window` as MM_MIM_DATA. An input that cannot be opened or
// started is left out without a word; the mouse answers as always.
void openMidiInput(HWND window);
// Stops, resets and closes the input; called before the output is closed.
void closeMidiInput();

#endif
