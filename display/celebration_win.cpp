// The celebration after the eighth stage: coloured balls thrown from the
// centre of a black panel, bouncing on its floor and off its sides.
#include <windows.h>

#include <array>

#include "display/canvas_win.h"
#include "display/pacer.h"
#include "display/screens.h"
#include "display/show_effects.h"

void playCelebration(Window window, uint32_t& randomState) {
    std::array<Ball, kBallCount> balls;
    std::array<HBRUSH, kBallCount> brushes;
    for (int i = 0; i < kBallCount; ++i) {
        balls[i] = throwBall(randomState);
        brushes[i] = CreateSolidBrush(RGB(balls[i].red, balls[i].green, balls[i].blue));
    }

    Pacer pacer;
    for (int frame = 0; frame < kCelebrationFrames; ++frame) {
        // The background reports a missing brush itself, outside the lock.
        fillBackground(window);
        {
            // The rest of the frame is drawn and presented under the canvas's
            // lock, which the pause leaves free; the canvas's brush is given
            // back after each ball.
            CanvasLock lock;
            drawPanel(kResultsPanel);
            // Each ball is drawn where it stands, then moved for the next frame.
            for (int i = 0; i < kBallCount; ++i) {
                const SelectedObject brush(canvasDc, brushes[i]);
                const CanvasPoint at = ballCorner(balls[i]);
                Ellipse(canvasDc, at.x, at.y, at.x + kBallSize, at.y + kBallSize);
                moveBall(balls[i]);
            }
            presentCanvas(window, 0, 0);
        }
        pacer.pause(kShowFramePauseMs);
    }
    for (HBRUSH brush : brushes) {
        if (brush != nullptr) DeleteObject(brush);
    }
}
