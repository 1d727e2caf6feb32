// The pacing of the typewriter that writes instructions, hints and stage
// messages: a character at a time, a short pause after each and a long one
// at the end of a line, stopping as soon as GameState moves on.
#ifndef VARLO_DISPLAY_TYPEWRITER_H
#define VARLO_DISPLAY_TYPEWRITER_H

constexpr int kCharacterPauseMs = 100;
constexpr int kLineEndPauseMs = 1000;

// Draws and presents the first `length` UTF-16 units of `text`.
typedef void (*ShowTypedPrefix)(void* context, const wchar_t* text, int length);

// Types `text`: after each character, `show` with the text so far, then the
// pause. Returns 0 if GameState became 13 (the program is quitting), 1 if it
// changed to anything else or the text was typed to its end. An empty text
// shows nothing and returns 1 at once.
int typewrite(const wchar_t* text, ShowTypedPrefix show, void* context);

#endif
