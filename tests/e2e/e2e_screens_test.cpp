// The shows between games as the player meets them: the title dissolving in
// and the ranking sliding up, each held twelve seconds; a start that cuts the
// title's hold short; and a close during a show, which waits for its end.
#include <windows.h>

#include <string>
#include <vector>

#include "display/show_effects.h"
#include "e2e_fixture.h"
#include "records/persistent_block.h"
#include "resources/resource.h"
#include "screen_images.h"

namespace {

constexpr DWORD kShowTimeoutMs = 20000;  // a show begins at most a hold after the last
constexpr double kHoldMs = 12000;
// A shared machine may be slow to draw or to poll; the hold itself is never shorter.
constexpr double kHoldEarlyMs = 100, kHoldLateMs = 1500;

using images::firstHatchedRow;
using images::hatchedAt;

class Shows : public VarloTest {
protected:
    const driver::Capture title = images::titlePicture();

    void SetUp() override { ASSERT_EQ(title.width, 630) << "the title picture cannot be read from VARLO.EXE"; }

    bool titleWhole(const driver::Capture& c) const { return c.pixels == title.pixels; }
    // The dissolve's first frame lays the top-left tile, which the ranking covers with its hatch.
    bool titleBegun(const driver::Capture& c) const {
        return images::differences(c, 0, 0, tile(0, 0)) == 0 && !hatchedAt(c, 5, 5);
    }
    static bool rankingBegun(const driver::Capture& c) { return firstHatchedRow(c) < c.height; }
    static bool rankingWhole(const driver::Capture& c) { return firstHatchedRow(c) == 0; }

    // The title's 10 x 10 tile at (x, y).
    driver::Capture tile(int x, int y) const {
        driver::Capture part = images::black(10, 10);
        for (int row = 0; row < 10; ++row)
            for (int column = 0; column < 10; ++column) part.pixels[row * 10 + column] = title.at(x + column, y + row);
        return part;
    }

    // Waits for the screen and gives the time of the capture that showed it.
    template <class Pred> double timeOf(Pred pred, const char* what) {
        driver::Capture c;
        double at = 0;
        const bool seen = driver::waitFor([&] {
            const double begin = driver::nowMs();
            if (!driver::capture(program.window, c) || !pred(c)) return false;
            at = (begin + driver::nowMs()) / 2;
            return true;
        }, kShowTimeoutMs);
        EXPECT_TRUE(seen) << what << " did not show";
        return seen ? at : -1e9;
    }
};

TEST_F(Shows, LeftAloneTheTitleAndTheRankingAlternateEachHeldTwelveSeconds) {
    ASSERT_NE(launch(), nullptr);
    const double titleDrawn = timeOf([&](const driver::Capture& c) { return titleWhole(c); }, "the title");
    const double rankingBegins = timeOf(rankingBegun, "the ranking's slide");
    const double rankingDrawn = timeOf(rankingWhole, "the whole ranking");
    const double titleBegins = timeOf([&](const driver::Capture& c) { return titleBegun(c); }, "the next title");

    // The ranking's slide shows its first rows after one pause; the dissolve
    // its first tiles after one pause.
    EXPECT_GE(rankingBegins - titleDrawn, kHoldMs - kHoldEarlyMs);
    EXPECT_LE(rankingBegins - titleDrawn, kHoldMs + kHoldLateMs);
    EXPECT_GE(titleBegins - rankingDrawn, kHoldMs - kHoldEarlyMs);
    EXPECT_LE(titleBegins - rankingDrawn, kHoldMs + kHoldLateMs);
    // The slide itself: 31 frames 20 ms apart.
    EXPECT_GE(rankingDrawn - rankingBegins, 500.0);
    EXPECT_LE(rankingDrawn - rankingBegins, 1500.0);
    closeAndWait();
}

TEST_F(Shows, AStartDuringTheTitleHoldEndsItWithinASliceAndTheQuestionScreenFollows) {
    ASSERT_NE(launch(), nullptr);
    timeOf([&](const driver::Capture& c) { return titleWhole(c); }, "the title");
    const double chosen = driver::nowMs();
    driver::command(program.window, IDM_START);
    // The question screen is hatched along its left edge, below the keyboard.
    const double shown = timeOf([](const driver::Capture& c) { return hatchedAt(c, 2, 245) && hatchedAt(c, 2, 100); },
                                "the question screen");
    // A hold that missed the start would last twelve seconds; one slice and
    // the drawing of the question screen are allowed.
    EXPECT_LE(shown - chosen, 100.0 + 500.0);
    closeAndWait();
}

struct ClosedShow {
    const char* name;
    bool ranking;  // else the title
};

class ClosingDuringAShow : public Shows, public ::testing::WithParamInterface<ClosedShow> {};

// A show once begun runs to its end; then the game thread finds the close and
// ends without its hold.
TEST_P(ClosingDuringAShow, EndsTheProcessRightAfterTheShow) {
    ASSERT_NE(launch(), nullptr);
    if (GetParam().ranking) timeOf([&](const driver::Capture& c) { return titleWhole(c); }, "the title");

    // Frames still to come, judged from a capture taken while the show runs.
    int framesLeft = -1;
    driver::Capture c;
    ASSERT_TRUE(driver::waitForScreen(program.window, c, [&](const driver::Capture& s) {
        if (GetParam().ranking) {
            const int top = firstHatchedRow(s);
            if (top == 0 || top == s.height) return false;
            framesLeft = top * 30 / 250;  // the slide's offset falls by 250 / 30 rows a frame
            return true;
        }
        // The dissolve: the last frame of which a tile differs from black.
        if (titleWhole(s)) return false;
        int tileNumber = 0, lastFrame = -1;
        for (int frame = 0; frame < kDissolveFrames; ++frame) {
            for (int i = 0; i < kTilesPerFrame; ++i, tileNumber = nextTile(tileNumber)) {
                const CanvasPoint at = tileCorner(tileNumber);
                if (images::differences(s, at.x, at.y, tile(at.x, at.y)) == 0 &&
                    images::differences(s, at.x, at.y, images::black(kTileSize, kTileSize)) > 0)
                    lastFrame = frame;
            }
        }
        if (lastFrame < 0) return false;
        framesLeft = kDissolveFrames - 1 - lastFrame;
        return true;
    }, kShowTimeoutMs)) << GetParam().name << " did not begin";
    driver::close(program.window);
    long exitCode = -1;
    const long ms = millisecondsToExit(exitCode);
    EXPECT_EQ(exitCode, 0);
    ASSERT_GE(ms, 0) << "the process did not end";
    // At least the frames left, less two that may have passed since the
    // capture, at 15 ms or more each; then at most the process's own ending.
    EXPECT_GE(ms, (framesLeft - 2) * 15) << framesLeft << " frames were left";
    EXPECT_LE(ms, framesLeft * 20 + 2000) << framesLeft << " frames were left";
    PersistentBlock block{};
    EXPECT_TRUE(driver::readSavedBlock(savePath(), block));
}

INSTANTIATE_TEST_SUITE_P(Shows, ClosingDuringAShow,
                         ::testing::Values(ClosedShow{"the title dissolve", false}, ClosedShow{"the ranking slide", true}),
                         [](const ::testing::TestParamInfo<ClosedShow>& info) {
                             return std::string(info.param.ranking ? "RankingSlide" : "TitleDissolve");
                         });

}  // namespace
