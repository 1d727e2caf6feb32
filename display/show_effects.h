// The arithmetic of the three full-canvas shows: the order in which the title
// picture's tiles are laid, the rows from which the ranking slides up, and the
// balls thrown in the celebration. The drawing is done by the Win32 side.
#ifndef VARLO_DISPLAY_SHOW_EFFECTS_H
#define VARLO_DISPLAY_SHOW_EFFECTS_H

#include <cstdint>

#include "display/canvas.h"

// Every show presents a frame every this many milliseconds, pausing before or
// after each for what is left of that time once the frame is drawn.
constexpr int kShowFramePauseMs = 20;

// The title dissolve: the canvas cut into 63 x 25 tiles of 10 x 10 pixels,
// laid 25 at a time in 63 frames.
constexpr int kTileSize = 10;
constexpr int kTileColumns = kCanvasWidth / kTileSize;  // 63
constexpr int kTileCount = kTileColumns * (kCanvasHeight / kTileSize);  // 1575
constexpr int kDissolveFrames = 63;
constexpr int kTilesPerFrame = 25;

struct CanvasPoint {
    int x, y;
};

// Top-left corner of tile `tile`, numbered row by row from 0.
CanvasPoint tileCorner(int tile);
// The tile laid after `tile`. The stride has no divisor in common with the
// tile count, so 1575 steps from 0 visit every tile once.
int nextTile(int tile);

// The ranking slide: 31 frames, the new screen's top at the given row.
constexpr int kSlideFrames = 31;
// Row of the window where the canvas's top stands in frame 0..30: 250 down to 0.
int slideOffset(int frame);

// The celebration: 150 balls of 12 x 12 pixels for 80 frames. Positions and
// velocities are in hundredths of a pixel.
constexpr int kBallCount = 150;
constexpr int kBallSize = 12;
constexpr int kCelebrationFrames = 80;

struct Ball {
    int32_t x, y;    // top-left corner of its bounding box
    int32_t vx, vy;  // per frame; y grows downward
    uint8_t red, green, blue;
};

// A ball at the canvas's centre, thrown upward to a random side, in a random
// light colour; draws from the generator's `randomState` in this order: speed,
// side, lift, red, green, blue.
Ball throwBall(uint32_t& randomState);
// One frame's move: gravity, a bounce on the floor that keeps two thirds of
// the speed, and a turn at either side wall.
void moveBall(Ball& ball);
// Top-left corner of the ball's bounding box in pixels.
CanvasPoint ballCorner(const Ball& ball);

#endif
