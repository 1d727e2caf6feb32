// The off-screen canvas (630 x 250, the client area's size) and the drawing
// primitives every screen is built on. Called from the game thread, except
// where a function says otherwise.
#ifndef VARLO_DISPLAY_CANVAS_H
#define VARLO_DISPLAY_CANVAS_H

#include "game/platform.h"

constexpr int kCanvasWidth = 630;
constexpr int kCanvasHeight = 250;

// First content of the canvas when the game thread starts: transparent text
// background, all black, presented.
void prepareCanvas(Window window);

// Copies the canvas to the window at (x, y); 630 - x by 250 - y pixels from the canvas's origin.
void presentCanvas(Window window, int x, int y);

// Blackens the hint line, the message area below its first text line.
void clearHintLine();

// Types `text` into the message area a character at a time, presenting each.
// Returns 0 when typing stopped because the program is quitting, else 1.
int typeText(Window window, const wchar_t* text);

#endif
