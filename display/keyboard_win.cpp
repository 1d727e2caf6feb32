// The keyboard drawn with GDI: the pictures copied into the canvas, and the
// key fills made of regions.
#include <windows.h>

#include "display/canvas_win.h"
#include "display/keyboard.h"
#include "display/keyboard_layout.h"
#include "display/palette.h"

namespace {

// Copies columns 0..width-1 of picture `id` to each of the x positions at y = 0
// or y = 70. Reports false, having drawn nothing, when the picture or its
// device context cannot be made. The canvas is locked after loading, which
// may tell the player of a missing picture.
bool copyPicture(HWND window, int id, int width, int height, const int* xs, int count, int y) {
    const HBITMAP picture = loadPicture(window, static_cast<WORD>(id));
    if (picture == nullptr) return false;
    CanvasLock lock;
    const HDC pictureDc = CreateCompatibleDC(canvasDc);
    if (pictureDc == nullptr) {
        DeleteObject(picture);
        return false;
    }
    {
        const SelectedObject selected(pictureDc, picture);
        for (int i = 0; i < count; ++i) BitBlt(canvasDc, xs[i], y, width, height, pictureDc, 0, 0, SRCCOPY);
    }
    DeleteDC(pictureDc);
    DeleteObject(picture);
    return true;
}

HRGN regionOf(const KeyRect& r) {
    const RECT rect{r.left, r.top, r.right, r.bottom};
    return CreateRectRgnIndirect(&rect);
}

}  // namespace

Brush createSolidBrush(uint32_t colour) { return CreateSolidBrush(colour); }

Brush unmarkedKeyBrush(int black) { return static_cast<HBRUSH>(GetStockObject(black == 1 ? BLACK_BRUSH : WHITE_BRUSH)); }

void deleteBrush(Brush brush) {
    if (brush != nullptr) DeleteObject(brush);
}

bool drawKeyboard(Window window, Keyboard keyboard) {
    const KeyboardPlan plan = keyboardPlan(keyboard);
    if (!copyPicture(window, kMiddleCPicture, kMiddleCSize, kMiddleCSize, &plan.middleCX, 1, 0)) return false;
    if (!copyPicture(window, plan.octavePicture, plan.copyWidth, kKeyboardHeight, plan.copyX, plan.copyCount,
                     kKeyboardTop)) {
        return false;
    }
    return true;
}

void fillKey(const Key& key, Keyboard keyboard, Brush brush) {
    const KeyRegion inside = keyRegion(keyboard, key.octave, key.white, key.black);
    const HRGN region = regionOf(inside.area);
    for (int i = 0; i < inside.cutCount; ++i) {
        const HRGN cut = regionOf(inside.cuts[i]);
        CombineRgn(region, region, cut, RGN_DIFF);
        DeleteObject(cut);
    }
    {
        // The fill selects the brush into the canvas for its duration; the
        // game thread may be drawing there at the same time.
        CanvasLock lock;
        FillRgn(canvasDc, region, brush);
    }
    DeleteObject(region);
}

void drawKeyReach(Keyboard keyboard, int first, int last) {
    const KeyRect reach = keyReach(keyboard, first, last);
    const HBRUSH brush = CreateSolidBrush(kKeyReachColour);
    // One run of drawing: the other thread never sees the strip without its mark.
    CanvasLock lock;
    fillBackgroundArea(RECT{0, reach.top, kCanvasWidth, reach.bottom});
    const RECT line{reach.left, reach.top, reach.right, reach.bottom};
    if (brush == nullptr) return;  // the mark is left out
    FillRect(canvasDc, &line, brush);
    DeleteObject(brush);
}
