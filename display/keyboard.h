// The piano keyboard: drawing it and filling single keys.
#ifndef VARLO_DISPLAY_KEYBOARD_H
#define VARLO_DISPLAY_KEYBOARD_H

#include <cstdint>

#include "base/platform.h"
#include "display/keyboard_layout.h"

// A GDI brush, as an opaque handle; the same type as HBRUSH.
struct HBRUSH__;
typedef HBRUSH__* Brush;

// A new solid brush, deleted by the caller with deleteBrush; null when it cannot be made.
Brush createSolidBrush(uint32_t colour);
// The stock brush of an unmarked key: white, or black for a black key. Never deleted.
Brush unmarkedKeyBrush(int black);
void deleteBrush(Brush brush);

// Draws the middle-C picture and the keyboard's octaves into the canvas
// without presenting it. Returns false when a picture or a device context
// could not be made; what was drawn by then stays.
bool drawKeyboard(Window window, Keyboard keyboard);

// Fills the inside of `key` in the canvas with `brush`, in the keyboard's
// layout. A black flag other than 1 means the white key. Either thread.
void fillKey(const Key& key, Keyboard keyboard, Brush brush);

// The strip under the keyboard back to the background, then the mark of the
// keys from note `first` to note `last` (keyReach) in it. Either thread; the
// caller presents.
void drawKeyReach(Keyboard keyboard, int first, int last);

#endif
