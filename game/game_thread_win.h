// The game thread's lifetime, owned by the main window.
#ifndef VARLO_GAME_GAME_THREAD_WIN_H
#define VARLO_GAME_GAME_THREAD_WIN_H

#include <windows.h>

// Creates the game thread, which runs the state machine for `window`.
bool startGameThread(HWND window);
// Stores GameState 13 every 100 ms until the game thread has ended, handling
// messages sent to this thread meanwhile; does nothing when none was started.
void stopGameThread();

#endif
