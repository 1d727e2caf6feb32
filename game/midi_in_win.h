// The MIDI keyboard: input device 0, when there is one, opened at the start and
// again when devices come or go.
#ifndef VARLO_GAME_MIDI_IN_WIN_H
#define VARLO_GAME_MIDI_IN_WIN_H

#include <windows.h>

// Unless an input is open: opens input device 0, if the system has one, and
// starts it; its short messages come to `window` as MM_MIM_DATA. An input that
// cannot be opened or started is left out without a word; the mouse answers as
// always. The UI thread's alone, like the close.
void openMidiInput(HWND window);
// Stops, resets and closes the input, if one is open, also one whose device is
// gone; called when devices change and before the output is closed.
void closeMidiInput();

#endif
