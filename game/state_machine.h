// The game thread's state machine: the step of each GameState, the successor
// it stores, and the sliced wait after it.
#ifndef VARLO_GAME_STATE_MACHINE_H
#define VARLO_GAME_STATE_MACHINE_H

#include <cstdint>

#include "base/platform.h"

constexpr int kWaitSliceMs = 100;      // a change of GameState is noticed within one slice
constexpr int kScreenHoldMs = 12000;   // title and ranking screens, left alone
constexpr int kResultsHoldMs = 7000;
constexpr int kVerdictHoldMs = 1500;   // after a judged answer and a cleared stage
constexpr int kShortWaitMs = 200;
constexpr int kCelebrationWaitMs = 100;

extern const wchar_t kHintConfirm[];   // typed while a key is marked or the replays are used up
extern const wchar_t kHintReplay[];

// Performs the step of `state`, read from GameState just before, and returns
// the wait in milliseconds that follows it.
int runStep(Window window, int32_t state);

// Waits `ms` in slices of 100 ms, each ending on schedule from the wait's
// start; stops after the slice in which GameState came to differ from the value
// it held when the wait began.
void slicedWait(int ms);

// The window is closing: stores kStateQuit, except over a name that has
// been entered but not yet stored (kStateNameEntered), which the game thread commits first,
// within one slice. Called again and again until the game thread has ended.
void requestQuit();

// The game thread's whole life: the canvas's first content, then step and wait
// until GameState is kStateQuit.
void runGameLoop(Window window);

#endif
