// The game thread's lifetime, owned by the main window.
#ifndef VARLO_GAME_GAME_THREAD_WIN_H
#define VARLO_GAME_GAME_THREAD_WIN_H

#include <windows.h>

// Creates the game thread, which runs the state machine for `window`.
bool startGameThread(HWND window);
// Asks the game thread to quit every 100 ms until it has ended, handling
// messages sent to this thread meanwhile; does nothing when none was started
// or it has been stopped. A message handled in the wait may call it again: the
// inner call stops the thread and the outer one then returns at once.
// A name just entered is stored in the table before the thread ends.
void stopGameThread();

#endif
