// The canvas's device context and bitmap, and the fonts drawn into it.
#ifndef VARLO_DISPLAY_CANVAS_WIN_H
#define VARLO_DISPLAY_CANVAS_WIN_H

#include <windows.h>

#include "display/canvas.h"

extern HDC canvasDc;         // memory device context holding the 630 x 250 bitmap
extern HBITMAP canvasBitmap;
extern HFONT uiFont;         // 16-pixel font of all small texts, made at start-up

constexpr int kUiFontHeight = 16;

// Decodes picture resource `id` into a bitmap compatible with the canvas, owned
// by the caller. A missing resource is reported to the player; a picture that
// does not decode gives null silently.
HBITMAP loadPicture(HWND window, WORD id);

// A font with the parameters of uiFont and another height. The caller deletes it.
HFONT createGameFont(int height);

// Makes the canvas compatible with the window's display. Reports a failure
// itself and returns false; what was made is released by destroyCanvas.
bool createCanvas(HWND window);
// Deletes the device context, then the bitmap that was selected in it.
void destroyCanvas();

#endif
