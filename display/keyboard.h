// The piano keyboard: drawing it, filling single keys, and key picking.
#ifndef VARLO_DISPLAY_KEYBOARD_H
#define VARLO_DISPLAY_KEYBOARD_H

#include <cstdint>

#include "base/platform.h"

// A GDI brush, as an opaque handle; the same type as HBRUSH.
struct HBRUSH__;
typedef HBRUSH__* Brush;

// Key colours, as COLORREF values (0x00BBGGRR).
constexpr uint32_t kMarkedKeyColour = 0x009966FF;  // RGB(255, 102, 153): marked by the player
constexpr uint32_t kAnswerKeyColour = 0x0066FF33;  // RGB(51, 255, 102): note of the question

// A new solid brush, deleted by the caller with deleteBrush; null when it cannot be made.
Brush createSolidBrush(uint32_t colour);
// The stock brush of an unmarked key: white, or black for a black key. Never deleted.
Brush unmarkedKeyBrush(int black);
void deleteBrush(Brush brush);

// Draws the middle-C picture and the stage's octaves into the canvas without
// presenting it. Returns 0 when a picture or a device context could not be
// made; what was drawn by then stays.
int drawKeyboard(Window window, int stageIndex);

// Fills the inside of one key in the canvas with `brush`, in the layout of the
// current stage. A black flag other than 1 means the white key. Either thread.
void fillKey(int octave, int white, int black, Brush brush);

// A left click at client coordinates (x, y) while the player may answer:
// toggles the mark of the key it hits, if that key lies in the stage's range,
// and stores GameState 7 so that the hint line is retyped. UI thread.
void pickKey(Window window, unsigned x, unsigned y);

#endif
