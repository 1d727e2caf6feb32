// The typewriter that writes instructions, hints and stage messages into the
// message area: a character at a time, a short pause after each and a long one
// at the end of a line, stopping as soon as GameState moves on.
#ifndef VARLO_GAME_TYPEWRITER_H
#define VARLO_GAME_TYPEWRITER_H

#include "base/platform.h"

constexpr int kCharacterPauseMs = 100;
constexpr int kLineEndPauseMs = 1000;

// Game thread: sets the typed text colour, then after each character draws
// and presents the text so far (drawTypedText), then pauses. Returns false if
// GameState became kStateQuit (the program is quitting), true if it changed to
// anything else or the text was typed to its end. An empty text shows nothing
// and returns true at once.
bool typeText(Window window, const wchar_t* text);

#endif
