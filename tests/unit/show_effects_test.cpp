// The shows' arithmetic: the title's tile order, the ranking's slide and its
// texts, and the celebration's balls.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "display/ranking_texts.h"
#include "display/show_effects.h"
#include "fake_world.h"
#include "game/game_state.h"

TEST(TitleDissolve, LaysEveryTileOnceStartingAtTheTopLeftAndScattering) {
    const int firstTiles[] = {0, 379, 758, 1137, 1516, 320};
    const CanvasPoint firstCorners[] = {{0, 0}, {10, 60}, {20, 120}, {30, 180}, {40, 240}, {50, 50}};
    int tile = 0;
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(tile, firstTiles[i]) << i;
        EXPECT_EQ(tileCorner(tile).x, firstCorners[i].x) << i;
        EXPECT_EQ(tileCorner(tile).y, firstCorners[i].y) << i;
        tile = nextTile(tile);
    }

    std::vector<int> laid(kTileCount, 0);
    tile = 0;
    for (int i = 0; i < kDissolveFrames * kTilesPerFrame; ++i) {
        ASSERT_GE(tile, 0);
        ASSERT_LT(tile, kTileCount);
        ++laid[tile];
        tile = nextTile(tile);
    }
    for (int t = 0; t < kTileCount; ++t) EXPECT_EQ(laid[t], 1) << "tile " << t;
    EXPECT_EQ(tile, 0);
    // The last tile of the grid sits in the canvas's bottom-right corner.
    EXPECT_EQ(tileCorner(kTileCount - 1).x, 620);
    EXPECT_EQ(tileCorner(kTileCount - 1).y, 240);
}

TEST(RankingSlide, RisesFromTheBottomEdgeInThirtyOneSteps) {
    const int offsets[kSlideFrames] = {250, 241, 233, 225, 216, 208, 200, 191, 183, 175, 166, 158, 150, 141, 133, 125,
                                       116, 108, 100, 91,  83,  75,  66,  58,  50,  41,  33,  25,  16,  8,   0};
    for (int frame = 0; frame < kSlideFrames; ++frame) EXPECT_EQ(slideOffset(frame), offsets[frame]) << frame;
}

TEST(RankingTexts, RowsAreSixthsOfThePanelAndDatesArePaddedToFixedWidths) {
    const int tops[] = {51, 88, 125, 161, 198}, bottoms[] = {87, 124, 161, 197, 234};
    for (int place = 1; place <= 5; ++place) {
        EXPECT_EQ(rankingRowTop(place), tops[place - 1]) << place;
        EXPECT_EQ(rankingRowBottom(place), bottoms[place - 1]) << place;
    }

    EXPECT_EQ(rankingDateText(RankingDate{2001, 1, 1, 1, 0, 0, 59, 999}), L"2001/01/01 00:00");
    EXPECT_EQ(rankingDateText(RankingDate{2026, 12, 2, 8, 21, 5, 9, 123}), L"2026/12/08 21:05");
    EXPECT_EQ(rankingDateText(RankingDate{987, 6, 0, 5, 4, 3, 0, 0}), L" 987/06/05 04:03");
    EXPECT_EQ(rankingDateText(RankingDate{7, 1, 0, 1, 0, 0, 0, 0}), L"   7/01/01 00:00");
    // Whatever a stored file holds is shown in full, not cut or misread.
    EXPECT_EQ(rankingDateText(RankingDate{65535, 65535, 0, 65535, 65535, 65535, 0, 0}),
              L"65535/65535/65535 65535:65535");
}

TEST(RankingTexts, NamesAreTheStoredBytesUpToTheirZeroAndAtMostFifteen) {
    RankingEntry entry{};
    entry.score = 2040;
    std::memcpy(entry.name, "Ann", 4);
    EXPECT_EQ(rankingNameText(entry), L"Ann");
    EXPECT_EQ(rankingScoreText(entry), L"2040");
    std::memset(entry.name, 'W', sizeof entry.name);  // no zero in its 16 bytes
    EXPECT_EQ(rankingNameText(entry), std::wstring(15, L'W'));
    entry.name[0] = '\0';
    EXPECT_EQ(rankingNameText(entry), L"");
    entry.score = 65535;
    EXPECT_EQ(rankingScoreText(entry), L"65535");
}

