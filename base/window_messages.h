// The main window's private messages, from WM_APP (0x8000) up: what the game
// thread and the MIDI output ask of the UI thread, which the window procedure answers.
#ifndef VARLO_BASE_WINDOW_MESSAGES_H
#define VARLO_BASE_WINDOW_MESSAGES_H

constexpr unsigned kFirstPrivateMessage = 0x8000;  // WM_APP

// Name entry's caret: removed (posted by the game thread), and made anew after
// the typed name (sent by showNameCaret).
constexpr unsigned kRemoveCaretMessage = kFirstPrivateMessage + 1;
constexpr unsigned kPlaceCaretMessage = kFirstPrivateMessage + 2;
// Write VARLO.DAT now (requestSave, from the game thread).
constexpr unsigned kSaveMessage = kFirstPrivateMessage + 3;
// The MIDI output fails: show the MIDI system's text for the code in wParam.
constexpr unsigned kMidiFailureMessage = kFirstPrivateMessage + 4;
// The game's current message has changed: the label takes the newest text
// (setMessageText, from either thread).
constexpr unsigned kMessageTextMessage = kFirstPrivateMessage + 5;
// A judged order for the history file (requestHistoryLine, from the game
// thread): lParam is a JudgedOrder the window procedure frees.
constexpr unsigned kHistoryMessage = kFirstPrivateMessage + 6;

#endif
