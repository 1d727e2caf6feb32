// Closing the window at random moments of every part of the program: the
// title and the ranking, a question being typed and sounded, a replay, a
// judgement, the results and name entry, a cleared last stage and its
// celebration. The process always ends, within the time the step under way
// and an animation already begun may take, and leaves a VARLO.DAT whose block
// expands to its 212 bytes with a table inside its bounds.
// VARLO_STRESS_ROUNDS sets the closes of all kinds together (make fuzz tries many).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "e2e_fixture.h"
#include "records/block_codec.h"
#include "records/persistent_block.h"
#include "resources/resource.h"
#include "screen_images.h"

namespace {

constexpr DWORD kQuestionTimeoutMs = 30000;
// The longest a close may wait: a question's work (typing, its lead-in and its
// two seconds of sound) or a judgement's sound and hold, an animation, then
// the process's own ending, with room for a slow machine.
constexpr long kExitBoundMs = 6000;

enum class Stretch { title, ranking, question, replay, judging, results, celebration };

struct StressKind {
    const char* name;
    Stretch stretch;
    int closeWithinMs;   // the close comes at a random moment this long after the stretch begins
    int testRounds;      // rounds in make test
    int stressPercent;   // rounds in make fuzz, as a share of VARLO_STRESS_ROUNDS closes in all
};

int roundsOf(const StressKind& kind) {
    const int stress = stressRounds();
    if (stress == 0) return kind.testRounds;
    return std::max(1, stress * kind.stressPercent / 100);
}

class ShutdownStress : public VarloTest, public ::testing::WithParamInterface<StressKind> {
protected:
    // Brings the running program to the beginning of the stretch.
    void reach(Stretch stretch) {
        switch (stretch) {
        case Stretch::title:  // the dissolve's first tiles
            ASSERT_TRUE(driver::waitForPixels(program.window, [](const driver::Capture& c) {
                return std::any_of(c.pixels.begin(), c.pixels.end(), [](uint32_t pixel) { return pixel != 0; });
            }, 20000)) << "the title did not come";
            return;
        case Stretch::ranking:
            ASSERT_TRUE(driver::waitForPixels(program.window, [](const driver::Capture& c) {
                return images::firstHatchedRow(c) < c.height;
            }, 20000)) << "the ranking did not come";
            return;
        case Stretch::question: driver::key(program.window, VK_F2); return;
        case Stretch::replay:
            driver::key(program.window, VK_F2);
            ASSERT_TRUE(driver::waitForSoundingEnd(program, 0, kQuestionTimeoutMs));
            ASSERT_TRUE(driver::rightClickUntilSounding(program, 1, kQuestionTimeoutMs));
            return;
        case Stretch::judging:
            driver::key(program.window, VK_F2);
            ASSERT_TRUE(driver::answerQuestion(program, 0, 0, true, kQuestionTimeoutMs));
            return;
        case Stretch::results:  // four misses end the game; the empty table takes it in
            driver::key(program.window, VK_F2);
            for (size_t miss = 0; miss < 4; ++miss)
                ASSERT_TRUE(driver::answerQuestion(program, 2 * miss, 0, false, kQuestionTimeoutMs));
            return;
        case Stretch::celebration:  // ten right answers clear the last stage
            driver::command(program.window, IDM_STAGE_8);
            for (size_t order = 0; order < 10; ++order)
                ASSERT_TRUE(driver::answerQuestion(program, 2 * order, 7, true, kQuestionTimeoutMs));
            return;
        }
    }
};

TEST_P(ShutdownStress, TheProcessEndsInTimeAndLeavesAWholeTable) {
    const StressKind& kind = GetParam();
    PersistentBlock emptyTable = defaultBlock();
    emptyTable.rowCount = 0;
    std::vector<uint8_t> start;
    ASSERT_EQ(buildSaveFile(emptyTable, start), CodecResult::ok);

    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> moment(0, kind.closeWithinMs);
    const int rounds = roundsOf(kind);
    if (rounds == 0) GTEST_SKIP() << "runs in make fuzz only";
    int hangs = 0;
    long slowest = 0;
    makeFolder();
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE(std::string(kind.name) + " round " + std::to_string(round + 1));
        ASSERT_TRUE(driver::writeFile(savePath(), start));
        ASSERT_TRUE(driver::start(program));
        program.window = driver::waitForWindow(program);
        ASSERT_NE(program.window, nullptr);
        ASSERT_NO_FATAL_FAILURE(reach(kind.stretch));
        const int delay = moment(random);
        Sleep(DWORD(delay));  // the moment of the close, not a wait for anything
        driver::close(program.window);
        long exitCode = -1;
        const long ms = millisecondsToExit(exitCode, 20000);
        if (ms < 0) {
            ++hangs;
            driver::terminate(program);
            ADD_FAILURE() << "no end within 20 s of a close " << delay << " ms into the stretch";
            continue;
        }
        slowest = std::max(slowest, ms);
        EXPECT_EQ(exitCode, 0);
        EXPECT_LE(ms, kExitBoundMs) << "a close " << delay << " ms into the stretch";
        expectWholeTable(savedFile());
    }
    std::printf("closes during %s: %d, hangs: %d, slowest exit: %ld ms\n", kind.name, rounds, hangs, slowest);
}

INSTANTIATE_TEST_SUITE_P(
    Closes, ShutdownStress,
    ::testing::Values(StressKind{"Title", Stretch::title, 2000, 8, 25},
                      StressKind{"Ranking", Stretch::ranking, 1500, 2, 5},
                      StressKind{"Question", Stretch::question, 5000, 6, 20},
                      StressKind{"Replay", Stretch::replay, 2500, 4, 15},
                      StressKind{"Judging", Stretch::judging, 3500, 4, 20},
                      StressKind{"Results", Stretch::results, 9000, 1, 10},
                      StressKind{"Celebration", Stretch::celebration, 6000, 0, 5}),
    [](const ::testing::TestParamInfo<StressKind>& info) { return std::string(info.param.name); });

}  // namespace
