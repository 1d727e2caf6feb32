// The message label: a text control of the main window that holds the game's
// current message (message_text.h) for screen readers. UI thread.
#ifndef VARLO_GAME_MESSAGE_TEXT_WIN_H
#define VARLO_GAME_MESSAGE_TEXT_WIN_H

#include <windows.h>

// At the window's creation. A label that cannot be made leaves the game as it
// is, only without its text.
void createMessageLabel(HWND window);
// For kMessageTextMessage: the newest text into the label, announced.
void showMessageText();
// At the window's destruction, before its children go.
void releaseMessageLabel();

#endif
