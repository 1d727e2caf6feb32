#include "display/pacer.h"

#include <gtest/gtest.h>

#include "game/game_state.h"
#include "game/state_machine.h"
#include "tests/unit/fake_world.h"

namespace {

// Time spent between pauses, as drawing a frame would take it.
void work(long long ms) { world.clockMs += ms; }

TEST(Pacer, TakesTheWorkOutOfTheNextPauseAndNeverPausesLonger) {
    resetWorld();
    Pacer pacer;
    pacer.pause(20);  // nothing drawn: the whole pause
    work(5);
    pacer.pause(20);  // ends at 40
    work(20);
    pacer.pause(20);  // the frame ended exactly at 60: no pause
    work(35);
    pacer.pause(20);  // late, at 95: the next frame at once
    pacer.pause(20);  // back on schedule at 100
    pacer.pause(20);
    EXPECT_EQ(world.pauses(), (std::vector<int>{20, 15, 5, 20}));
    EXPECT_EQ(world.clockMs, 120);
}

TEST(Pacer, AWaitMakesUpForAnOverlongSliceAndStillStopsWithinOne) {
    resetWorld();
    gameState = kStateWaitingAnswer;
    world.timeline.emplace(100, [] { work(130); });  // the first slice wakes at 230
    slicedWait(1000);
    EXPECT_EQ(world.clockMs, 1000);
    EXPECT_EQ(world.pauses().size(), 9u);  // the second slice was already over

    world.timeline.emplace(1250, [] { gameState = kStateHintDue; });
    slicedWait(1000);
    EXPECT_EQ(world.clockMs, 1300);
}

}  // namespace
