#include "game/input_rules.h"

#include <gtest/gtest.h>

#include "game/game_state.h"
#include "game/key_picking.h"
#include "game/midi_input.h"
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
// press (crossing 64 upwards), and a press while clicks do not count is used up;
// a keyboard opened anew starts with its pedal up.
TEST_F(InputRules, AMidiKeyboardMarksWithNoteOnsAndAnswersOncePerPedalPress) {
    const auto send = [](uint32_t status, uint32_t first, uint32_t second) {
        takeMidiInput(nullptr, status | first << 8 | second << 16);
    };
    send(0xB0, 64, 0);  // whatever an earlier test left, released
    session.lowNote = 48;
    session.highNote = 59;
    gameState = kStateWaitingAnswer;
    send(0x90, 50, 0);    // velocity 0
    send(0x90, 60, 100);  // above the range
    send(0x90, 47, 100);  // below it
    EXPECT_EQ(firstMarkedKey(), -1);
    EXPECT_EQ(gameState.load(), kStateWaitingAnswer);
    send(0x99, 59, 1);    // channel 10
    EXPECT_EQ(firstMarkedKey(), 59);
    send(0xB0, 64, 64);
    EXPECT_EQ(gameState.load(), kStateJudge);
    gameState = kStateWaitingAnswer;
    send(0xB0, 64, 127);  // still down
    send(0xB0, 64, 63);
    gameState = kStateTitle;
    send(0xB0, 64, 64);   // pressed while clicks do not count: used up
    gameState = kStateWaitingAnswer;
    send(0xB0, 64, 127);
    EXPECT_EQ(gameState.load(), kStateWaitingAnswer);
    send(0xB0, 64, 0);
    send(0xB0, 64, 100);
    EXPECT_EQ(gameState.load(), kStateJudge);
    gameState = kStateWaitingAnswer;  // unplugged with the pedal down, plugged in again
    forgetMidiPedal();
    send(0xB0, 64, 100);
    EXPECT_EQ(gameState.load(), kStateJudge);
}

TEST_F(InputRules, NameCharactersBelongToNameEntryOnly) {
    for (int32_t state = 0; state <= 13; ++state) {
        gameState = state;
        EXPECT_EQ(inNameEntry(), state == kStateNameEntry) << state;
    }
}

}  // namespace
