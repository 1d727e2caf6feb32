// Window placement arithmetic: centring a dialog over its owner, keeping a
// window inside its monitor's work area, and the workspace coordinates of a
// window's restored rectangle.
#ifndef VARLO_APP_PLACEMENT_H
#define VARLO_APP_PLACEMENT_H

#include <cstdint>

struct ScreenRect {
    int left, top, right, bottom;
};

// One monitor: its whole rectangle and its work area, the part of it that the
// taskbar and other application bars leave free.
struct MonitorAreas {
    ScreenRect monitor;
    ScreenRect work;
};

// Top-left corner that centres a box of width x height over `owner`; halves
// are truncated toward zero.
void centreOver(const ScreenRect& owner, int width, int height, int& left, int& top);

// Moves the box's top-left corner inside `area`: the left and top edges first,
// then the right and bottom edges, which win when the area is too small.
void keepInside(const ScreenRect& area, int width, int height, int& left, int& top);

// Keeps a loaded window position on the desktop: a client area of the canvas's
// size at (left, top) is moved inside `workArea`, the work area of the monitor
// nearest to that rectangle, the right and bottom edges winning when the area
// is too small. Any stored value, however far off, is safe.
void keepWindowOnWorkArea(const ScreenRect& workArea, int32_t& left, int32_t& top);

// The rectangle a client area of the canvas's size takes at a stored position,
// by which the monitor nearest to it is found; edges beyond the integer range
// stop at its end.
ScreenRect canvasRectAt(int32_t left, int32_t top);

// The restored rectangle that GetWindowPlacement gives is in workspace
// coordinates: screen coordinates less the room that application bars take at
// the left and top of the window's monitor. Turns its top-left corner back into
// screen coordinates, which the window's creation takes.
void workspaceToScreen(const MonitorAreas& monitor, int32_t& left, int32_t& top);

#endif
