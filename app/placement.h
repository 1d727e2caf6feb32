// Window placement arithmetic: centring a dialog over its owner and keeping a
// window inside the desktop's work area.
#ifndef VARLO_APP_PLACEMENT_H
#define VARLO_APP_PLACEMENT_H

#include <cstdint>

struct ScreenRect {
    int left, top, right, bottom;
};

// Top-left corner that centres a box of width x height over `owner`; halves
// are truncated toward zero.
void centreOver(const ScreenRect& owner, int width, int height, int& left, int& top);

// Moves the box's top-left corner inside `area`: the left and top edges first,
// then the right and bottom edges, which win when the area is too small.
void keepInside(const ScreenRect& area, int width, int height, int& left, int& top);

// Keeps a loaded window position on the desktop: a client area of the canvas's
// size at (left, top) is moved inside `workArea`, the right and bottom edges
// winning when the area is too small. Any stored value, however far off, is safe.
void keepWindowOnWorkArea(const ScreenRect& workArea, int32_t& left, int32_t& top);

#endif
