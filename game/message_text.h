// The game's current message as text for screen readers. Everything the game
// says is drawn into its picture; each message is also given to a text label
// of the window, which assistive technology reads and announces.
#ifndef VARLO_GAME_MESSAGE_TEXT_H
#define VARLO_GAME_MESSAGE_TEXT_H

#include <string>

#include "base/platform.h"

// Either thread: `text` becomes the current message, announced when it differs
// from the one before; an empty text clears it without a word. Returns at once:
// the UI thread puts it in the label.
void setMessageText(Window window, const std::wstring& text);

#endif
