// The drawing routines, the pictures and the shows run many times leave the
// process with as many GDI objects as before. Wine reports no GDI count
// (GetGuiResources gives 0), so the count is measured as the room left:
// objects are made until the system refuses one, then deleted again. Every
// object leaked takes one place of that room, on Windows and under Wine alike.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "app/app_win.h"
#include "display/canvas_win.h"
#include "display/keyboard.h"
#include "display/screens.h"
#include "game/game_state.h"
#include "game/stage_rules.h"
#include "game/typewriter.h"
#include "resources/resource.h"
#include "tests/wine/canvas_pixels_win.h"
#include "tests/wine/recorded_calls_win.h"
#include "display/palette.h"

namespace {

constexpr int kDraws = 2000, kShows = 1000;

// How many more GDI objects the process may make now.
size_t gdiRoom() {
    std::vector<HBRUSH> made;
    for (;;) {
        const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        if (brush == nullptr) break;
        made.push_back(brush);
    }
    for (HBRUSH brush : made) DeleteObject(brush);
    return made.size();
}

class GdiLeaks : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        window = openTestCanvas(instance, L"GdiLeaksTestWindow");
        ASSERT_NE(window, nullptr);
    }
    static void TearDownTestSuite() { closeTestCanvas(window); }
    void SetUp() override {
        gameState = kStateWaitingAnswer;
        onPause = [] { pauses.clear(); };  // thousands of pauses need not be kept
        prepareCanvas(window);
    }
    void TearDown() override { onPause = nullptr; }

    static HWND window;
};
HWND GdiLeaks::window = nullptr;

TEST_F(GdiLeaks, TheRoomIsMeasuredExactly) {
    const size_t room = gdiRoom();
    ASSERT_GT(room, 1000u);
    EXPECT_EQ(gdiRoom(), room);
    const HBRUSH kept = CreateSolidBrush(RGB(4, 5, 6));
    EXPECT_EQ(gdiRoom(), room - 1) << "one object kept takes one place";
    DeleteObject(kept);
}

TEST_F(GdiLeaks, ThousandsOfDrawsAndPicturesLeaveTheRoomAsItWas) {
    const size_t before = gdiRoom();
    for (int i = 0; i < kDraws; ++i) {
        fillBackground(window);
        drawPanel({30, 30, 600, 220});
        setTextColour(kTypedTextColour);
        drawBoxedText(L"ステージ1", {20, 165, 100, 181});
        typeText(window, L"\n右");
        drawKeyboard(window, rulesOf(i % kStageCount).keyboard);
        const Brush brush = createSolidBrush(kMarkedKeyColour);
        fillKey(Key{0, 0, 0}, rulesOf(session.stageIndex).keyboard, brush);
        deleteBrush(brush);
        drawVerdict(L"正解！");
        const HBITMAP picture = loadPicture(window, IDP_TITLE);
        DeleteObject(picture);
        presentCanvas(window, 0, 0);
    }
    const size_t after = gdiRoom();
    std::printf("GDI room before %zu draws: %zu, after: %zu\n", size_t(kDraws), before, after);
    EXPECT_EQ(after, before);
}

TEST_F(GdiLeaks, TheShowsRunManyTimesLeaveTheRoomAsItWas) {
    const size_t before = gdiRoom();
    for (int i = 0; i < kShows; ++i) {
        showTitleScreen(window);
        showRankingScreen(window);
        playCelebration(window, session.randomSeed);
    }
    const size_t after = gdiRoom();
    std::printf("GDI room before %d runs of the three shows: %zu, after: %zu\n", kShows, before, after);
    EXPECT_EQ(after, before);
}

}  // namespace
