#include "game/state_machine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "game/game_state.h"
#include "game/input_rules.h"
#include "tests/unit/fake_world.h"

namespace {

using Steps = std::vector<std::string>;

class StateMachine : public ::testing::Test {
protected:
    void SetUp() override {
        resetWorld();
        gameState = kStateStarting;  // as the window leaves it for the game thread
    }
    void at(long long ms, std::function<void()> action) { world.timeline.emplace(ms, std::move(action)); }
    void quitAt(long long ms) { at(ms, [] { gameState = kStateQuit; }); }
    void run() { runGameLoop(nullptr); }
};

TEST_F(StateMachine, LeftAloneTitleAndRankingAlternateEachHeldTwelveSeconds) {
    quitAt(50000);
    run();
    const Steps expected{"prepare", "title", "ranking", "title", "ranking", "title"};
    EXPECT_EQ(world.steps(), expected);
    EXPECT_EQ(world.timesOf("title"), (std::vector<long long>{0, 2 * kScreenHoldMs, 4 * kScreenHoldMs}));
    EXPECT_EQ(world.timesOf("ranking"), (std::vector<long long>{kScreenHoldMs, 3 * kScreenHoldMs}));
    // The hold is cut into 100 ms slices.
    for (const auto& e : world.events) {
        if (e.what == "sleep") {
            EXPECT_EQ(e.value, kWaitSliceMs);
        }
    }
}

TEST_F(StateMachine, StartDuringTheTitleHoldEndsItWithinOneSlice) {
    at(5050, [] { startGame(0); });
    world.bodies["present"] = [] { gameState = kStateQuit; };
    run();
    EXPECT_EQ(world.timesOf("present"), std::vector<long long>{5100});
    EXPECT_EQ(session.questionCount.load(), 1);
    EXPECT_EQ(world.steps(), (Steps{"prepare", "title", "present"}));
}

TEST_F(StateMachine, RequestDuringAScreenCancelsItsHold) {
    world.bodies["title"] = [] { startGame(3); };  // stored while the title is drawn
    world.bodies["present"] = [] { gameState = kStateQuit; };
    run();
    // No 12 s hold: the question step follows at once.
    EXPECT_EQ(world.timesOf("present"), std::vector<long long>{0});
    EXPECT_EQ(session.stageIndex.load(), 3);
}

TEST_F(StateMachine, QuestionStepResetsTheQuestionAndCountsIt) {
    gameState = kStateNextQuestion;
    session.replayCount = 3;
    session.noteCount = 4;
    session.questionCount = 6;
    EXPECT_EQ(runStep(nullptr, kStateNextQuestion), kShortWaitMs);
    EXPECT_EQ(session.replayCount.load(), 0);
    EXPECT_EQ(session.noteCount.load(), 0);
    EXPECT_EQ(session.questionCount.load(), 7);
    EXPECT_EQ(world.steps(), Steps{"present"});
}

TEST_F(StateMachine, JudgedOrdersLeadToTheNextQuestionUntilTheTenth) {
    session.orderIndex = 8;
    gameState = kStateJudge;
    EXPECT_EQ(runStep(nullptr, kStateJudge), kVerdictHoldMs);
    EXPECT_EQ(session.orderIndex.load(), 9);
    EXPECT_EQ(gameState.load(), kStateNextQuestion);

    gameState = kStateJudge;
    runStep(nullptr, kStateJudge);
    EXPECT_EQ(session.orderIndex.load(), 10);
    EXPECT_EQ(gameState.load(), kStateStageCleared);
}

TEST_F(StateMachine, AFourthMissOnTheTenthOrderWinsOverTheClearedStage) {
    session.orderIndex = 9;
    gameState = kStateJudge;
    world.bodies["judge"] = [] {
        EXPECT_EQ(gameState.load(), kStateStageCleared);  // stored before the work
        gameState = kStateResults;
    };
    runStep(nullptr, kStateJudge);
    EXPECT_EQ(gameState.load(), kStateResults);
}

TEST_F(StateMachine, EachStateStoresItsSuccessorAndYieldsItsWait) {
    struct Case {
        int32_t state, successor;
        int wait;
        const char* step;
    };
    const Case cases[] = {
        {kStateTitle, kStateRanking, kScreenHoldMs, "title"},
        {kStateRanking, kStateTitle, kScreenHoldMs, "ranking"},
        {kStateStageCleared, kStateNextQuestion, kVerdictHoldMs, "clear"},
        {kStateHintDue, kStateWaitingAnswer, kShortWaitMs, "type"},
        {kStateCelebration, kStateResults, 100, "celebration"},
        {kStateResults, kStateTitle, kResultsHoldMs, "results"},
        {kStateNameEntered, kStateTitle, kShortWaitMs, "commit"},
        {kStateStarting, kStateStarting, kShortWaitMs, nullptr},
        {kStateWaitingAnswer, kStateWaitingAnswer, kShortWaitMs, nullptr},
        {kStateNameEntry, kStateNameEntry, kShortWaitMs, nullptr},
        {6, 6, kShortWaitMs, nullptr},
        {42, 42, kShortWaitMs, nullptr},
        {-1, -1, kShortWaitMs, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        resetWorld();
        gameState = c.state;
        EXPECT_EQ(runStep(nullptr, c.state), c.wait);
        EXPECT_EQ(gameState.load(), c.successor);
        if (c.step) {
            EXPECT_EQ(world.timesOf(c.step).size(), 1u);
        } else {
            EXPECT_TRUE(world.steps().empty());
        }
    }
}

TEST_F(StateMachine, ResultsWithARankInWaitBriefly) {
    gameState = kStateResults;
    world.bodies["results"] = [] { gameState = kStateNameEntry; };
    EXPECT_EQ(runStep(nullptr, kStateResults), kShortWaitMs);
    EXPECT_EQ(gameState.load(), kStateNameEntry);
}

TEST_F(StateMachine, NameEnteredRemovesTheCaretBeforeTheCommitAndAsksForASaveAfterIt) {
    gameState = kStateNameEntered;
    runStep(nullptr, kStateNameEntered);
    EXPECT_EQ(world.steps(), (Steps{"removeCaret", "commit", "save"}));
}

TEST_F(StateMachine, HintLineOffersTheReplayUntilAKeyIsMarkedOrReplaysAreUsedUp) {
    gameState = kStateHintDue;
    runStep(nullptr, kStateHintDue);
    ASSERT_EQ(world.steps(), (Steps{"clearHint", "type"}));
    EXPECT_EQ(world.events.back().text, L"\n右クリックでもう一度再生");

    resetWorld();
    session.selectedKeys[95] = 1;
    gameState = kStateHintDue;
    runStep(nullptr, kStateHintDue);
    EXPECT_EQ(world.events.back().text, L"\n右クリックで確定");

    resetWorld();
    session.replayCount = 3;
    gameState = kStateHintDue;
    runStep(nullptr, kStateHintDue);
    EXPECT_EQ(world.events.back().text, L"\n右クリックで確定");
    EXPECT_EQ(world.spoken, std::vector<std::wstring>{L"右クリックで確定"});  // as a line of its own
}

TEST_F(StateMachine, SlicedWaitSleepsInHundredsAndStopsOnAChange) {
    gameState = kStateWaitingAnswer;
    slicedWait(1500);
    EXPECT_EQ(world.timesOf("sleep").size(), 15u);

    resetWorld();
    slicedWait(0);
    EXPECT_TRUE(world.events.empty());

    resetWorld();
    slicedWait(150);  // rounds up to whole slices
    EXPECT_EQ(world.timesOf("sleep").size(), 2u);

    resetWorld();
    gameState = kStateWaitingAnswer;
    at(250, [] { gameState = kStateHintDue; });
    slicedWait(1500);
    EXPECT_EQ(world.clockMs, 300);
}

// Closing the window stores 13: from every state the loop ends, within a slice
// during a wait, and after the step's work and its full wait when 13 arrives
// during the work (at most 1500 ms).
TEST_F(StateMachine, QuitEndsTheLoopFromEveryState) {
    for (int32_t state = 0; state <= 13; ++state) {
        SCOPED_TRACE(state);
        resetWorld();
        gameState = kStateStarting;
        world.bodies["title"] = [state] { if (state != kStateTitle) gameState = state; };
        quitAt(30050);
        run();
        EXPECT_LE(world.clockMs, 30050 + kVerdictHoldMs);
        EXPECT_EQ(gameState.load(), kStateQuit);
    }
}

TEST_F(StateMachine, QuitDuringAStepsWorkWaitsOutThatStepsWait) {
    struct Case {
        int32_t state;
        const char* step;
        long long endsAt;
    };
    const Case cases[] = {
        {kStateStageCleared, "clear", 1500},
        {kStateJudge, "judge", 1500},
        {kStateNextQuestion, "present", 200},
        {kStateTitle, "title", 0},      // the 12 s hold falls to 0
        {kStateResults, "results", 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        resetWorld();
        gameState = c.state;
        world.bodies[c.step] = [] { gameState = kStateQuit; };
        // Straight into the loop body, as the game thread would be mid-game.
        slicedWait(runStep(nullptr, c.state));
        EXPECT_EQ(world.clockMs, c.endsAt);
    }
}

TEST_F(StateMachine, CelebrationLeadsToTheResultsUnlessSomethingElseWasAskedFor) {
    gameState = kStateCelebration;
    EXPECT_EQ(runStep(nullptr, kStateCelebration), 100);
    EXPECT_EQ(gameState.load(), kStateResults);

    gameState = kStateCelebration;
    world.bodies["celebration"] = [] { gameState = kStateQuit; };
    runStep(nullptr, kStateCelebration);
    EXPECT_EQ(gameState.load(), kStateQuit);

    // A new game asked for while the balls fly starts, with its own counters;
    // the finished one is abandoned, never shown zeroed.
    session.score = 2040;
    session.questionCount = 80;
    gameState = kStateCelebration;
    world.bodies["celebration"] = [] { startGame(2); };
    runStep(nullptr, kStateCelebration);
    EXPECT_EQ(gameState.load(), kStateNextQuestion);
    EXPECT_EQ(session.score, 2040);
    runStep(nullptr, kStateNextQuestion);
    EXPECT_EQ(session.stageIndex, 2);
    EXPECT_EQ(session.score, 0);
    EXPECT_EQ(session.questionCount, 1);
}

TEST_F(StateMachine, ClosingLetsAnEnteredNameBeStoredFirst) {
    for (int32_t state = 0; state <= 13; ++state) {
        gameState = state;
        requestQuit();
        EXPECT_EQ(gameState.load(), state == kStateNameEntered ? kStateNameEntered : kStateQuit) << state;
    }
    // The closing window asks every 100 ms; the commit comes first.
    gameState = kStateNameEntered;
    requestQuit();
    at(100, [] { requestQuit(); });
    run();
    EXPECT_EQ(world.steps(), (Steps{"prepare", "removeCaret", "commit", "save"}));
    EXPECT_EQ(world.clockMs, 100);
}

TEST_F(StateMachine, StartsFromTwoToTitleButKeepsAnEarlyQuit) {
    gameState = kStateQuit;
    run();
    EXPECT_EQ(world.steps(), Steps{"prepare"});
}

// The game thread and the UI thread together, for ThreadSanitizer: requests
// from one thread, steps and waits on the other, nothing but the shared state between.
TEST_F(StateMachine, TwoThreadsPlayAGameWithoutRaces) {
    world.realTime = true;
    world.bodies["present"] = [] {
        session.noteCount = 1;
        session.questionNotes[0] = 64;
        replaceGameState(kStateNextQuestion, kStateHintDue);
    };
    std::atomic<bool> ended{false};
    std::thread gameThread([&ended] {
        runGameLoop(nullptr);
        ended = true;
    });
    auto waitUntil = [](auto pred) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!pred() && std::chrono::steady_clock::now() < end) std::this_thread::yield();
        return pred();
    };
    ASSERT_TRUE(waitUntil([] { return gameState.load() == kStateRanking || gameState.load() == kStateTitle; }));
    startGame(2);
    ASSERT_TRUE(waitUntil([] { return gameState.load() == kStateWaitingAnswer; }));
    EXPECT_TRUE(answerOrReplay());  // a replay, on this thread
    ASSERT_TRUE(waitUntil([] { return gameState.load() == kStateWaitingAnswer; }));
    session.selectedKeys[64] = 1;
    EXPECT_TRUE(answerOrReplay());  // submits
    ASSERT_TRUE(waitUntil([] { return session.questionCount.load() == 2; }));
    EXPECT_EQ(session.orderIndex.load(), 1);
    EXPECT_EQ(session.replayCount.load(), 0);  // reset by the next question
    // Stopping as the window does: 13 again and again until the thread has ended.
    while (!ended) {
        gameState = kStateQuit;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    gameThread.join();
    EXPECT_EQ(session.stageIndex.load(), 2);
}

}  // namespace
