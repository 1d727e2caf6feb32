#include "game/input_rules.h"

#include <gtest/gtest.h>

#include "game/game_state.h"
#include "game/note_output.h"
#include "tests/unit/fake_world.h"

namespace {

class InputRules : public ::testing::Test {
protected:
    void SetUp() override { resetWorld(); }
    void setCounters(int value) {
        session.questionCount = session.missTotal = session.stageMisses = value;
        session.score = session.orderIndex = value;
    }
    int replaysSounded() {
        int count = 0;
        for (uint32_t m : world.midiMessages()) count += m == noteOnMessage(64);
        return count;
    }
};

TEST_F(InputRules, StartGameZeroesTheCountersAndAsksForAQuestion) {
    for (int32_t state : {0, 1, 2, 3, 5, 7, 8, 9, 10}) {
        SCOPED_TRACE(state);
        resetWorld();
        setCounters(7);
        gameState = state;
        startGame(5);
        EXPECT_EQ(gameState.load(), kStateNextQuestion);
        // The game thread begins the new game when it takes the request, after
        // whatever step of the old game was running.
        EXPECT_EQ(session.score.load(), 7);
        beginRequestedGame();
        EXPECT_EQ(session.stageIndex.load(), 5);
        EXPECT_EQ(session.questionCount.load(), 0);
        EXPECT_EQ(session.missTotal.load(), 0);
        EXPECT_EQ(session.stageMisses.load(), 0);
        EXPECT_EQ(session.score.load(), 0);
        EXPECT_EQ(session.orderIndex.load(), 0);
        EXPECT_TRUE(world.steps().empty());  // no caret outside name entry
    }
}

TEST_F(InputRules, StartGameIsIgnoredWhileAQuestionIsDueOrAnEnteredNameWaits) {
    setCounters(7);
    session.stageIndex = 1;
    gameState = kStateNextQuestion;
    startGame(6);
    beginRequestedGame();
    EXPECT_EQ(session.stageIndex.load(), 1);
    EXPECT_EQ(session.score.load(), 7);
    EXPECT_EQ(session.orderIndex.load(), 7);
    EXPECT_EQ(gameState.load(), kStateNextQuestion);
    // So it is while an entered name waits to be stored: the name is not lost.
    gameState = kStateNameEntered;
    startGame(6);
    EXPECT_EQ(gameState.load(), kStateNameEntered);
}

TEST_F(InputRules, StartGameDuringNameEntryAbandonsItAndRemovesTheCaret) {
    gameState = kStateNameEntry;
    startGame(0);
    EXPECT_EQ(gameState.load(), kStateNextQuestion);
    EXPECT_EQ(world.steps(), std::vector<std::string>{"removeCaret"});
}

TEST_F(InputRules, LeftClicksCountOnlyWhileThePlayerMayAnswer) {
    for (int32_t state = -1; state <= 14; ++state) {
        gameState = state;
        EXPECT_EQ(acceptsKeyClicks(), state == kStateWaitingAnswer || state == kStateHintDue) << state;
    }
}

TEST_F(InputRules, RightClicksCountOnlyWhileThePlayerMayAnswer) {
    for (int32_t state = -1; state <= 14; ++state) {
        if (state == kStateWaitingAnswer || state == kStateHintDue) continue;
        gameState = state;
        EXPECT_FALSE(answerOrReplay()) << state;
        EXPECT_EQ(gameState.load(), state);
    }
    EXPECT_TRUE(world.midiMessages().empty());
}

TEST_F(InputRules, ThreeReplaysThenTheFourthRightClickSubmitsTheEmptyAnswer) {
    session.noteCount = 1;
    session.questionNotes[0] = 64;
    for (int replay = 1; replay <= 3; ++replay) {
        gameState = kStateWaitingAnswer;
        EXPECT_TRUE(answerOrReplay());
        EXPECT_EQ(session.replayCount.load(), replay);
        EXPECT_EQ(gameState.load(), kStateHintDue);
        EXPECT_EQ(replaysSounded(), replay);
    }
    EXPECT_EQ(world.timesOf("sleep"), (std::vector<long long>{0, 2000, 4000}));
    gameState = kStateWaitingAnswer;
    EXPECT_TRUE(answerOrReplay());
    EXPECT_EQ(gameState.load(), kStateJudge);
    EXPECT_EQ(replaysSounded(), 3);
}

TEST_F(InputRules, ARightClickWithNothingMarkedWhileARedrawIsPendingDoesNothing) {
    session.noteCount = 1;
    session.questionNotes[0] = 64;
    gameState = kStateHintDue;
    EXPECT_TRUE(answerOrReplay());
    EXPECT_EQ(gameState.load(), kStateHintDue);
    EXPECT_EQ(session.replayCount.load(), 0);
    EXPECT_TRUE(world.midiMessages().empty());
}

TEST_F(InputRules, ARightClickWithAMarkSubmitsInEitherAnsweringState) {
    for (int32_t state : {kStateWaitingAnswer, kStateHintDue}) {
        resetWorld();
        session.selectedKeys[127] = 1;  // the last key counts too
        gameState = state;
        EXPECT_TRUE(answerOrReplay());
        EXPECT_EQ(gameState.load(), kStateJudge);
        EXPECT_TRUE(world.midiMessages().empty());
    }
}

// A MIDI keyboard: a note-on on any channel marks like a left click; velocity 0
// and notes outside the stage's range change nothing. The pedal answers once per
// press (crossing 64 upwards), and a press while clicks do not count is used up.
TEST_F(InputRules, AMidiKeyboardMarksWithNoteOnsAndAnswersOncePerPedalPress) {
    const auto noteOn = [](uint32_t channel, uint32_t note, uint32_t velocity) {
        return 0x90 | channel | note << 8 | velocity << 16;
    };
    const auto pedal = [](uint32_t value) { return 0xB0 | 64 << 8 | value << 16; };
    takeMidiInput(nullptr, pedal(0));  // whatever an earlier test left, released
    session.lowNote = 48;
    session.highNote = 59;
    gameState = kStateWaitingAnswer;
    takeMidiInput(nullptr, noteOn(0, 50, 0));
    takeMidiInput(nullptr, noteOn(0, 60, 100));
    takeMidiInput(nullptr, noteOn(0, 47, 100));
    EXPECT_EQ(firstMarkedKey(), -1);
    EXPECT_EQ(gameState.load(), kStateWaitingAnswer);
    takeMidiInput(nullptr, noteOn(9, 59, 1));
    EXPECT_EQ(firstMarkedKey(), 59);
    EXPECT_EQ(gameState.load(), kStateHintDue);

    takeMidiInput(nullptr, pedal(64));
    EXPECT_EQ(gameState.load(), kStateJudge);
    gameState = kStateWaitingAnswer;
    takeMidiInput(nullptr, pedal(127));  // still held down: no second answer
    EXPECT_EQ(gameState.load(), kStateWaitingAnswer);
    takeMidiInput(nullptr, pedal(63));
    gameState = kStateTitle;
    takeMidiInput(nullptr, pedal(64));  // a press while clicks do not count
    gameState = kStateWaitingAnswer;
    takeMidiInput(nullptr, pedal(127));
    EXPECT_EQ(gameState.load(), kStateWaitingAnswer);
    takeMidiInput(nullptr, pedal(0));
    takeMidiInput(nullptr, pedal(100));
    EXPECT_EQ(gameState.load(), kStateJudge);
}

TEST_F(InputRules, NameCharactersBelongToNameEntryOnly) {
    for (int32_t state = 0; state <= 13; ++state) {
        gameState = state;
        EXPECT_EQ(inNameEntry(), state == kStateNameEntry) << state;
    }
}

}  // namespace