TEST(Celebration, BallsBounceOnTheFloorKeepingTwoThirdsOfTheirSpeed) {
    Ball ball{30900, 20000, 0, 1100, 0, 0, 0};
    moveBall(ball);
    EXPECT_EQ(ball.y, 20800);
    EXPECT_EQ(ball.vy, -733);  // 2 * 1100 / 3, rounded toward zero after the product

    // On the floor exactly: no bounce yet, gravity pulls on.
    ball = Ball{30900, 20600, 0, 200, 0, 0, 0};
    moveBall(ball);
    EXPECT_EQ(ball.y, 20800);
    EXPECT_EQ(ball.vy, 400);
    moveBall(ball);
    EXPECT_EQ(ball.y, 20800);
    EXPECT_EQ(ball.vy, -266);
    moveBall(ball);
    EXPECT_EQ(ball.y, 20534);
    EXPECT_EQ(ball.vy, -66);

    // Thrown upward it rises, slows by two pixels a frame and may leave the canvas.
    ball = Ball{30900, 11950, 0, -3200, 0, 0, 0};
    for (int frame = 0; frame < 8; ++frame) moveBall(ball);
    EXPECT_EQ(ball.y, 11950 - 8 * 3200 + 200 * (0 + 1 + 2 + 3 + 4 + 5 + 6 + 7));  // -8050
    EXPECT_EQ(ballCorner(ball).y, -80);  // truncated toward zero
    EXPECT_EQ(ball.vy, -3200 + 8 * 200);
}

TEST(Celebration, BallsTurnAtTheWallsWithoutBeingPulledBack) {
    Ball ball{5000, 10000, -1200, 0, 0, 0, 0};
    moveBall(ball);
    EXPECT_EQ(ball.x, 3800);
    EXPECT_EQ(ball.vx, 1200);
    EXPECT_EQ(ballCorner(ball).x, 38);
    moveBall(ball);
    EXPECT_EQ(ball.x, 5000);
    EXPECT_EQ(ball.vx, 1200);

    ball = Ball{58000, 10000, 1200, 0, 0, 0, 0};
    moveBall(ball);
    EXPECT_EQ(ball.x, 59200);
    EXPECT_EQ(ball.vx, -1200);
    // The walls themselves are inside.
    ball = Ball{4300, 10000, -100, 0, 0, 0, 0};
    moveBall(ball);
    EXPECT_EQ(ball.vx, -100);
    ball = Ball{58700, 10000, 100, 0, 0, 0, 0};
    moveBall(ball);
    EXPECT_EQ(ball.vx, 100);
}

TEST(Celebration, ThrowsFromTheCentreWithDrawsInAFixedOrder) {
    resetWorld();
    session.randomSeed = 1234;
    struct Expected {
        int32_t vx, vy;
        int red, green, blue;
    };
    // Computed by hand from the generator: speed, side, lift, red, green, blue.
    const Expected first[] = {{806, -718, 104, 118, 143}, {942, -2433, 223, 205, 61}, {1028, -700, 243, 186, 106},
                              {221, -2944, 150, 205, 55}, {-1001, -2705, 219, 205, 75}};
    for (int i = 0; i < 5; ++i) {
        const Ball ball = throwBall(session.randomSeed);
        EXPECT_EQ(ball.x, 30900) << i;
        EXPECT_EQ(ball.y, 11900) << i;
        EXPECT_EQ(ball.vx, first[i].vx) << i;
        EXPECT_EQ(ball.vy, first[i].vy) << i;
        EXPECT_EQ(ball.red, first[i].red) << i;
        EXPECT_EQ(ball.green, first[i].green) << i;
        EXPECT_EQ(ball.blue, first[i].blue) << i;
    }
    EXPECT_EQ(session.randomSeed, 10399364u);  // exactly six draws a ball
    EXPECT_EQ(ballCorner(Ball{30900, 11900, 0, 0, 0, 0, 0}).x, 309);
}
