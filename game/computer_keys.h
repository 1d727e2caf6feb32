// The computer keyboard as a piano: its keys read by position, so that every
// national layout plays the same notes. The home row from A to the key right of
// L plays the white keys C D E F G A B C D E F of a window of the keyboard, the
// row above (W E, T Y U, O P) the black keys between them; Z and X move the
// window an octave down and up within the stage's range. Space and Enter do
// what a right click does.
#ifndef VARLO_GAME_COMPUTER_KEYS_H
#define VARLO_GAME_COMPUTER_KEYS_H

#include <cstdint>

#include "base/platform.h"

// Scan codes of set 1: the positions of the keys whatever their letters.
constexpr unsigned kHomeRowFirst = 0x1E, kHomeRowLast = 0x28;    // A .. the second key right of L
constexpr unsigned kUpperRowFirst = 0x11, kUpperRowLast = 0x19;  // W .. P, each up and right of a home key
constexpr unsigned kOctaveDownKey = 0x2C, kOctaveUpKey = 0x2D;   // Z, X
constexpr unsigned kSpaceKey = 0x39, kEnterKey = 0x1C;           // the keypad's Enter too, an extended 0x1C

// The semitones above the window's first note that the key with this scan code
// (set 1) plays, or -1 for a key that plays none.
int computerKeyOffset(unsigned scanCode);

// UI thread, a key pressed, with the key data of its WM_KEYDOWN (scan code in
// bits 16-23, extended key in bit 24, already down in bit 30). While the player
// may answer, a key of the layout marks or unmarks its note as a left click
// does, and Space or Enter answers or replays as a right click does; a key held
// down plays once. Returns false for every other key, and outside answering,
// so that the system handles it.
bool takeComputerKey(Window window, uint32_t keyData);

// Game thread, once a question's keyboard is drawn: when the stage begins the
// window goes back to the lowest C of its range; once the computer keyboard has
// been used in this run, the keys the window reaches are marked under the
// keyboard (the screen stays as it is until then). Draws without presenting.
void placeComputerKeys(bool stageBegins);

// The first note of the window, the lowest C of the range moved by the octaves
// the player asked for.
int computerKeysFirstNote();

#endif
