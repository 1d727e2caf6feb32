// The MIDI keyboard's messages as the player's answers. UI thread.
#ifndef VARLO_GAME_MIDI_INPUT_H
#define VARLO_GAME_MIDI_INPUT_H

#include <cstdint>

#include "base/platform.h"

// A short message from the MIDI keyboard, packed as the MIDI input gives it:
// status in bits 0-7, the data bytes in bits 8-15 and 16-23. A note-on with a
// velocity above 0, on any channel, is a left click on that note's key (while
// left clicks count); the sustain pedal going down (controller 64 from below
// 64 to 64 or above) is a right click. Everything else is ignored.
void takeMidiInput(Window window, uint32_t message);
// A keyboard opened anew starts with its pedal up, whatever the last one
// held when it was closed or unplugged.
void forgetMidiPedal();

#endif
