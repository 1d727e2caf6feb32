// The off-screen canvas (630 x 250, the client area's size) and the drawing
// primitives every screen is built on. Called from the game thread, except
// where a function says otherwise.
#ifndef VARLO_DISPLAY_CANVAS_H
#define VARLO_DISPLAY_CANVAS_H

#include <cstdint>

#include "base/platform.h"
#include "display/layout.h"

// First content of the canvas when the game thread starts: transparent text
// background, all black, presented.
void prepareCanvas(Window window);

// Copies the canvas to the window at (x, y); 630 - x by 250 - y pixels from the canvas's origin.
void presentCanvas(Window window, int x, int y);

// The hatched background over the whole canvas. Returns false, with the canvas
// untouched, when its brush cannot be made (the player is told).
bool fillBackground(Window window);

// A black panel with rounded corners reaching 8 pixels beyond the content
// rectangle on every side.
void drawPanel(const CanvasRect& content);

// A panel with one line of text centred in it, in the small font and the
// text colour the caller set.
void drawBoxedText(const wchar_t* text, const CanvasRect& box);

// Sets the colour of the texts drawn next (a COLORREF, 0x00BBGGRR).
void setTextColour(uint32_t colour);

// The large verdict of an answer over the keyboard: the area behind it dimmed,
// then the text with its shadow.
void drawVerdict(const wchar_t* text);

// Blackens the hint line, the message area below its first text line.
void clearHintLine();

// Draws the first `length` UTF-16 units of `text` into the message area in the
// typed colour, over the rows of its lines cleared to black, and presents the
// canvas; one step of the typewriter.
void drawTypedText(Window window, const wchar_t* text, int length);

#endif
