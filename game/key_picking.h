// Key picking: a left click, or a key played on a MIDI keyboard, marks or
// unmarks one key of the stage's range. UI thread.
#ifndef VARLO_GAME_KEY_PICKING_H
#define VARLO_GAME_KEY_PICKING_H

#include "base/platform.h"

// A left click at client coordinates (x, y) while the player may answer:
// toggles the mark of the key it hits, if that key lies in the stage's range,
// and stores kStateHintDue so that the hint line is retyped.
void pickKey(Window window, unsigned x, unsigned y);
// The same for the key that sounds `note` (a MIDI note number).
void pickNote(Window window, int note);

#endif
