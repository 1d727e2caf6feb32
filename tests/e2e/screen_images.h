// Expected pictures for the end-to-end tests: texts drawn here with the
// program's fonts and flags, compared with the window pixel for pixel. Under
// one Wine both processes draw them alike.
#ifndef VARLO_TESTS_E2E_SCREEN_IMAGES_H
#define VARLO_TESTS_E2E_SCREEN_IMAGES_H

#include <windows.h>

#include <string>

#include "driver.h"

namespace images {

// The program's font at a height: 16 for small texts, 40 for the results, 98 for verdicts.
HFONT createGameFont(int height);

// An all-black picture.
driver::Capture black(int width, int height);

// `base` with draw(dc) done over it, on a 32-bit bitmap with a transparent text
// background. The DC's font is the system's standing font until draw selects another.
driver::Capture drawnOver(const driver::Capture& base, void (*draw)(HDC, const void*), const void* context);
template <class Draw> driver::Capture drawnOver(const driver::Capture& base, Draw draw) {
    return drawnOver(base, [](HDC dc, const void* f) { (*static_cast<const Draw*>(f))(dc); }, &draw);
}

// DrawTextW of `text` in the game font of that height, or in the DC's own font for height 0.
void drawText(HDC dc, int fontHeight, COLORREF colour, const std::wstring& text, RECT rect, UINT flags);

// The title picture as VARLO.EXE carries it, decoded; empty when it cannot be read.
driver::Capture titlePicture();

// Whether the pixel is one of the hatched background's two colours.
bool hatchedAt(const driver::Capture& screen, int x, int y);
// The first row showing the hatched background at the left edge, where the
// title picture is black: the top of a sliding ranking screen, or of a
// question screen. The height when there is none.
int firstHatchedRow(const driver::Capture& screen);

// A frame of the celebration: the panel (30..600, 30..220) almost all black,
// with balls of many colours on it, every channel of which is 55 or more and
// below 255 (text, smoothed against black, has darker edges).
bool celebrating(const driver::Capture& screen);
// The results: their title in pink on the same panel (no ball has so little green).
bool resultsTitled(const driver::Capture& screen);

// Copies `part` into `screen` with its top left at (left, top).
void place(driver::Capture& screen, int left, int top, const driver::Capture& part);

// Pixels of `part`, from row `firstRow` on, that differ from the screen at (left, top).
int differences(const driver::Capture& screen, int left, int top, const driver::Capture& part, int firstRow = 0);

}  // namespace images

#endif
