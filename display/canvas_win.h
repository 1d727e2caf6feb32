// The canvas's device context and bitmap, and the fonts drawn into it.
#ifndef VARLO_DISPLAY_CANVAS_WIN_H
#define VARLO_DISPLAY_CANVAS_WIN_H

#include <windows.h>

#include "display/canvas.h"

extern HDC canvasDc;         // memory device context holding the 630 x 250 bitmap
extern HBITMAP canvasBitmap;
extern HFONT uiFont;         // 16-pixel font of all small texts, made at start-up

constexpr int kUiFontHeight = 16;

// Two threads draw into the one canvas: the game thread almost everything, the
// UI thread the player's marks, the typed name and the window's repaint.
// Drawing selects brushes, fonts and colours into the shared device context;
// a call made while the other thread is in the middle of its own drawing
// paints with that thread's objects, or fails. Every run of drawing calls on
// canvasDc, every copy of it to the window included, therefore holds this
// lock while it lives. It is held for the drawing only: never across a pause,
// a sent message, an error box or a wait for a thread, so neither thread ever
// waits for the other while holding it. The thread that holds it may take it
// again, so a locked drawer may call another.
class CanvasLock {
public:
    CanvasLock();
    ~CanvasLock();
    CanvasLock(const CanvasLock&) = delete;
    CanvasLock& operator=(const CanvasLock&) = delete;
};

// Selects `object` into `dc` for the guard's life, then selects back what was
// there before, so that no drawing leaves its pen, brush, font or bitmap in a
// device context another drawing may delete it from. A null object selects
// nothing. Declared after the objects it selects, so it ends before they are deleted.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous_ != nullptr) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A canvas rectangle as GDI takes it.
inline RECT rectOf(const CanvasRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// Decodes picture resource `id` into a bitmap compatible with the canvas, owned
// by the caller. A missing resource is reported to the player; a picture that
// does not decode gives null silently.
HBITMAP loadPicture(HWND window, WORD id);

// The hatched background over `area` of the canvas; false, with the canvas
// untouched, when its brush cannot be made.
bool fillBackgroundArea(const RECT& area);

// A font with the parameters of uiFont and another height. The caller deletes it.
HFONT createGameFont(int height);

// Makes the canvas compatible with the window's display. Reports a failure
// itself and returns false; what was made is released by destroyCanvas.
bool createCanvas(HWND window);
// Deletes the device context, then the bitmap that was selected in it.
void destroyCanvas();

#endif
