// The shows' arithmetic.
#include "display/show_effects.h"

#include "base/random.h"

namespace {

constexpr int kTileStride = 3529;

constexpr int32_t kBallStartX = 30900, kBallStartY = 11900;  // the box centred on (315, 125)
constexpr int32_t kFloorY = 20800;                            // the box's bottom on y 220
constexpr int32_t kLeftWallX = 4200, kRightWallX = 58800;
constexpr int32_t kGravity = 200;

}  // namespace

CanvasPoint tileCorner(int tile) {
    return CanvasPoint{kTileSize * (tile % kTileColumns), kTileSize * (tile / kTileColumns)};
}

int nextTile(int tile) { return (tile + kTileStride) % kTileCount; }

int slideOffset(int frame) {
    const int fromBottom = kSlideFrames - 1 - frame;
    return fromBottom * kCanvasHeight / (kSlideFrames - 1);
}

Ball throwBall(uint32_t& randomState) {
    Ball ball{};
    const int32_t speed = nextRandom(randomState, 1200) + 1;
    ball.vx = speed * (2 * nextRandom(randomState, 2) - 1);
    ball.vy = -(nextRandom(randomState, 3200) + 1);
    ball.x = kBallStartX;
    ball.y = kBallStartY;
    ball.red = static_cast<uint8_t>(nextRandom(randomState, 200) + 55);
    ball.green = static_cast<uint8_t>(nextRandom(randomState, 200) + 55);
    ball.blue = static_cast<uint8_t>(nextRandom(randomState, 200) + 55);
    return ball;
}

void moveBall(Ball& ball) {
    ball.x += ball.vx;
    ball.y += ball.vy;
    if (ball.y > kFloorY) {
        ball.vy = 2 * ball.vy / -3;
        ball.y = kFloorY;
    } else {
        ball.vy += kGravity;
    }
    // The ball turns but is not pulled back: it stands beyond the wall for a frame.
    if (ball.x < kLeftWallX || ball.x > kRightWallX) ball.vx = -ball.vx;
}

CanvasPoint ballCorner(const Ball& ball) { return CanvasPoint{ball.x / 100, ball.y / 100}; }
