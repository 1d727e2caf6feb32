// The UI thread's side of the game: how the player's input turns into requests
// in GameState. Called from the window procedure.
#ifndef VARLO_GAME_INPUT_RULES_H
#define VARLO_GAME_INPUT_RULES_H

#include <cstdint>

#include "base/platform.h"

// Starts a new game at `stage` (0..7) unless one is about to present its next
// question (kStateNextQuestion) or an entered name is about to be stored
// (kStateNameEntered): records the request and stores kStateNextQuestion, whose
// step begins the game (beginRequestedGame). Ends name entry, removing its
// caret, if it was under way.
void startGame(int stage);

// Game thread, at the top of the question step: a start request that came
// since sets the stage and zeroes the counters (questions, misses, score,
// orders). Without one the running game goes on.
void beginRequestedGame();

// Left clicks go to key picking only while the player may answer
// (kStateWaitingAnswer or kStateHintDue).
bool acceptsKeyClicks();

// A left click at client coordinates (x, y) while the player may answer:
// toggles the mark of the key it hits, if that key lies in the stage's range,
// and stores kStateHintDue so that the hint line is retyped.
void pickKey(Window window, unsigned x, unsigned y);
// The same for the key that sounds `note` (a MIDI note number).
void pickNote(Window window, int note);

// Right click: replays the question while nothing is marked and replays are
// left, otherwise submits the marks for judging. Returns false outside
// kStateWaitingAnswer and kStateHintDue, where the click gets the system's
// default processing.
bool answerOrReplay();

// A short message from the MIDI keyboard, packed as the MIDI input gives it:
// status in bits 0-7, the data bytes in bits 8-15 and 16-23. A note-on with a
// velocity above 0, on any channel, is a left click on that note's key (while
// left clicks count); the sustain pedal going down (controller 64 from below
// 64 to 64 or above) is a right click. Everything else is ignored.
void takeMidiInput(Window window, uint32_t message);

// Typed characters and the focus caret belong to name entry (kStateNameEntry).
bool inNameEntry();

#endif
