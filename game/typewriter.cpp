// The typewriter: its pacing, and the canvas drawing each step.
#include "game/typewriter.h"

#include "display/canvas.h"
#include "display/pacer.h"
#include "display/palette.h"
#include "game/game_state.h"

namespace {

bool isHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The position after the character at `position`: a surrogate pair is one character.
const wchar_t* nextCharacter(const wchar_t* position) {
    if (*position == L'\0') return position;
    if (isHighSurrogate(position[0]) && isLowSurrogate(position[1])) return position + 2;
    return position + 1;
}

}  // namespace

bool typeText(Window window, const wchar_t* text) {
    // The colour stays the canvas's text colour afterwards, even for an empty text.
    setTextColour(kTypedTextColour);
    const int32_t stateAtStart = gameState.load();
    const wchar_t* position = text;
    Pacer pacer;
    while (*position != L'\0') {
        position = nextCharacter(position);
        drawTypedText(window, text, static_cast<int>(position - text));
        // The character just drawn ends its line when a newline follows.
        pacer.pause(*position == L'\n' ? kLineEndPauseMs : kCharacterPauseMs);
        const int32_t now = gameState.load();
        if (now != stateAtStart) return now != kStateQuit;
    }
    return true;
}
