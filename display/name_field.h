// The name field of the results screen: the name being typed, drawn after the
// prompt, and the text caret after it. The caret belongs to the UI thread; the
// game thread asks for it through the window's private messages, which the
// window procedure hands back here.
#ifndef VARLO_DISPLAY_NAME_FIELD_H
#define VARLO_DISPLAY_NAME_FIELD_H

#include <string>

#include "base/platform.h"
#include "records/persistent_block.h"

// The name being typed: at most 15 printable ASCII characters and a zero.
// Written by the UI thread during name entry only.
extern char pendingName[kNameBytes];
// Its length: the bytes before its zero, never more than 15.
int pendingNameLength();
// The typed name as the window shows it.
std::wstring pendingNameText();

// UI thread, at the window's creation: the window whose caret this is.
void attachNameField(Window window);
// UI thread: the typed name into the field, the caret after it, then presented.
void drawNameField(Window window);

// Makes the caret anew at the end of the typed name, while name entry lasts.
// From the game thread it returns once the UI thread has done so.
void showNameCaret(Window window);
// Hides and destroys the caret. Safe to call from either thread and when
// there is no caret.
void removeNameCaret();

// UI thread, for the window procedure: the caret after the typed name (on
// gaining the focus and for kPlaceCaretMessage in name entry), and its end.
void placeNameCaret(Window window);
void destroyNameCaret(Window window);

#endif
